#include "data/TextLines.h"

#include <array>
#include <charconv>
#include <climits>
#include <cmath>

namespace zeb {

bool TextLineReader::next(std::string& line) {
    if (tooLong_ || pos_ >= text_.size()) return false;
    std::size_t end = text_.find('\n', pos_);
    const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
    std::size_t len = stop - pos_;
    if (len > 0 && text_[pos_ + len - 1] == '\r') --len;
    if (len > max_) {
        tooLong_ = true;
        return false;
    }
    line.assign(text_.substr(pos_, len));
    pos_ = end == std::string_view::npos ? text_.size() : end + 1;
    return true;
}

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string_view skipBlanks(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && isBlank(s[i])) ++i;
    return s.substr(i);
}

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

} // namespace

bool LeadingDouble(std::string_view s, double& value) { return parseNumber(skipBlanks(s), value) > 0; }

bool LeadingInt(std::string_view s, int& value) {
    s = skipBlanks(s);
    std::size_t sign = 0;
    if (!s.empty() && s[0] == '+') sign = 1;
    long long v = 0;
    const auto r = std::from_chars(s.data() + sign, s.data() + s.size(), v);
    if (r.ec != std::errc() || v < INT_MIN || v > INT_MAX) return false;
    value = static_cast<int>(v);
    return true;
}

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

} // namespace zeb
