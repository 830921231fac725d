// The names of the evaluation's options in one table: the plot types and the
// form-factor models as the batch tool's options, saved evaluations and the
// Python module name them, and each option as the command line spells it
// ("--q-order") and as a Python keyword ("q_order"). The checks of option
// values that both programs make say what is wrong in the caller's spelling.
#pragma once

#include "analysis/PlotType.h"
#include "evaluation/EvaluationOptions.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zeb {

// An option value that cannot be taken; the text says which and why.
struct OptionError {
    std::string text;
};

enum class OptionSpelling { CommandLine, Keyword };

enum class Option {
    Plot, QOrder, COrder, Smooth, Weight, K, Deactivate,
    XRange, YRange, FormFactor, Representation,
    Model, Rg, Mw, QMax, Data, Conc, FitFormFactors,
};

// "--q-order" or "q_order".
const char* OptionName(Option option, OptionSpelling spelling);

// "zimm", "berry", "guinier", "d1", "d2", "d3".
const char* PlotTypeName(PlotType type);
std::optional<PlotType> PlotTypeNamed(std::string_view name);
// "zimm, berry, guinier, d1, d2 or d3"
std::string PlotTypeNameList();

// The form-factor models 1..5: "coil-md", "coil-pd", "rod", "sphere", "user".
// The empty text for any other number.
const char* ModelName(int model);
std::optional<int> ModelNamed(std::string_view name);

// A list of models as the options give it: names joined by commas, the user
// model as "user:FILE.FFU".
struct ModelList {
    std::vector<int> models;  // in the order given
    std::string userFile;     // the table of the user model
};
// Adds the models of the text to the list (an option given again adds to it).
// Throws OptionError for an unknown name, a second user model, and (when
// refuseRepeats) a model named twice.
void ParseModelList(const std::string& text, Option option, OptionSpelling spelling, bool refuseRepeats,
                    ModelList& list);

// Each throws OptionError naming the option in the caller's spelling.
FitOrder CheckedOrder(long order, Option option, OptionSpelling spelling);  // 0..5
int CheckedRepresentation(long form, Option option, OptionSpelling spelling);  // 1..12
void CheckRange(double low, double high, Option option, OptionSpelling spelling);  // finite, different
// A number above 0; asGiven is the value as the caller wrote it.
double CheckedPositive(std::optional<double> value, const std::string& asGiven, Option option,
                       OptionSpelling spelling);
// The points to deactivate must be points of the set:
// "--deactivate 4:1: no such point (concentrations 1..3, angles 1..13)".
void CheckPoints(const MeasurementSet& set, const std::vector<PointIndex>& points, OptionSpelling spelling);

} // namespace zeb
