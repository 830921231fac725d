#include "data/TextLines.h"

#include <array>
#include <charconv>
#include <climits>
#include <cmath>

namespace zeb {

bool TextLineReader::next(std::string& line) {
    if (tooLong_ || pos_ >= text_.size()) return false;
    ++lineNumber_;
    const std::size_t end = text_.find('\n', pos_);
    const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
    std::size_t len = stop - pos_;
    if (len > 0 && text_[pos_ + len - 1] == '\r') --len;
    if (len > max_) {
        tooLong_ = true;
        return false;
    }
    line.assign(text_.substr(pos_, len));
    lineEnded_ = end != std::string_view::npos;
    pos_ = end == std::string_view::npos ? text_.size() : end + 1;
    return true;
}

namespace {

constexpr char kDosEndOfFile = '\x1A';

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// Parses a number at the start of s; returns the characters used (0 = none).
template <typename T>
std::size_t parseNumber(std::string_view s, T& value) {
    std::size_t sign = 0;
    if (!s.empty() && s[0] == '+' && !(s.size() > 1 && (s[1] == '-' || s[1] == '+'))) sign = 1;
    T v{};
    const auto r = std::from_chars(s.data() + sign, s.data() + s.size(), v, std::chars_format::general);
    if (r.ec != std::errc() || !std::isfinite(v)) return 0;
    value = v;
    return static_cast<std::size_t>(r.ptr - s.data());
}

struct NumberShape {
    int fractionDigits = 0;   // digits after the point
    int exponentDigits = -1;  // -1: no exponent
};

NumberShape shapeOf(std::string_view token) {
    NumberShape shape;
    std::size_t i = 0;
    bool point = false;
    for (; i < token.size() && token[i] != 'e' && token[i] != 'E'; ++i) {
        if (token[i] == '.') point = true;
        else if (point && token[i] >= '0' && token[i] <= '9') ++shape.fractionDigits;
    }
    if (i < token.size()) {
        shape.exponentDigits = 0;
        for (++i; i < token.size(); ++i)
            if (token[i] >= '0' && token[i] <= '9') ++shape.exponentDigits;
    }
    return shape;
}

} // namespace

bool WholeDouble(std::string_view token, double& value) {
    double v = 0;
    if (token.empty() || parseNumber(token, v) != token.size()) return false;
    value = v;
    return true;
}

bool WholeFloat(std::string_view token, float& value) {
    float v = 0;
    if (token.empty() || parseNumber(token, v) != token.size()) return false;
    value = v;
    return true;
}

bool WholeInt(std::string_view token, int& value) {
    std::size_t sign = 0;
    if (!token.empty() && token[0] == '+') sign = 1;
    long long v = 0;
    const auto r = std::from_chars(token.data() + sign, token.data() + token.size(), v);
    if (token.size() == sign || r.ec != std::errc() || r.ptr != token.data() + token.size() || v < INT_MIN ||
        v > INT_MAX)
        return false;
    value = static_cast<int>(v);
    return true;
}

std::string_view LeadingField(std::string_view line) {
    std::size_t start = 0;
    while (start < line.size() && isBlank(line[start])) ++start;
    std::size_t end = start;
    while (end < line.size() && !isBlank(line[end])) ++end;
    std::string_view field = line.substr(start, end - start);
    if (!field.empty() && field.back() == ',') field.remove_suffix(1);
    return field;
}

std::vector<std::string_view> SplitFields(std::string_view line, std::string_view separators) {
    std::array<bool, 256> isSeparator{};
    for (char s : separators) isSeparator[static_cast<unsigned char>(s)] = true;
    auto separator = [&isSeparator](char c) { return isSeparator[static_cast<unsigned char>(c)]; };
    std::vector<std::string_view> fields;
    fields.reserve(12);
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && separator(line[i])) ++i;
        const std::size_t start = i;
        while (i < line.size() && !separator(line[i])) ++i;
        if (i > start) fields.push_back(line.substr(start, i - start));
    }
    return fields;
}

std::optional<std::size_t> BinaryByteAt(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && text[end - 1] == kDosEndOfFile) --end;
    for (std::size_t i = 0; i < end; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c < 0x20 && c != '\t' && c != '\n' && c != '\f' && c != '\r') || c == 0x7F) return i;
    }
    return std::nullopt;
}

bool OnlyBlanks(std::string_view text) {
    for (char c : text)
        if (!isBlank(c) && c != kDosEndOfFile) return false;
    return true;
}

int LineOfOffset(std::string_view text, std::size_t pos) {
    int line = 1;
    for (std::size_t i = 0; i < pos && i < text.size(); ++i) line += text[i] == '\n';
    return line;
}

bool LooksCut(std::string_view last, std::string_view comparable) {
    const NumberShape a = shapeOf(last), b = shapeOf(comparable);
    if (b.exponentDigits >= 0 && a.exponentDigits < b.exponentDigits) return true;
    // Written by a program with a fixed number of digits ("%12.5E", "%.8f"):
    // every number has as many digits after the point.
    const bool fixedForm = b.exponentDigits >= 2 || (b.exponentDigits < 0 && b.fractionDigits >= 4);
    return fixedForm && a.fractionDigits < b.fractionDigits;
}

} // namespace zeb
