// The results text of a calculation: the version line, the plot header with
// the orders, the column header, one row per fitted concentration (row 0 for
// the data extrapolated to c = 0), the result lines and, when both extrapolated
// lines were fitted, their relative errors. CR LF line ends, TAB separators.
#pragma once

#include "analysis/EvaluationResults.h"
#include "analysis/Extrapolation.h"
#include "data/MeasurementSet.h"

#include <string>

namespace zeb {

struct ReportSettings {
    int plotType = 1;
    int qOrder = 0;
    int cOrder = 0;
    bool smoothing = false;
    // The fits weight the points with their errors. Unweighted, the errors of a
    // line come from its scatter, and a line through exactly as many points as
    // it has coefficients has none: its relative errors cannot be determined.
    bool weighting = false;
};

// The results text of the pieces.
std::string JoinResultsReport(const ResultsReportParts& parts);

// The name and extension of a path without drive and folders, cut to 15 characters.
std::string ReportFileName(const std::string& path);

// Relative errors P1..P4 in percent (signed as computed; -1 for P3/P4 when their
// line carries no value of that kind). Needs both lines fitted.
std::array<double, 4> RelativeErrors(const MeasurementSet& set, const ExtrapolationResult& fits,
                                     const EvaluationResults& results, int plotType);

// Writes results.report, results.text (the report joined), results.anyRow and results.relErrPercent from the values
// computed before (ComputeStaticValues / ComputeDynamicValues). A relative error
// that cannot be determined (no spare point on an unweighted line) or computed
// (not a finite number) is printed as "---" and left out of relErrPercent.
void BuildResultsText(const MeasurementSet& set, const ExtrapolationResult& fits, const ReportSettings& settings,
                      EvaluationResults& results);

} // namespace zeb
