// The uncertainty of the plot window's results: the section of the results
// window, the residual chart and the form-factor fits.
#include "plotwindow/PlotWindow.h"

#include "analysis/PlotType.h"
#include "data/CFormat.h"
#include "evaluation/Evaluation.h"
#include "evaluation/UncertaintyReport.h"
#include "export/UncertaintyRecord.h"
#include "platform/Platform.h"
#include "plot/ResidualChart.h"
#include "texts/CommonTexts.h"
#include "texts/DataTexts.h"
#include "texts/PlotWindowTexts.h"

#include <new>
#include <stdexcept>

namespace zeb {

namespace {

// The evaluation of the results shown, or the reason there is none.
std::unique_ptr<Evaluation> EvaluationShown(const MeasurementSet& set, const EvaluationOptions& options,
                                            std::string& why) {
    try {
        auto e = std::make_unique<Evaluation>(set, options);
        if (e->completed) return e;
        why = e->messages.empty() ? tx::ErrorAllocationMemory : e->messages.back().text;
    } catch (const std::invalid_argument& refused) {
        why = CFormat(tx::EvaluationNotRepeated, refused.what());
    } catch (const std::bad_alloc&) {
        why = tx::ErrorAllocationMemory;
    }
    return nullptr;
}

} // namespace

std::string PlotWindow::uncertaintyText() const {
    const bool fitted = options_.qOrder != FitOrder::None || options_.cOrder != FitOrder::None;
    if (!calculated_ || !fitted || ff_.viewShown || resultsOutOfDate()) return "";
    // The window's set as it stands: its switched-off points take no part.
    std::string why;
    const std::unique_ptr<Evaluation> e = EvaluationShown(set(), options_, why);
    if (!e) return "";
    try {
        return UncertaintyText(ReportUncertainty(*e));
    } catch (const std::bad_alloc&) {
        return "";
    }
}

std::unique_ptr<ResidualChart> PlotWindow::residualChart() {
    if (loading() || !set_.initialised()) return nullptr;
    std::string why;
    if (options_.qOrder == FitOrder::None) why = tx::ResidualsNeedQFit;
    else if (resultsOutOfDate()) why = tx::PointsChangedSinceCalculation;
    std::unique_ptr<Evaluation> e = why.empty() ? EvaluationShown(set_, options_, why) : nullptr;
    if (e) {
        try {
            auto chart = std::make_unique<ResidualChart>(*e, chart_.settings);
            if (chart->points() > 0) return chart;
            why = tx::ResidualsNone;
        } catch (const std::bad_alloc&) {
            why = tx::ErrorAllocationMemory;
        }
    }
    platform_.inform(why, tx::CapInformation, MsgIcon::Information);
    return nullptr;
}

std::optional<FormFactorFitTable> PlotWindow::fitFormFactors() {
    if (loading() || !set_.initialised()) return std::nullopt;
    std::string why;
    if (!IsStaticPlot(options_.plotType)) why = tx::FormFactorFitsNeedStatic;
    else if (options_.cOrder == FitOrder::None) why = tx::FormFactorFitsNeedCFit;
    else if (resultsOutOfDate()) why = tx::PointsChangedSinceCalculation;
    std::unique_ptr<Evaluation> e = why.empty() ? EvaluationShown(set_, options_, why) : nullptr;
    if (!e) {
        platform_.inform(why, tx::CapInformation, MsgIcon::Information);
        return std::nullopt;
    }
    FormFactorFitOptions options;
    if (ff_.user.loaded) {
        options.models.push_back(kModelUser);
        options.userSpline = &ff_.user.spline;
    }
    return TabulateFormFactorFits(FitFormFactors(*e, options), options.level);
}

} // namespace zeb
