#include "evaluation/OptionTable.h"

#include "analysis/FormFactor.h"
#include "analysis/ShowableRange.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace zeb {

namespace {

struct OptionNames {
    Option option;
    const char* commandLine;
    const char* keyword;
};

constexpr std::array<OptionNames, 18> kOptions = {{
    {Option::Plot, "--plot", "plot"},
    {Option::QOrder, "--q-order", "q_order"},
    {Option::COrder, "--c-order", "c_order"},
    {Option::Smooth, "--smooth", "smooth"},
    {Option::Weight, "--weight", "weight"},
    {Option::K, "--k", "k"},
    {Option::Deactivate, "--deactivate", "deactivate"},
    {Option::XRange, "--x-range", "x_range"},
    {Option::YRange, "--y-range", "y_range"},
    {Option::FormFactor, "--form-factor", "form_factor"},
    {Option::Representation, "--representation", "representation"},
    {Option::Model, "--model", "model"},
    {Option::Rg, "--rg", "rg_nm"},
    {Option::Mw, "--mw", "mw"},
    {Option::QMax, "--q-max", "q_max"},
    {Option::Data, "--data", "data"},
    {Option::Conc, "--conc", "conc"},
    {Option::FitFormFactors, "--fit-form-factors", "form_factor_fits"},
}};

constexpr std::array<const char*, kPlotTypeCount> kPlotTypeNames = {"zimm", "berry", "guinier", "d1", "d2", "d3"};
constexpr std::array<const char*, kModelCount> kModelNames = {"coil-md", "coil-pd", "rod", "sphere", "user"};

std::string name(Option option, OptionSpelling spelling) { return OptionName(option, spelling); }

} // namespace

const char* OptionName(Option option, OptionSpelling spelling) {
    for (const OptionNames& o : kOptions)
        if (o.option == option) return spelling == OptionSpelling::CommandLine ? o.commandLine : o.keyword;
    return "";
}

const char* PlotTypeName(PlotType type) { return kPlotTypeNames[static_cast<std::size_t>(PlotTypeNumber(type) - 1)]; }

std::optional<PlotType> PlotTypeNamed(std::string_view text) {
    for (std::size_t i = 0; i < kPlotTypeNames.size(); ++i)
        if (text == kPlotTypeNames[i]) return PlotTypeFromNumber(static_cast<int>(i) + 1);
    return std::nullopt;
}

std::string PlotTypeNameList() {
    std::string out;
    for (std::size_t i = 0; i < kPlotTypeNames.size(); ++i)
        out += std::string(i == 0 ? "" : i + 1 == kPlotTypeNames.size() ? " or " : ", ") + kPlotTypeNames[i];
    return out;
}

const char* ModelName(int model) {
    return model >= 1 && model <= kModelCount ? kModelNames[static_cast<std::size_t>(model - 1)] : "";
}

std::optional<int> ModelNamed(std::string_view text) {
    for (std::size_t i = 0; i < kModelNames.size(); ++i)
        if (text == kModelNames[i]) return static_cast<int>(i) + 1;
    return std::nullopt;
}

void ParseModelList(const std::string& text, Option option, OptionSpelling spelling, bool refuseRepeats,
                    ModelList& list) {
    const std::string optionName = name(option, spelling);
    std::size_t start = 0;
    while (start <= text.size()) {
        const auto comma = text.find(',', start);
        const std::string item = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        int model = 0;
        if (item.rfind("user:", 0) == 0 && item.size() > 5) {
            if (!list.userFile.empty()) throw OptionError{optionName + " takes one user form factor"};
            list.userFile = item.substr(5);
            model = kModelUser;
        } else if (const auto named = ModelNamed(item); named && *named != kModelUser) {
            model = *named;
        }
        if (model == 0)
            throw OptionError{optionName + ": \"" + item + "\" is none of coil-md, coil-pd, rod, sphere, user:FILE.FFU"};
        if (refuseRepeats && std::find(list.models.begin(), list.models.end(), model) != list.models.end())
            throw OptionError{optionName + " names " + item + " twice"};
        list.models.push_back(model);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
}

FitOrder CheckedOrder(long order, Option option, OptionSpelling spelling) {
    const auto fitOrder = order >= 0 && order < kFitOrderCount ? FitOrderFromNumber(static_cast<int>(order)) : std::nullopt;
    if (!fitOrder) throw OptionError{name(option, spelling) + " must be 0..5"};
    return *fitOrder;
}

int CheckedRepresentation(long form, Option option, OptionSpelling spelling) {
    if (form < 1 || form > kPlotFormCount) throw OptionError{name(option, spelling) + " must be 1..12"};
    return static_cast<int>(form);
}

double CheckedPositive(std::optional<double> value, const std::string& asGiven, Option option,
                       OptionSpelling spelling) {
    if (!value || !(*value > 0.0)) throw OptionError{name(option, spelling) + " needs a positive number, not \"" + asGiven + "\""};
    return *value;
}

void CheckPoints(const MeasurementSet& set, const std::vector<PointIndex>& points, OptionSpelling spelling) {
    for (const PointIndex& p : points)
        if (!IsPointOf(set, p))
            throw OptionError{name(Option::Deactivate, spelling) + " " + std::to_string(p.concentration) + ":" +
                              std::to_string(p.angle) + ": no such point " + PointRangeText(set)};
}

void CheckRange(double low, double high, Option option, OptionSpelling spelling) {
    if (!std::isfinite(low) || !std::isfinite(high)) throw OptionError{name(option, spelling) + " needs two finite numbers"};
    if (low == high) throw OptionError{name(option, spelling) + " needs two different limits"};
    if (!RangeShowable(low, high))
        throw OptionError{name(option, spelling) + " needs limits of at most 1E+12 either way, at least a millionth of the larger apart"};
}

} // namespace zeb
