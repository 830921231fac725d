// One measurement of a series evaluated into one row of the series table: what
// was measured (sample, solvent, wavelength, temperature, the size of the
// grid), how it was evaluated, the results and their relative errors as
// `zebstat-batch eval --json` gives them, the messages and a status. A row that
// cannot be evaluated says why and the series goes on.
#pragma once

#include "evaluation/EvaluationOptions.h"
#include "export/Record.h"
#include "series/SeriesManifest.h"

#include <optional>
#include <string>
#include <vector>

namespace zeb {

// The options every row of a series is evaluated with, unless the row gives its own.
struct SeriesOptions {
    EvaluationOptions evaluation;
    std::optional<double> kDisplayed;  // as typed into the window's field (1e-11 of the internal unit)
    // The 95 % intervals by propagation as columns of their own (MwC_ci95_low,
    // MwC_ci95_high, ... RhNm_ci95_high, before "messages"); they cost more
    // than the rest of a row, so they are asked for.
    bool intervals = false;
};

// The columns of the table in their order. Values that do not apply (the
// static results of a dynamic plot type) or could not be determined are null.
const std::vector<std::string>& SeriesColumns(bool intervals = false);

// Evaluates the entry and returns its row: an object with SeriesColumns() as
// its members, "status" "ok" or "failed" and "error" the reason of a failed row.
Record EvaluateSeriesEntry(const SeriesEntry& entry, const SeriesOptions& options);

bool RowFailed(const Record& row);

} // namespace zeb
