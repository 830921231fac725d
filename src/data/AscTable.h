// The number tables (.asc), read from their bytes without a window: nc, na,
// the nc concentrations, then per angle the angle (not used), q² and nc values
// of Kc/R. Numbers are separated by any white space; the line structure does
// not matter. Numbers are single precision, as the files were written.
//
// The table must be complete and exact: counts that are whole numbers, every
// number whole ("6.37x" is none), nothing after the last row, no row written
// twice, and a last number that was not cut off with the end of the file.
#pragma once

#include "data/ReadProblem.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zeb {

struct AscTable {
    struct Row {
        double q2PerCm2 = 0.0;
        std::vector<double> kcr;  // one per concentration; <= 0 or not finite: missing
        bool kept = true;         // false: q² is no measured value, the row is not loaded
        std::vector<bool> kcrKept;  // per concentration; false: a Kc/R no measurement can have
    };
    std::vector<double> concentrationsGPerCm3;
    std::vector<bool> concentrationKept;  // false: the concentration and its values are not loaded
    std::vector<Row> rows;
    int missingValues = 0;  // Kc/R values that are not positive numbers (of what is loaded)
    // Values no measurement can have (PlausibleRanges.h), in the order of the
    // file: "line 3: q² -5 1/cm² (angle row 1 of 10, with its 4 values)".
    std::vector<std::string> impossible;
    // No value is left to load.
    bool nothingLeft() const;
};

// Throws ReadFailure for a damaged table and EOvlConcAngle when nc >= 100 or
// na > 135. pending runs once per angle row (the load lets the interface
// handle events there).
AscTable ParseAscTable(std::string_view text, const std::function<void()>& pending = {});

} // namespace zeb
