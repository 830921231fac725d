// The form-factor menu of the plot window: checking models and showing a plot form.
#include "analysis/FormFactor.h"
#include "analysis/PlotType.h"
#include "texts/CommonTexts.h"
#include "texts/FormFactorTexts.h"
#include "dialogs/FormFactorParametersDialog.h"
#include "platform/Platform.h"
#include "plotwindow/PlotWindow.h"

#include <algorithm>

namespace zeb {

std::vector<FormFactorXY> PlotWindow::formFactorCurve(int model) const { return FormFactorCurveOf(ff_, model); }

bool PlotWindow::obtainUserFormFactor() {
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

void PlotWindow::toggleFormFactorModel(FormFactorModel chosen) {
    const int model = chosen;
    if (loading() || model < 1 || model > kModelCount || !IsStaticPlot(options_.plotType)) return;
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

void PlotWindow::buildFormFactorView() {
    BuildFormFactorView(set_, ff_);
    RescaleAxes();
}

void PlotWindow::showFormFactorPlot(int form) {
    if (loading() || form < 1 || form > kPlotFormCount || !IsStaticPlot(options_.plotType)) return;
    item(PlotMenuItem::CorrectReflection).enabled = false;

    // The compared data: the last chosen concentration, else the data extrapolated to c = 0.
    FormFactorProposal p = ProposeFormFactorData(set_, options_, chosen_, storedRgNm_, storedMwQ2_, ff_);
    FormFactorParametersDialog dialog(platform_, p.cGPerCm3, p.rgNm, p.mwGPerMol);
    platform_.runModal(dialog);
    if (!dialog.closed() || dialog.aborted()) {
        if (dialog.rgEdited()) calculated_ = true;
        return;
    }

    showFormFactorView(form, p);
}

void PlotWindow::showFormFactorView(int form, const FormFactorProposal& parameters) {
    item(PlotMenuItem::CorrectReflection).enabled = false;
    SetFormFactorView(ff_, form, parameters, calculated_);
    buildFormFactorView();
    setKControlsVisible(false);
    item(PlotMenuItem::Calculate).enabled = false;
    RefreshCaption();
    Repaint();
}

bool PlotWindow::RestoreFormFactorView(const std::vector<int>& models, int form, double rgNm, double mwGPerMol, int row,
                                   const std::string& userPath) {
    if (loading() || !IsStaticPlot(options_.plotType) || models.empty() || form < 1 || form > 12 || row < -1 ||
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
    FormFactorProposal p;
    p.row = row;
    p.cGPerCm3 = row < 0 ? -1.0 : row == 0 ? 0.0 : set_.concentration[row];
    p.rgNm = rgNm;
    p.mwGPerMol = mwGPerMol;
    showFormFactorView(form, p);
    return true;
}

} // namespace zeb
