// Decimal-format patterns as the form-factor labels and the parameter dialog use
// them: text between single (or double) quotes is literal, '0' is a digit that
// is always printed, '#' one printed only when significant, '.' the decimal
// point and "E+"/"E-" (or "e+"/"e-") followed by zeros an exponent. Other
// characters are copied as they stand. Examples:
//   DecimalFormat("Thin rod',' L = .00 nm", 155.88) == "Thin rod, L = 155.88 nm"
//   DecimalFormat(".0000", 0.5) == ".5000"      (no leading zero below 1)
//   DecimalFormat("0.000E-0", 15) == "1.500E1"  (sign only for a negative exponent)
#pragma once

#include <string>

namespace zeb {

std::string DecimalFormat(const std::string& pattern, double value);

} // namespace zeb
