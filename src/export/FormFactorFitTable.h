// The form-factor fits as the plot window shows them: a heading, a table with
// one row per model, the model that fits best first, and the notes (why a
// value is missing, which model fits best). Made beside the text table of the
// same fits (UncertaintyRecord.cpp), in the same number formats.
#pragma once

#include "evaluation/FormFactorFit.h"

#include <string>
#include <vector>

namespace zeb {

struct FormFactorFitTable {
    static constexpr int kColumns = 7;  // model, Mw, its interval, Rg, its interval, sum of squares, rms deviation

    std::string heading;
    std::vector<std::string> columns;             // the column names
    std::vector<std::vector<std::string>> rows;   // kColumns cells each, "---" where nothing is determined
    std::vector<int> models;                      // the model of each row
    std::vector<std::string> notes;
};

// The converged models in the order of their reduced chi² (the best, as
// FitFormFactors names it, first), then those without a fit in the order fitted.
FormFactorFitTable TabulateFormFactorFits(const FormFactorFits& fits, double level);

} // namespace zeb
