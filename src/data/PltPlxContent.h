// TARN (PLT) and PLX files, read from their bytes without a window. Both are
// text, one item per line: header lines, number lists of at most five values
// per line, and a value table of one line per concentration and q² (q² running
// fast) whose lines all hold as many values as the first.
//
// Everything must be there exactly as declared: whole numbers ("6.37x" is
// none, "1e9" and "1,5" are no counts), lists and the table as long as their
// counts say, lines of the table as wide as the first, nothing after the table,
// and a last number that was not cut off with the end of the file.
#pragma once

#include "data/ReadProblem.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zeb {

struct PltPlxContent {
    bool plx = false;
    std::string sampleName;   // UTF-8, at most 40 characters, trailing blanks removed
    std::string solventName;  // UTF-8, at most 25 characters
    double temperatureK = 0.0;  // PLT header
    double wavelengthNm = 0.0;  // PLT header
    std::vector<double> q2PerCm2;
    std::vector<double> concentrationsGPerCm3;
    std::vector<float> viscositiesMPas;  // PLX
    std::vector<float> temperaturesK;    // PLX
    std::vector<std::string> sourceNames;  // PLX: UTF-8, or the bytes of a path that is none
    int valuesPerLine = 0;
    // Line i * nq + j: concentration i, q² j; values beyond valuesPerLine are absent.
    std::vector<std::array<double, 10>> values;

    // Values no measurement can have (PlausibleRanges.h), in the order of the
    // file ("line 17: Kc/R 1e+30 mol/g"). What holds them is not loaded: the
    // value line; all lines of a concentration (or its viscosity or
    // temperature) or of a q² value; every line for a PLT header value.
    std::vector<std::string> impossible;
    // Fields of value lines that are no number ("-1.#IND0E+000", "1.#INF"
    // of undetermined values): each counts as -1, not determined ("line 13:
    // \"-1.#IND0E+000\"").
    std::vector<std::string> notNumbers;
    std::vector<bool> concentrationKept;  // per concentration
    std::vector<bool> q2Kept;             // per q² value
    std::vector<bool> lineKept;           // per value line
    // No value line is left to load.
    bool nothingLeft() const;
};

// The room the window has: a file that declares more q² values or
// concentrations raises EOvlConcAngle as soon as the count is read.
struct PltPlxRoom {
    int concentrations = 99;
    int q2Values = 135;
};

// Throws ReadFailure for a damaged file and EOvlConcAngle for one that does not
// fit. pending runs every 25 values (the load lets the interface handle events).
PltPlxContent ParsePltPlx(std::string_view text, bool plx, PltPlxRoom room,
                          const std::function<void()>& pending = {});

} // namespace zeb
