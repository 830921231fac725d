// Numbers as the user reads and types them (printf-style formatting is
// CFormat, included here): sscanf in the C locale, the cleanup that the results text
// applies to every printed number, the shortest 6-digit form (gcvt style) and
// the reading of a typed number with a decimal comma.
#pragma once

#include "data/CFormat.h"

#include <optional>
#include <string>

namespace zeb {

// The cleanup of a printed number: the first blank goes, exponents lose their
// leading zeros and their plus sign ("1.234e+05" -> "1.234e5", "2.500e-003" ->
// "2.500e-3"), ".e" becomes "e" and a point that ends the text is dropped.
std::string CleanNumber(std::string text);

// The shortest form with 6 significant digits, as the C library's gcvt writes it
// ("%.6g"); non-finite values give "---".
std::string Gcvt6(double value);

// "%.3le" of a value that can be printed, "---" for one that cannot (not finite).
std::string Sci3(double value);

// A typed number: blanks around it are ignored and the first comma is read as
// the decimal point. Empty optional when the text is not one finite number.
std::optional<double> ParseTypedNumber(const std::string& text);

} // namespace zeb
