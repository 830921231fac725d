#include "data/FileText.h"

#include "platform/CodePage.h"

namespace zeb {

namespace {

// Valid UTF-8 with at least one character beyond ASCII.
bool isUtf8WithMultibyte(std::string_view s) {
    bool multibyte = false;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = Utf8SequenceAt(s, i);
        if (n == 0) return false;
        multibyte = multibyte || n > 1;
        i += n;
    }
    return multibyte;
}

} // namespace

std::string DecodeFileText(std::string_view bytes) {
    if (isUtf8WithMultibyte(bytes)) return std::string(bytes);
    return Cp850ToUtf8(bytes);
}

std::string EncodeFileText(std::string_view utf8) {
    std::string cp850 = Utf8ToCp850(utf8);
    // "├®" is C3 A9 in code page 850, which reads as the UTF-8 of "é".
    if (Cp850ToUtf8(cp850) == utf8 && DecodeFileText(cp850) == utf8) return cp850;
    return std::string(utf8);
}

namespace {

bool isControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

int hexValue(char h) {
    if (h >= '0' && h <= '9') return h - '0';
    if (h >= 'A' && h <= 'F') return h - 'A' + 10;
    if (h >= 'a' && h <= 'f') return h - 'a' + 10;
    return -1;
}

} // namespace

bool NeedsPercentEncoding(std::string_view name) {
    for (char ch : name)
        if (isControl(static_cast<unsigned char>(ch))) return true;
    return !IsUtf8(name);
}

std::string PercentEncode(std::string_view name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(name.size() * 3);
    for (std::size_t i = 0; i < name.size();) {
        const auto c = static_cast<unsigned char>(name[i]);
        const std::size_t n = c >= 0x80 ? Utf8SequenceAt(name, i) : 1;
        if (n == 0 || isControl(c) || c == '%') {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
            ++i;
        } else {
            out.append(name.substr(i, n));
            i += n;
        }
    }
    return out;
}

std::string PercentDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string PadToCharacters(const std::string& utf8, std::size_t characters) {
    std::string out = Utf8Left(utf8, characters);
    const std::size_t length = Utf8Length(out);
    if (length < characters) out.append(characters - length, ' ');
    return out;
}

std::string TrimTrailingBlanks(std::string text) {
    std::size_t len = text.size();
    while (len > 1 && text[len - 1] == ' ') --len;
    text.resize(len);
    return text;
}

} // namespace zeb
