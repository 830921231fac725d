#include "analysis/DecimalFormat.h"

#include "analysis/NumberText.h"

#include <cmath>
#include <cstdlib>

namespace zeb {

namespace {

struct NumberSpec {
    int intZeros = 0;       // '0' before the point
    bool point = false;
    int fracZeros = 0;      // '0' after the point
    int fracDigits = 0;     // '0' and '#' after the point
    bool scientific = false;
    bool expPlus = false;   // "E+": a sign for positive exponents too
    char expLetter = 'E';
    int expZeros = 0;
};

bool isPlaceholder(char c) { return c == '0' || c == '#' || c == '.' || c == ','; }

// Splits the pattern into the literal text before the number, the number's
// placeholders and the literal text after it.
void splitPattern(const std::string& pattern, std::string& prefix, NumberSpec& spec, std::string& suffix) {
    bool seenNumber = false;
    bool inExponent = false;
    std::string* literal = &prefix;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '\'' || c == '"') {
            const auto close = pattern.find(c, i + 1);
            const auto end = close == std::string::npos ? pattern.size() : close;
            *literal += pattern.substr(i + 1, end - i - 1);
            i = end;
            continue;
        }
        const bool exponentStart = (c == 'E' || c == 'e') && i + 1 < pattern.size() &&
                                   (pattern[i + 1] == '+' || pattern[i + 1] == '-') && seenNumber &&
                                   !spec.scientific;
        if (exponentStart) {
            spec.scientific = true;
            spec.expLetter = c;
            spec.expPlus = pattern[i + 1] == '+';
            inExponent = true;
            ++i;
            continue;
        }
        if (inExponent && c == '0') {
            ++spec.expZeros;
            continue;
        }
        inExponent = false;
        if (isPlaceholder(c) && literal == &prefix && !spec.scientific) {
            seenNumber = true;
            if (c == '.') spec.point = true;
            else if (c == '0' && !spec.point) ++spec.intZeros;
            else if (c == '0') {
                ++spec.fracZeros;
                ++spec.fracDigits;
            } else if (c == '#' && spec.point) {
                ++spec.fracDigits;
            }
            continue;
        }
        if (seenNumber) literal = &suffix;
        *literal += c;
    }
}

std::string fixed(double value, const NumberSpec& spec) {
    std::string digits = CFormat("%.*f", spec.fracDigits, std::fabs(value));
    std::string intPart = digits, fracPart;
    const auto point = digits.find('.');
    if (point != std::string::npos) {
        intPart = digits.substr(0, point);
        fracPart = digits.substr(point + 1);
    }
    while (static_cast<int>(fracPart.size()) > spec.fracZeros && !fracPart.empty() && fracPart.back() == '0')
        fracPart.pop_back();
    if (intPart == "0" && spec.intZeros == 0) intPart.clear();
    if (static_cast<int>(intPart.size()) < spec.intZeros)
        intPart = std::string(static_cast<std::size_t>(spec.intZeros) - intPart.size(), '0') + intPart;
    std::string out = intPart;
    if (spec.point && !fracPart.empty()) out += "." + fracPart;
    else if (spec.point && spec.fracZeros > 0) out += ".";
    if (out.empty()) out = "0";
    const bool negative = value < 0 && out.find_first_not_of("0.") != std::string::npos;
    return negative ? "-" + out : out;
}

std::string scientific(double value, const NumberSpec& spec) {
    // One digit before the point, as the patterns of this program have it.
    const std::string text = CFormat("%.*e", spec.fracDigits, std::fabs(value));
    const auto e = text.find('e');
    std::string mantissa = text.substr(0, e);
    const int exponent = std::atoi(text.c_str() + e + 1);
    const auto point = mantissa.find('.');
    if (point != std::string::npos) {
        std::string frac = mantissa.substr(point + 1);
        while (static_cast<int>(frac.size()) > spec.fracZeros && !frac.empty() && frac.back() == '0')
            frac.pop_back();
        mantissa = mantissa.substr(0, point) + (frac.empty() ? "" : "." + frac);
    }
    std::string exp = std::to_string(std::abs(exponent));
    if (static_cast<int>(exp.size()) < spec.expZeros)
        exp = std::string(static_cast<std::size_t>(spec.expZeros) - exp.size(), '0') + exp;
    const std::string sign = exponent < 0 ? "-" : spec.expPlus ? "+" : "";
    return (value < 0 ? "-" : "") + mantissa + spec.expLetter + sign + exp;
}

} // namespace

std::string DecimalFormat(const std::string& pattern, double value) {
    std::string prefix, suffix;
    NumberSpec spec;
    splitPattern(pattern, prefix, spec, suffix);
    if (!std::isfinite(value)) return prefix + "---" + suffix;
    const bool hasNumber = spec.point || spec.intZeros > 0 || spec.fracDigits > 0 || spec.scientific;
    if (!hasNumber) return prefix + suffix;
    return prefix + (spec.scientific ? scientific(value, spec) : fixed(value, spec)) + suffix;
}

} // namespace zeb
