// The user-defined form factor: a text file (.FFU) of "q Pz" pairs, q in 1/µm,
// turned into a smoothing spline of Pz over q (1/cm).
//
// File form: leading blanks are skipped; a line starting with '/' is a comment
// (of any length), an empty line is skipped; every other line holds two whole
// numbers and nothing else, in at most 98 characters (blanks after the numbers
// do not count). At least 4 pairs, in ascending q, none listed twice; the last
// number must not be cut off with the end of the file.
#pragma once

#include "analysis/SmoothingSpline.h"

#include <string>
#include <string_view>
#include <vector>

namespace zeb {

enum class FfuResult {
    Ok,
    CannotOpen,    // "Could not open file with form factor data !" (also a file too large to be one)
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
    // After a failed load: "PATH, line N: what is wrong", for the second line of the message.
    std::string problem;
    void Release();
};

inline constexpr double kUserSplineSmoothing = 0.9999999999;

// The message of a failed load with the problem on a line of its own.
std::string FfuMessageText(FfuResult result, const UserFormFactor& failed);

// Reads the file (once, read-only) and sets up the spline. On failure the form
// factor is left released and out.problem says what is wrong where.
FfuResult LoadUserFormFactor(const std::string& path, UserFormFactor& out);
// The same from the file's bytes; path names the file in out.problem.
FfuResult ParseUserFormFactor(std::string_view bytes, const std::string& path, UserFormFactor& out);

} // namespace zeb
