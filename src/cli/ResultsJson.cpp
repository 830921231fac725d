#include "cli/ResultsJson.h"

#include "analysis/PlotType.h"
#include "platform/ScriptedPlatform.h"
#include "plotwindow/TFitF1.h"

namespace zeb::cli {

namespace {

std::string optional(const std::optional<double>& v) { return json::number(v); }

// Coefficients a1..a(order+1) of a row and their errors; empty arrays when not fitted.
std::pair<std::string, std::string> fitted(bool made, const std::array<double, MeasurementSet::kCoefficients>& row,
                                           const LineErrors& errors, int order) {
    std::vector<double> a, e;
    if (made)
        for (int k = 1; k <= order + 1; ++k) {
            a.push_back(row[static_cast<std::size_t>(k)]);
            e.push_back(errors.errors[static_cast<std::size_t>(k)]);
        }
    return {json::numbers(a), json::numbers(e)};
}

} // namespace

JsonMembers ResultsJsonMembers(const TFitF1& w, const std::vector<RecordedMessage>& messages) {
    const EvaluationResults& r = w.results();
    const MeasurementSet& set = w.set();
    const ExtrapolationResult& fits = w.fits();
    JsonMembers m = {
        {"plotType", std::to_string(PlotTypeNumber(w.plotType()))},
        {"qOrder", std::to_string(OrderNumber(w.qOrder()))},
        {"cOrder", std::to_string(OrderNumber(w.cOrder()))},
        {"smoothing", w.smoothing() == Smoothing::On ? "true" : "false"},
        {"weighting", w.weighting() == Weighting::On ? "true" : "false"},
        {"k", json::number(w.k())},
    };
    if (IsDynamicPlot(w.plotType())) {
        m.insert(m.end(), {{"DzC", optional(r.dzC)}, {"DzQ2", optional(r.dzQ2)}, {"CS2", optional(r.cs2Um2)},
                           {"kD", optional(r.kD)}});
    } else {
        m.insert(m.end(), {{"MwC", optional(r.mwC)}, {"MwQ2", optional(r.mwQ2)}, {"RgNm", optional(r.rgNm)},
                           {"S2Cm2", optional(r.s2Cm2)}, {"A2", optional(r.a2)}});
    }
    m.emplace_back("relErrPercent", json::object({{"P1", optional(r.relErrPercent[0])},
                                                  {"P2", optional(r.relErrPercent[1])},
                                                  {"P3", optional(r.relErrPercent[2])},
                                                  {"P4", optional(r.relErrPercent[3])}}));
    std::vector<std::string> lines;
    for (const auto& line : r.lines) lines.push_back(json::string(line));
    m.emplace_back("resultLines", json::array(lines));

    std::vector<std::string> concs;
    for (int c = 1; c <= set.lastConcIndex; ++c) {
        const ConcentrationValues v =
            static_cast<std::size_t>(c) < r.conc.size() ? r.conc[static_cast<std::size_t>(c)] : ConcentrationValues{};
        const DataPoint* summary = set.cell(c, 0);
        const auto [a, e] = fitted(summary && summary->hasData == 1, set.calcTableA[static_cast<std::size_t>(c)],
                                   fits.concErrors[static_cast<std::size_t>(c)], OrderNumber(w.qOrder()));
        concs.push_back(json::object({{"index", std::to_string(c)},
                                      {"cGPerCm3", json::number(set.concentration[c])},
                                      {"source", json::string(set.sourceName[static_cast<std::size_t>(c)])},
                                      {"MwApp", optional(v.mwApp)},
                                      {"RgAppNm", optional(v.rgAppNm)},
                                      {"S2AppCm2", optional(v.s2AppCm2)},
                                      {"DzApp", optional(v.dzApp)},
                                      {"CS2App", optional(v.cs2AppUm2)},
                                      {"RhNm", optional(v.rhNm)},
                                      {"coefficients", a},
                                      {"errors", e}}));
    }
    m.emplace_back("concentrations", json::array(concs));

    const auto [c0a, c0e] = fitted(fits.lineC0.hasData == 1, set.calcTableA[0], fits.concErrors[0], OrderNumber(w.qOrder()));
    const auto [q0a, q0e] = fitted(fits.lineQ0.hasData == 1, set.calcTableB[0], fits.angleErrors[0], OrderNumber(w.cOrder()));
    m.emplace_back("lines", json::object({{"cToZero", json::object({{"coefficients", c0a}, {"errors", c0e}})},
                                          {"qToZero", json::object({{"coefficients", q0a}, {"errors", q0e}})}}));
    m.emplace_back("messages", MessagesJson(messages));
    return m;
}

} // namespace zeb::cli
