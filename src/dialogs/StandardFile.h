// Standard files (.TOL) of the correlator software, read from their bytes: the
// third line holds the refractive index of the standard, and only it. Lines
// are read with at most 255 characters each.
#pragma once

#include "data/ReadProblem.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace zeb {

inline constexpr std::size_t kStandardLineChars = 255;
// The most of a standard file that is read: three lines with their line ends.
inline constexpr std::size_t kStandardPrefixBytes = 3 * (kStandardLineChars + 2);

// The text of the third line (UTF-8), a positive number. Throws ReadFailure
// for a file that is no text, ends early, has a line too long or no
// refractive index in its third line.
std::string ParseStandardFile(std::string_view bytes);

} // namespace zeb
