// The user-defined form factor: a text file (.FFU) of "q Pz" pairs, q in 1/µm,
// turned into a smoothing spline of Pz over q (1/cm).
//
// File form: every line is looked at in its first 98 characters; leading
// blanks are skipped; a line starting with '/' is a comment, an empty line is
// skipped; every other line must start with two numbers. At least 4 pairs, in
// ascending q.
#pragma once

#include "analysis/SmoothingSpline.h"

#include <string>
#include <vector>

namespace zeb {

enum class FfuResult {
    Ok,
    CannotOpen,    // "Could not open file with form factor data !"
    InvalidLine,   // a data line without two numbers
    TooFewPairs,   // fewer than 4 pairs
    NoMemory,      // memory for the spline not available
    CountChanged,  // the second reading found a different number of pairs
    SplineFailed,  // the spline could not be set up (q not ascending, values not finite)
};

// The message shown for a failed load.
const char* FfuMessage(FfuResult result);

struct UserFormFactor {
    std::vector<double> qPerCm;  // knots
    std::vector<double> pz;
    SmoothingSpline spline;
    bool loaded = false;
    void Release();
};

inline constexpr double kUserSplineSmoothing = 0.9999999999;

// Reads the file (twice: once to count the pairs, once to read them) and sets
// up the spline. On failure the form factor is left released.
FfuResult LoadUserFormFactor(const std::string& path, UserFormFactor& out);

} // namespace zeb
