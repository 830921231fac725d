#include "evaluation/Evaluation.h"

#include "analysis/DynamicExtrapolation.h"
#include "analysis/FitPolynomial.h"
#include "analysis/KFactor.h"
#include "analysis/PointTransform.h"
#include "analysis/ResultsReport.h"
#include "data/CFormat.h"
#include "analysis/StaticExtrapolation.h"
#include "texts/AnalysisTexts.h"
#include "texts/CommonTexts.h"

#include <algorithm>
#include <utility>
#include <cmath>
#include <iterator>
#include <new>
#include <stdexcept>
#include <string>

namespace zeb {

double KScaleOf(const MeasurementSet& s) {
    if (s.lastAngleIndex < 1 || s.lastConcIndex < 1) return KScale(0.0, 0.0, 0.0, 0.0);
    double largestQ2 = 0.0, largestC = 0.0;
    for (int a = 1; a <= s.lastAngleIndex; ++a) largestQ2 = std::max(largestQ2, std::fabs(s.q2[a]));
    for (int c = 1; c <= s.lastConcIndex; ++c) largestC = std::max(largestC, std::fabs(s.concentration[c]));
    return KScale(s.q2[s.lastAngleIndex], s.concentration[s.lastConcIndex], largestQ2, largestC);
}

double AutomaticK(const MeasurementSet& set) { return KDefault(KScaleOf(set)); }

bool KAcceptableFor(const MeasurementSet& set, double kInternal) {
    return kInternal != 0.0 && KTypedAcceptable(kInternal, KScaleOf(set));
}

std::optional<double> KFromDisplayed(const MeasurementSet& set, double kDisplayed) {
    if (!KTypedAcceptable(kDisplayed * 1e11, KScaleOf(set))) return std::nullopt;
    const double kInternal = kDisplayed * 1e11;
    return std::fabs(kInternal) < 1e-40 ? 1e11 : kInternal;
}

std::string KRefusalText(const MeasurementSet& set, double kDisplayed) {
    if (!std::isfinite(kDisplayed)) return tx::InvalidFloatInput;
    const double limitDisplayed = kMaxTypedKPerScale * std::fabs(KScaleOf(set)) / 1e11;
    // Six digits, rounded down: the k the message names is taken.
    const double step = std::pow(10.0, std::floor(std::log10(limitDisplayed)) - 5);
    return CFormat(tx::KTooLargeFormat, CFormat("%.6G", std::floor(limitDisplayed / step) * step).c_str());
}

bool IsPointOf(const MeasurementSet& set, const PointIndex& p) {
    return p.concentration >= 1 && p.angle >= 1 && p.concentration <= set.lastConcIndex &&
           p.angle <= set.lastAngleIndex && set.cell(p.concentration, p.angle) != nullptr;
}

std::vector<PointIndex> SwitchedOffPoints(const MeasurementSet& set) {
    std::vector<PointIndex> off;
    if (!set.initialised()) return off;
    for (int c = 1; c <= set.lastConcIndex; ++c)
        for (int a = 1; a <= set.lastAngleIndex; ++a)
            if (const DataPoint* p = set.cell(c, a); p && p->hasData != 0 && p->active == 0) off.push_back({c, a});
    return off;
}

std::string PointRangeText(const MeasurementSet& set) {
    return "(concentrations 1.." + std::to_string(set.lastConcIndex) + ", angles 1.." +
           std::to_string(set.lastAngleIndex) + ")";
}

std::vector<Message> PreparePlottedPoints(MeasurementSet& set, PlotType plotType, double kInternal, bool recomputeX) {
    MessageLog log;
    if (set.initialised()) TransformGrid(set, PlotTypeNumber(plotType), kInternal, recomputeX, log);
    return std::move(log.messages);
}

namespace {

FittedLine lineOf(const std::array<double, MeasurementSet::kCoefficients>& row, const LineErrors& errors,
                  const DataPoint* summary, int order, int lastIndex) {
    FittedLine line;
    line.lastIndex = lastIndex;
    line.fitted = summary && summary->hasData == 1 && order >= 1;
    if (!line.fitted) return line;
    for (int i = 1; i <= order + 1; ++i) {
        line.coefficients.push_back(row[static_cast<std::size_t>(i)]);
        line.errors.push_back(errors.errors[static_cast<std::size_t>(i)]);
    }
    return line;
}

FittedLines linesOf(const MeasurementSet& set, const ExtrapolationResult& fits, const EvaluationOptions& o) {
    FittedLines lines;
    for (int c = 0; c <= set.lastConcIndex; ++c)
        lines.overQ2.push_back(lineOf(set.calcTableA[static_cast<std::size_t>(c)],
                                      fits.concErrors[static_cast<std::size_t>(c)],
                                      c == 0 ? &fits.lineC0 : set.cell(c, 0), OrderNumber(o.qOrder),
                                      fits.concCurveEnd[static_cast<std::size_t>(c)]));
    for (int a = 0; a <= set.lastAngleIndex; ++a)
        lines.overC.push_back(lineOf(set.calcTableB[static_cast<std::size_t>(a)],
                                     fits.angleErrors[static_cast<std::size_t>(a)],
                                     a == 0 ? &fits.lineQ0 : set.cell(0, a), OrderNumber(o.cOrder),
                                     fits.angleCurveEnd[static_cast<std::size_t>(a)]));
    return lines;
}

} // namespace

Calculation Calculate(MeasurementSet& set, const EvaluationOptions& options) {
    Calculation out;
    out.results.plotType = PlotTypeNumber(options.plotType);
    MessageLog log;
    const int plotType = PlotTypeNumber(options.plotType);
    ExtrapolationSettings settings;
    settings.plotType = plotType;
    settings.qOrder = OrderNumber(options.qOrder);
    settings.cOrder = OrderNumber(options.cOrder);
    settings.smoothing = options.smoothingInEffect() == Smoothing::On;
    settings.k = options.kInternal ? *options.kInternal : AutomaticK(set);
    FitContext fit{log, WeightingCode(options.weighting)};
    try {
        RunDoubleExtrapolation(set, settings, fit, out.fits);
    } catch (const std::bad_alloc&) {
        log.inform(tx::NotEnoughMemoryForFitting, tx::CapInformation, MsgIcon::Stop);
        out.messages = std::move(log.messages);
        return out;
    }
    out.lines = linesOf(set, out.fits, options);
    if (IsDynamicPlot(options.plotType)) ComputeDynamicValues(set, out.fits, out.results);
    else ComputeStaticValues(set, out.fits, plotType, out.results);
    BuildResultsText(set, out.fits,
                     {plotType, settings.qOrder, settings.cOrder, settings.smoothing,
                      options.weighting == Weighting::On},
                     out.results);
    out.messages = std::move(log.messages);
    out.completed = true;
    return out;
}

namespace {

void switchOff(MeasurementSet& set, const std::vector<PointIndex>& points) {
    for (const PointIndex& p : points) set.cell(p.concentration, p.angle)->active = 0;
}

void append(std::vector<Message>& to, std::vector<Message>&& from) {
    to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
}

// The loaded set, as it was given (to be copied or taken over), once it can be evaluated.
template <class Set>
Set&& checked(Set&& loaded, const EvaluationOptions& options) {
    if (!FitOrderFromNumber(OrderNumber(options.qOrder)) || !FitOrderFromNumber(OrderNumber(options.cOrder)))
        throw std::invalid_argument("fit orders go from 0 to " + std::to_string(kMaxFitOrder));
    if (!PlotTypeFromNumber(PlotTypeNumber(options.plotType))) throw std::invalid_argument("no such plot type");
    if (!loaded.initialised() || loaded.lastConcIndex < 1 || loaded.lastAngleIndex < 1)
        throw std::invalid_argument("the set holds no data");
    if (options.kInternal && !KAcceptableFor(loaded, *options.kInternal))
        throw std::invalid_argument("k is not a number the chart of these data can show");
    for (const PointIndex& p : options.switchedOff)
        if (!IsPointOf(loaded, p))
            throw std::invalid_argument("no point " + std::to_string(p.concentration) + ":" +
                                        std::to_string(p.angle) + " " + PointRangeText(loaded));
    return std::forward<Set>(loaded);
}

} // namespace

Evaluation::Evaluation(const MeasurementSet& loaded, const EvaluationOptions& options)
    : set(checked(loaded, options), setMessages_) {
    evaluate(options);
}

Evaluation::Evaluation(MeasurementSet&& loaded, const EvaluationOptions& options)
    : set(checked(std::move(loaded), options), setMessages_) {
    evaluate(options);
}

void Evaluation::evaluate(const EvaluationOptions& options) {
    Evaluation& e = *this;
    switchOff(e.set, options.switchedOff);
    e.messages = std::move(setMessages_.messages);
    setMessages_.messages.clear();

    e.options = options;
    e.options.kInternal = options.kInternal ? *options.kInternal : AutomaticK(e.set);

    append(e.messages, PreparePlottedPoints(e.set, e.options.plotType, *e.options.kInternal, true));
    Calculation c = Calculate(e.set, e.options);
    append(e.messages, std::move(c.messages));
    e.fits = std::move(c.fits);
    e.lines = std::move(c.lines);
    e.results = std::move(c.results);
    e.completed = c.completed;
}

} // namespace zeb
