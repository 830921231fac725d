#include "plot/EvaluationView.h"

#include "plot/ChosenConcentrations.h"
#include "plot/EvaluationChart.h"
#include "texts/CommonTexts.h"
#include "texts/Message.h"

#include <algorithm>

namespace zeb {

EvaluationView::EvaluationView(const MeasurementSet& loaded, const EvaluationOptions& options)
    : evaluation_(std::make_unique<Evaluation>(loaded, options)) {
    Evaluation& e = *evaluation_;
    RescaleChart(chart_, e.set, e.fits, e.options.plotType, ff_);
}

bool EvaluationView::loadUserTable(const std::vector<int>& models, const std::string& userTable,
                                   MessageSink& messages) {
    if (std::find(models.begin(), models.end(), kModelUser) == models.end()) return true;
    ff_.user.Release();
    const FfuResult r = LoadUserFormFactor(userTable, ff_.user);
    if (r != FfuResult::Ok) {
        messages.inform(FfuMessageText(r, ff_.user), tx::CapInformation, MsgIcon::Stop);
        return false;
    }
    ff_.userPath = userTable;
    return true;
}

EvaluationView::FormFactorOutcome EvaluationView::showFormFactorView(const std::vector<int>& models,
                                                                     const std::string& userTable, int form,
                                                                     MessageSink& messages) {
    const Evaluation& e = *evaluation_;
    LeaveFormFactorView(ff_);
    if (!loadUserTable(models, userTable, messages)) return FormFactorOutcome::UserTableUnreadable;
    ff_.models = models;
    const double rg = e.results.rgNm.value_or(-1.0), mw = e.results.mwQ2.value_or(-1.0);
    const FormFactorProposal proposed = ProposeFormFactorData(e.set, e.options, chosen_, rg, mw, ff_);
    const std::optional<FormFactorProposal> accepted = AcceptProposalAsShown(proposed, messages);
    if (!accepted) return FormFactorOutcome::NoParameters;
    SetFormFactorView(ff_, form, *accepted, e.completed);
    show();
    return FormFactorOutcome::Shown;
}

bool EvaluationView::restoreFormFactorView(const std::vector<int>& models, int form, double rgNm, double mwGPerMol,
                                           int row, const std::string& userTable, MessageSink& messages) {
    const Evaluation& e = *evaluation_;
    if (!IsStaticPlot(e.options.plotType) || models.empty() || form < 1 || form > kPlotFormCount || row < -1 ||
        row > e.set.lastConcIndex || !(rgNm > 0.0) || !(mwGPerMol > 0.0))
        return false;
    for (int model : models)
        if (model < 1 || model > kModelCount) return false;
    LeaveFormFactorView(ff_);
    if (!loadUserTable(models, userTable, messages)) return false;
    for (int model : models)
        if (std::find(ff_.models.begin(), ff_.models.end(), model) == ff_.models.end()) ff_.models.push_back(model);
    FormFactorProposal p;
    p.row = row;
    p.cGPerCm3 = row < 0 ? -1.0 : row == 0 ? 0.0 : e.set.concentration[static_cast<std::size_t>(row)];
    p.rgNm = rgNm;
    p.mwGPerMol = mwGPerMol;
    SetFormFactorView(ff_, form, p, e.completed);
    show();
    return true;
}

void EvaluationView::show() {
    const Evaluation& e = *evaluation_;
    BuildFormFactorView(e.set, ff_);
    RescaleChart(chart_, e.set, e.fits, e.options.plotType, ff_);
}

void EvaluationView::setManualRanges(const std::optional<std::pair<double, double>>& x,
                                     const std::optional<std::pair<double, double>>& y) {
    if (!x && !y) return;
    PlotSettings& s = chart_.settings;
    ManualRange& mx = ff_.viewShown ? s.manualXFF : s.manualX;
    ManualRange& my = ff_.viewShown ? s.manualYFF : s.manualY;
    if (x) mx = ManualRangeFromLabelUnits(x->first, x->second, chart_.axes.x.labelScale);
    if (y) my = ManualRangeFromLabelUnits(y->first, y->second, chart_.axes.y.labelScale);
    const Evaluation& e = *evaluation_;
    if (ff_.viewShown) BuildFormFactorView(e.set, ff_);
    RescaleChart(chart_, e.set, e.fits, e.options.plotType, ff_);
}

void EvaluationView::choose(const std::vector<int>& concentrations) {
    Evaluation& e = *evaluation_;
    ChosenConcentrations chosen(chosen_, e.set);
    chosen.setC0Intercept(&e.fits.lineC0);
    chosen.clear();
    for (int c : concentrations) chosen.add(c);
}

bool ShowAskedFormFactorView(EvaluationView& view, const std::vector<int>& models, const std::string& userTable,
                             int form, OptionSpelling spelling, MessageSink& messages) {
    if (models.empty()) return true;
    const std::string option = OptionName(Option::FormFactor, spelling);
    if (!IsStaticPlot(view.evaluation().options.plotType))
        throw OptionError{option + " needs a static plot type (zimm, berry or guinier)"};
    switch (view.showFormFactorView(models, userTable, form, messages)) {
    case EvaluationView::FormFactorOutcome::Shown: return true;
    case EvaluationView::FormFactorOutcome::UserTableUnreadable: return false;
    case EvaluationView::FormFactorOutcome::NoParameters: break;
    }
    throw OptionError{option + " needs Rg and Mw of the data extrapolated to c = 0: choose " +
                      OptionName(Option::QOrder, spelling) + " and " + OptionName(Option::COrder, spelling) + " 1..5"};
}

ChartInputs EvaluationView::chartInputs() const {
    const Evaluation& e = *evaluation_;
    return ChartInputsOf(chart_, e.set, e.options, e.fits, e.results, ff_);
}

} // namespace zeb
