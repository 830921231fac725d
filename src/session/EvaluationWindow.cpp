#include "session/EvaluationWindow.h"

#include "texts/CommonTexts.h"
#include "texts/EvaluationTexts.h"
#include "analysis/FitPolynomial.h"
#include "analysis/PlotType.h"
#include "data/CFormat.h"
#include "platform/Platform.h"
#include "plotwindow/TFitF1.h"
#include "session/EvaluationFiles.h"

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>

namespace zeb {

std::optional<std::string> EvaluationRefusal(const TFitF1& w) {
    if (w.loadedFiles().empty() || w.set().lastConcIndex > w.concentrationsFromFiles()) return tx::EvaluationPastedData;
    if (w.reflectionCorrected()) return tx::EvaluationReflectionCorrected;
    return std::nullopt;
}

EvaluationCapture CaptureEvaluation(const TFitF1& w, const std::string& zebPath) {
    EvaluationCapture result;
    if (auto refusal = EvaluationRefusal(w)) {
        result.problem = std::move(*refusal);
        return result;
    }
    // The evaluation never takes the place of one of its data files.
    std::vector<std::string> dataPaths;
    for (const auto& loaded : w.loadedFiles()) dataPaths.push_back(loaded.path);
    if (w.formFactor().viewShown && !w.formFactor().userPath.empty()) dataPaths.push_back(w.formFactor().userPath);
    for (const std::string& data : dataPaths) {
        std::error_code ec;
        if (data == zebPath || std::filesystem::equivalent(data, zebPath, ec)) {
            result.problem = tx::EvaluationWouldReplaceData + data;
            return result;
        }
    }
    SavedEvaluation e;
    for (const auto& loaded : w.loadedFiles()) {
        struct stat st {};
        if (loaded.identity && (::stat(loaded.path.c_str(), &st) != 0 || !(IdentityOf(st) == *loaded.identity))) {
            result.problem = tx::EvaluationFileChangedSinceLoad + loaded.path;
            return result;
        }
        std::string reason;
        const auto entry = DescribeDataFile(loaded.path, zebPath, &reason);
        if (!entry) {
            result.problem = tx::EvaluationFileUnreadable + reason;
            return result;
        }
        e.files.push_back(*entry);
    }
    e.plotType = PlotTypeNumber(w.plotType());
    e.qOrder = OrderNumber(w.qOrder());
    e.cOrder = OrderNumber(w.cOrder());
    e.smoothing = w.rememberedSmoothing() == Smoothing::On;
    e.weighting = w.weighting() == Weighting::On;
    e.kInternal = w.k();
    e.deactivated = w.deactivatedPoints();
    const FormFactorState& ff = w.formFactor();
    if (ff.viewShown && !ff.models.empty()) {
        EvaluationFormFactor f;
        f.models = ff.models;
        f.representation = ff.form;
        f.rgNm = ff.rgNm;
        f.mwGPerMol = ff.mwGPerMol;
        f.compared = ff.row;
        if (std::find(ff.models.begin(), ff.models.end(), 5) != ff.models.end()) {
            std::string reason;
            f.userFile = DescribeDataFile(ff.userPath, zebPath, &reason);
            if (!f.userFile) {
                result.problem = tx::EvaluationFileUnreadable + reason;
                return result;
            }
        }
        // Parameters the file cannot hold (no Rg or Mw) leave the view out.
        if (f.rgNm > 0.0 && f.mwGPerMol > 0.0) e.formFactor = f;
    }
    result.evaluation = std::move(e);
    return result;
}

bool LoadEvaluationFiles(TFitF1& w, const SavedEvaluation& e, const std::string& zebPath) {
    for (std::size_t i = 0; i < e.files.size(); ++i) {
        const std::string path = ResolveEvaluationPath(e.files[i].path, zebPath);
        w.giveFilesToLoad({path});
        bool loaded;
        if (i == 0) {
            w.FormActivate();
            loaded = !w.view().closeRequested && !w.awaitingFirstData();
        } else {
            loaded = w.ID_DATEI_DAZULADENClick() == kLoadOk;
        }
        if (!loaded) {
            w.giveFilesToLoad({});
            w.platform().inform(tx::EvaluationLoadFailed + path, tx::CapError, MsgIcon::Exclamation);
            return false;
        }
    }
    return true;
}

void ApplyEvaluation(TFitF1& w, const SavedEvaluation& e, const std::string& zebPath) {
    Platform& platform = w.platform();
    MeasurementSet& set = w.set();
    std::string missing;
    for (const auto& [c, a] : e.deactivated) {
        DataPoint* p = c <= set.lastConcIndex && a <= set.lastAngleIndex ? set.cell(c, a) : nullptr;
        if (p && p->hasData != 0) p->active = 0;
        else missing += CFormat("%d:%d ", c, a);
    }
    if (!missing.empty()) platform.inform(tx::EvaluationPointsMissing + missing, tx::CapInformation, MsgIcon::Information);

    // In the order of the batch tool's options: the options dialog's choices, k, then the menus.
    w.setWeighting(e.weighting ? Weighting::On : Weighting::Off);
    w.setRememberedSmoothing(e.smoothing ? Smoothing::On : Smoothing::Off);
    if (e.kInternal && !w.RestoreK(*e.kInternal))
        platform.inform(tx::EvaluationKRefused, tx::CapInformation, MsgIcon::Information);
    const PlotType plotType = PlotTypeFromNumber(e.plotType).value_or(PlotType::Zimm);
    if (w.menuItem(PlotTypeItem(plotType)).enabled) {
        w.selectPlotType(plotType);
    } else {
        platform.inform(tx::EvaluationPlotTypeMissing, tx::CapInformation, MsgIcon::Information);
    }
    w.selectQOrder(FitOrderFromNumber(e.qOrder).value_or(FitOrder::None));
    w.selectCOrder(FitOrderFromNumber(e.cOrder).value_or(FitOrder::None));
    if (e.formFactor) {
        const EvaluationFormFactor& ff = *e.formFactor;
        const std::string userPath = ff.userFile ? ResolveEvaluationPath(ff.userFile->path, zebPath) : std::string();
        if (!w.RestoreFormFactorView(ff.models, ff.representation, ff.rgNm, ff.mwGPerMol, ff.compared, userPath))
            platform.inform(tx::EvaluationFormFactorRefused, tx::CapInformation, MsgIcon::Information);
    }
}

} // namespace zeb
