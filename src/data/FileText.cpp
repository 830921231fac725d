#include "data/FileText.h"

#include "platform/CodePage.h"

namespace zeb {

namespace {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isUtf8WithMultibyte(std::string_view s) {
    bool multibyte = false;
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        std::size_t len = 0;
        char32_t cp = 0;
        if (b >= 0xC2 && b <= 0xDF) len = 2, cp = b & 0x1F;
        else if (b >= 0xE0 && b <= 0xEF) len = 3, cp = b & 0x0F;
        else if (b >= 0xF0 && b <= 0xF4) len = 4, cp = b & 0x07;
        else return false;
        if (i + len > s.size()) return false;
        for (std::size_t k = 1; k < len; ++k) {
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (c & 0x3F);
        }
        if ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        multibyte = true;
        i += len;
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
    if (Cp850ToUtf8(cp850) == utf8) return cp850;
    return std::string(utf8);
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
