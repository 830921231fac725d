// The uncertainty of the plot window's results, for the results window.
#include "plotwindow/PlotWindow.h"

#include "evaluation/Evaluation.h"
#include "evaluation/UncertaintyReport.h"
#include "export/UncertaintyRecord.h"

#include <new>
#include <stdexcept>

namespace zeb {

std::string PlotWindow::uncertaintyText() const {
    const bool fitted = options_.qOrder != FitOrder::None || options_.cOrder != FitOrder::None;
    if (!calculated_ || !fitted || ff_.viewShown || resultsOutOfDate()) return "";
    try {
        // The window's set as it stands: its switched-off points take no part.
        const Evaluation e(set(), options_);
        if (!e.completed) return "";
        return UncertaintyText(ReportUncertainty(e));
    } catch (const std::invalid_argument&) {
        return "";
    } catch (const std::bad_alloc&) {
        return "";
    }
}

} // namespace zeb
