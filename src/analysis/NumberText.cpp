#include "analysis/NumberText.h"

#include "data/CLocaleScope.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace zeb {

namespace {

void replaceFirst(std::string& text, const std::string& from, const std::string& to) {
    const auto pos = text.find(from);
    if (pos != std::string::npos) text.replace(pos, from.size(), to);
}

} // namespace

std::string CleanNumber(std::string text) {
    const auto blank = text.find(' ');
    if (blank != std::string::npos) text.erase(blank, 1);
    replaceFirst(text, "e-0", "e-");
    replaceFirst(text, "e+0", "e+");
    replaceFirst(text, "e-0", "e-");
    replaceFirst(text, "e+0", "e+");
    replaceFirst(text, "e+", "e");
    replaceFirst(text, ".e", "e");
    const auto point = text.find('.');
    if (point != std::string::npos && point + 1 == text.size()) text.erase(point, 1);
    return text;
}

std::string Gcvt6(double value) {
    if (!std::isfinite(value)) return "---";
    return CFormat("%.6g", value);
}

std::string Sci3(double value) {
    if (!std::isfinite(value)) return "---";
    return CFormat("%.3e", value);
}

std::optional<double> ParseTypedNumber(const std::string& text) {
    std::string s = text;
    const auto comma = s.find(',');
    if (comma != std::string::npos) s[comma] = '.';
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return std::nullopt;
    const auto last = s.find_last_not_of(" \t");
    s = s.substr(first, last - first + 1);
    CLocaleScope scope;
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    // An overflow gives an infinity and is refused; an underflow to a tiny value is kept.
    if (end != s.c_str() + s.size() || !std::isfinite(v)) return std::nullopt;
    return v;
}

} // namespace zeb
