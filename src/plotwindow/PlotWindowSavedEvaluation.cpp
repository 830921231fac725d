#include "plotwindow/PlotWindowSavedEvaluation.h"

#include "texts/CommonTexts.h"
#include "texts/SavedEvaluationTexts.h"
#include "analysis/FitPolynomial.h"
#include "analysis/PlotType.h"
#include "data/CFormat.h"
#include "platform/Platform.h"
#include "plotwindow/PlotWindow.h"
#include "session/SavedEvaluationFiles.h"

namespace zeb {

std::optional<std::string> EvaluationRefusal(const PlotWindow& w) {
    if (w.loadedFiles().empty() || w.set().lastConcIndex > w.concentrationsFromFiles()) return tx::EvaluationPastedData;
    if (w.reflectionCorrected()) return tx::EvaluationReflectionCorrected;
    return std::nullopt;
}

EvaluationCapture CaptureEvaluation(const PlotWindow& w, const std::string& zebPath) {
    if (auto refusal = EvaluationRefusal(w)) {
        EvaluationCapture result;
        result.problem = std::move(*refusal);
        return result;
    }
    EvaluationSnapshot snapshot;
    snapshot.files = w.loadedFiles();
    snapshot.options = w.calculationOptions();
    snapshot.options.switchedOff = w.deactivatedPoints();
    snapshot.formFactor = &w.formFactor();
    return CaptureEvaluation(snapshot, zebPath);
}

bool LoadEvaluationFiles(PlotWindow& w, const SavedEvaluation& e, const std::string& zebPath) {
    for (std::size_t i = 0; i < e.files.size(); ++i) {
        const std::string path = ResolveEvaluationPath(e.files[i].path, zebPath);
        w.giveFilesToLoad({path});
        bool loaded;
        if (i == 0) {
            w.activate();
            loaded = !w.view().closeRequested && !w.awaitingFirstData();
        } else {
            loaded = w.addDataFile() == kLoadOk;
        }
        if (!loaded) {
            w.giveFilesToLoad({});
            w.platform().inform(tx::EvaluationLoadFailed + path, tx::CapError, MsgIcon::Exclamation);
            return false;
        }
    }
    return true;
}

void ApplyEvaluation(PlotWindow& w, const SavedEvaluation& e, const std::string& zebPath) {
    Platform& platform = w.platform();
    MeasurementSet& set = w.set();
    const EvaluationOptions& o = e.options;
    std::string missing;
    for (const PointIndex& p : o.switchedOff) {
        if (IsPointOf(set, p)) set.cell(p.concentration, p.angle)->active = 0;
        else missing += CFormat("%d:%d ", p.concentration, p.angle);
    }
    if (!missing.empty()) platform.inform(tx::EvaluationPointsMissing + missing, tx::CapInformation, MsgIcon::Information);

    // In the order of the batch tool's options: the options dialog's choices, k, then the menus.
    w.setWeighting(o.weighting);
    w.setRememberedSmoothing(o.smoothing);
    if (o.kInternal && !w.RestoreK(*o.kInternal))
        platform.inform(tx::EvaluationKRefused, tx::CapInformation, MsgIcon::Information);
    if (w.menuItem(PlotTypeItem(o.plotType)).enabled) {
        w.setPlotType(o.plotType);
    } else {
        platform.inform(tx::EvaluationPlotTypeMissing, tx::CapInformation, MsgIcon::Information);
    }
    w.setQOrder(o.qOrder);
    w.setCOrder(o.cOrder);
    if (e.formFactor) {
        const EvaluationFormFactor& ff = *e.formFactor;
        const std::string userPath = ff.userFile ? ResolveEvaluationPath(ff.userFile->path, zebPath) : std::string();
        if (!w.RestoreFormFactorView(ff.models, ff.representation, ff.rgNm, ff.mwGPerMol, ff.compared, userPath))
            platform.inform(tx::EvaluationFormFactorRefused, tx::CapInformation, MsgIcon::Information);
    }
}

} // namespace zeb
