// Line and number reading for the text formats (PLT, PLX, ASC, form-factor and
// standard files). Numbers are read with a point as decimal separator whatever
// the locale says, and only whole: "6.37x" or "1,5" is no number, "1e9" no
// integer.
#pragma once

#include <cstddef>
#include <optional>
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
    // The 1-based number of the line last returned (or refused as too long).
    int lineNumber() const { return lineNumber_; }
    // False when the line last returned ended the text without a line feed.
    bool lineEnded() const { return lineEnded_; }
    // The text after the line last returned.
    std::string_view rest() const { return text_.substr(pos_); }

private:
    std::string_view text_;
    std::size_t max_;
    std::size_t pos_ = 0;
    int lineNumber_ = 0;
    bool tooLong_ = false;
    bool lineEnded_ = true;
};

// The whole of token as a finite number (no trailing characters).
bool WholeDouble(std::string_view token, double& value);
bool WholeFloat(std::string_view token, float& value);
// The whole of token as an int: digits with an optional sign, nothing else.
bool WholeInt(std::string_view token, int& value);

// The first field of a line ("298.150  , temperature in K" gives "298.150"):
// after leading blanks, up to the next blank or tab, one trailing comma removed.
std::string_view LeadingField(std::string_view line);

// The fields of a line separated by any of the characters in separators.
std::vector<std::string_view> SplitFields(std::string_view line, std::string_view separators);

// The position of the first byte that no text file holds (control characters
// other than tab, line feed, form feed and carriage return; a DOS end-of-file
// mark is allowed at the very end), or nullopt for a text.
std::optional<std::size_t> BinaryByteAt(std::string_view text);
// True when text holds nothing but blanks, line ends and DOS end-of-file marks.
bool OnlyBlanks(std::string_view text);
// The 1-based line of the byte at pos.
int LineOfOffset(std::string_view text, std::size_t pos);

// A file that ends right after its last number, without a line end, may have
// been cut inside that number ("6.374363E-07" cut to "6.374363E-0" still reads
// as a number). True when last is written shorter than comparable, a number of
// the same kind written before it: without the exponent comparable has, with a
// shorter exponent, or with fewer digits after the point where comparable is
// written in a program's fixed form (an exponent of at least two digits, or at
// least four digits after the point).
bool LooksCut(std::string_view last, std::string_view comparable);

// The start of a text as a message quotes it: its first 40 bytes in double
// quotes, with "..." when there is more.
inline std::string QuotedStart(std::string_view s) {
    if (s.size() > 40) return "\"" + std::string(s.substr(0, 40)) + "...\"";
    return "\"" + std::string(s) + "\"";
}

} // namespace zeb
