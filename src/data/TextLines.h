// Line and number reading for the text formats (PLT, PLX, ASC, standard files).
// Numbers are read with a point as decimal separator whatever the locale says.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zeb {

class TextLineReader {
public:
    TextLineReader(std::string_view text, std::size_t maxLineBytes) : text_(text), max_(maxLineBytes) {}
    // The next line without its line feed (and a carriage return before it).
    // False at the end of the text, and for a line longer than the limit
    // (tooLong() then says so): such a line is refused, never cut.
    bool next(std::string& line);
    bool tooLong() const { return tooLong_; }

private:
    std::string_view text_;
    std::size_t max_;
    std::size_t pos_ = 0;
    bool tooLong_ = false;
};

// A number at the start of s after blanks ("%lf" style; a leading '+' allowed).
// False when there is none or it is not finite.
bool LeadingDouble(std::string_view s, double& value);
// An integer at the start of s after blanks ("%d" style); false when there is
// none or it does not fit an int.
bool LeadingInt(std::string_view s, int& value);
// The whole of token as a finite number (no trailing characters).
bool WholeDouble(std::string_view token, double& value);
bool WholeFloat(std::string_view token, float& value);

// The fields of a line separated by any of the characters in separators.
std::vector<std::string_view> SplitFields(std::string_view line, std::string_view separators);

} // namespace zeb
