// The form-factor menu of the plot window: checking models and showing a plot form.
#include "analysis/FormFactor.h"
#include "analysis/PlotType.h"
#include "texts/CommonTexts.h"
#include "texts/FormFactorTexts.h"
#include "dialogs/TFormInputFormF.h"
#include "platform/Platform.h"
#include "plotwindow/TFitF1.h"

#include <algorithm>

namespace zeb {

std::vector<FormFactorXY> TFitF1::formFactorCurve(int model) const {
    return FormFactorCurve(ff_.grid, ff_.form, model, ff_.rgCm(), &ff_.user.spline);
}

bool TFitF1::obtainUserFormFactor() {
    if (ff_.user.loaded) {
        const MsgAnswer keep = platform_.message(tx::UseLoadedUserFormFactor, tx::CapZebStat, MsgButtons::YesNoCancel,
                                                 MsgIcon::Question, MsgAnswer::Yes);
        if (keep == MsgAnswer::Yes) return true;
        if (keep == MsgAnswer::Cancel) return false;
    }
    ff_.user.Release();
    if (platform_.message(tx::UserFormFactorNeedsFile, tx::CapZebStat, MsgButtons::OkCancel, MsgIcon::Information,
                          MsgAnswer::Ok) != MsgAnswer::Ok)
        return false;
    FileDialogRequest request;
    request.filter = tx::UserFormFactorFilter;
    request.mustExist = true;
    const auto path = platform_.openFileName(request);
    if (!path) return false;
    const FfuResult r = LoadUserFormFactor(*path, ff_.user);
    if (r != FfuResult::Ok) {
        platform_.inform(FfuMessageText(r, ff_.user), tx::CapInformation, MsgIcon::Stop);
        return false;
    }
    ff_.userPath = *path;
    return true;
}

void TFitF1::mnFormFactorPClick(int modelTag) {
    const int model = ModelFromTag(modelTag);
    if (loading() || model == 0 || !IsStaticPlot(calculation_.plotType)) return;
    MenuItemState& checkItem = item(ModelItem(model));
    auto it = std::find(ff_.models.begin(), ff_.models.end(), model);
    if (it != ff_.models.end()) {
        ff_.models.erase(it);
        checkItem.checked = false;
    } else {
        ff_.models.push_back(model);
        checkItem.checked = true;
        if (model == kModelUser && !obtainUserFormFactor()) {
            ff_.models.pop_back();
            checkItem.checked = false;
        }
    }
    // The plot forms are offered while at least one model is checked.
    updatePlotFormItems();
    if (ff_.viewShown) {
        buildFormFactorView();
        Repaint();
    }
}

void TFitF1::buildFormFactorView() {
    ff_.measured.clear();
    if (ff_.cGPerCm3 >= 0.0 && ff_.row >= 0)
        ff_.measured = MeasuredFormFactorPoints(set_, ff_.row, ff_.form, ff_.rgCm(), ff_.mwGPerMol);
    ff_.grid = MakeFormFactorGrid(set_);
    ff_.ranges = ComputeFormFactorRanges(ff_.grid, ff_.models, ff_.form, ff_.rgCm(), &ff_.user.spline, ff_.measured);
    RescaleAxes();
}

void TFitF1::mnFormFactorPPClick(int formTag) {
    const int form = PlotFormFromTag(formTag);
    if (loading() || form == 0 || !IsStaticPlot(calculation_.plotType)) return;
    item(PlotMenuItem::CorrReflect).enabled = false;

    // The compared data: the last chosen concentration, else the data extrapolated to c = 0.
    double c = -1.0, rg = ff_.rgNm, mw = ff_.mwGPerMol;
    int row = -1;
    if (!chosen_.empty() && calculation_.qOrder != FitOrder::None && chosen_.back() >= 1 && chosen_.back() <= set_.lastConcIndex) {
        row = chosen_.back();
        c = set_.concentration[row];
        rg = set_.appRg[row];
        mw = set_.appMw[row];
    } else if (calculation_.qOrder == FitOrder::None || calculation_.cOrder == FitOrder::None) {
        c = -1.0;
    } else {
        // Also when the chosen group is the c = 0 extrapolation itself.
        row = 0;
        c = 0.0;
        rg = storedRgNm_;
        mw = storedMwQ2_;
    }

    TFormInputFormF dialog(platform_, c, rg, mw);
    platform_.runModal(dialog);
    if (!dialog.closed() || dialog.aborted()) {
        if (dialog.rgEdited()) calculated_ = true;
        return;
    }

    showFormFactorView(form, c, row, rg, mw);
}

void TFitF1::showFormFactorView(int form, double c, int row, double rg, double mw) {
    item(PlotMenuItem::CorrReflect).enabled = false;
    ff_.form = form;
    ff_.cGPerCm3 = c;
    ff_.row = row;
    ff_.rgNm = rg;
    ff_.mwGPerMol = mw;
    if (calculated_) {
        ff_.dataLabel = DataLabel(c);
        for (int model = 1; model <= kModelCount; ++model)
            ff_.modelLabels[static_cast<std::size_t>(model - 1)] = ModelLabel(model, rg);
    }
    ff_.viewShown = true;
    buildFormFactorView();
    setKControlsVisible(false);
    item(PlotMenuItem::Calculate).enabled = false;
    RefreshCaption();
    Repaint();
}

bool TFitF1::RestoreFormFactorView(const std::vector<int>& models, int form, double rgNm, double mwGPerMol, int row,
                                   const std::string& userPath) {
    if (loading() || !IsStaticPlot(calculation_.plotType) || models.empty() || form < 1 || form > 12 || row < -1 ||
        row > set_.lastConcIndex || !(rgNm > 0.0) || !(mwGPerMol > 0.0))
        return false;
    for (int model : models)
        if (model < 1 || model > kModelCount) return false;
    leaveFormFactorView();
    for (int m = 1; m <= 5; ++m) item(ModelItem(m)).enabled = true;
    for (int model : models) {
        if (std::find(ff_.models.begin(), ff_.models.end(), model) != ff_.models.end()) continue;
        if (model == kModelUser) {
            ff_.user.Release();
            const FfuResult r = LoadUserFormFactor(userPath, ff_.user);
            if (r != FfuResult::Ok) {
                platform_.inform(FfuMessageText(r, ff_.user), tx::CapInformation, MsgIcon::Stop);
                leaveFormFactorView();
                for (int m = 1; m <= 5; ++m) item(ModelItem(m)).enabled = true;
                return false;
            }
            ff_.userPath = userPath;
        }
        ff_.models.push_back(model);
        item(ModelItem(model)).checked = true;
    }
    updatePlotFormItems();
    const double c = row < 0 ? -1.0 : row == 0 ? 0.0 : set_.concentration[row];
    showFormFactorView(form, c, row, rgNm, mwGPerMol);
    return true;
}

} // namespace zeb
