#include "plot/FormFactorChart.h"

#include "analysis/DecimalFormat.h"
#include "analysis/NumberText.h"
#include "settings/PlotSettings.h"
#include "texts/CommonTexts.h"
#include "texts/FormFactorTexts.h"
#include "texts/Message.h"

namespace zeb {

std::vector<FormFactorXY> FormFactorCurveOf(const FormFactorState& ff, int model) {
    return FormFactorCurve(ff.grid, ff.form, model, ff.rgCm(), &ff.user.spline);
}

FormFactorProposal ProposeFormFactorData(const MeasurementSet& set, const EvaluationOptions& options,
                                         const std::vector<int>& chosen, double rgNmOfResults,
                                         double mwQ2OfResults, const FormFactorState& ff) {
    FormFactorProposal p;
    p.rgNm = ff.rgNm;
    p.mwGPerMol = ff.mwGPerMol;
    if (!chosen.empty() && options.qOrder != FitOrder::None && chosen.back() >= 1 &&
        chosen.back() <= set.lastConcIndex) {
        p.row = chosen.back();
        p.cGPerCm3 = set.concentration[static_cast<std::size_t>(p.row)];
        p.rgNm = set.appRg[static_cast<std::size_t>(p.row)];
        p.mwGPerMol = set.appMw[static_cast<std::size_t>(p.row)];
    } else if (options.qOrder != FitOrder::None && options.cOrder != FitOrder::None) {
        // Also when the chosen group is the c = 0 extrapolation itself.
        p.row = 0;
        p.cGPerCm3 = 0.0;
        p.rgNm = rgNmOfResults;
        p.mwGPerMol = mwQ2OfResults;
    }
    return p;
}

std::string FormFactorFieldText(double value) { return DecimalFormat(tx::FormFactorParametersNumberPattern, value); }

FormFactorFieldCheck CheckFormFactorFields(const std::string& rgText, const std::string& mwText,
                                           MessageSink& messages) {
    FormFactorFieldCheck check;
    check.rgNm = ParseTypedNumber(rgText);
    if (!check.rgNm) {
        check.rgUnreadable = true;
        messages.inform(tx::InvalidNumber, tx::CapInformation, MsgIcon::Stop);
        return check;
    }
    check.mwGPerMol = ParseTypedNumber(mwText);
    if (!check.mwGPerMol) {
        messages.inform(tx::InvalidNumber, tx::CapInformation, MsgIcon::Stop);
        return check;
    }
    if (*check.rgNm <= 0.0 || *check.mwGPerMol <= 0.0) {
        messages.inform(tx::InvalidInput, tx::CapInformation, MsgIcon::None);
        return check;
    }
    check.accepted = true;
    return check;
}

std::optional<FormFactorProposal> AcceptProposalAsShown(const FormFactorProposal& proposal, MessageSink& messages) {
    // Without compared data or without an Rg the dialog shows empty fields.
    const bool shown = proposal.cGPerCm3 >= 0.0 && proposal.rgNm >= 0.0;
    const FormFactorFieldCheck check =
        CheckFormFactorFields(shown ? FormFactorFieldText(proposal.rgNm) : std::string(),
                              shown ? FormFactorFieldText(proposal.mwGPerMol) : std::string(), messages);
    if (!check.accepted) return std::nullopt;
    FormFactorProposal accepted = proposal;
    accepted.rgNm = *check.rgNm;
    accepted.mwGPerMol = *check.mwGPerMol;
    return accepted;
}

void SetFormFactorView(FormFactorState& ff, int form, const FormFactorProposal& p, bool labels) {
    ff.form = form;
    ff.cGPerCm3 = p.cGPerCm3;
    ff.row = p.row;
    ff.rgNm = p.rgNm;
    ff.mwGPerMol = p.mwGPerMol;
    if (labels) {
        ff.dataLabel = DataLabel(p.cGPerCm3);
        for (int model = 1; model <= kModelCount; ++model)
            ff.modelLabels[static_cast<std::size_t>(model - 1)] = ModelLabel(model, p.rgNm);
    }
    ff.viewShown = true;
}

void BuildFormFactorView(const MeasurementSet& set, FormFactorState& ff) {
    ff.measured.clear();
    if (ff.comparesData()) ff.measured = MeasuredFormFactorPoints(set, ff.row, ff.form, ff.rgCm(), ff.mwGPerMol);
    ff.grid = MakeFormFactorGrid(set);
    ff.ranges = ComputeFormFactorRanges(ff.grid, ff.models, ff.form, ff.rgCm(), &ff.user.spline, ff.measured);
}

void LeaveFormFactorView(FormFactorState& ff) {
    ff.viewShown = false;
    ff.models.clear();
}

void AddFormFactorChartInputs(ChartInputs& in, const FormFactorState& ff, const PlotSettings& s) {
    in.formFactor = ff.viewShown;
    if (!in.formFactor) return;
    in.representation = ff.form;
    in.formFactorShowsData = ff.comparesData();
    in.formFactorPoints.reserve(ff.measured.size());
    for (const FormFactorMeasuredPoint& m : ff.measured) {
        ChartFFPoint p;
        p.x = m.x;
        p.y = m.y;
        p.yHi = m.y + m.error;
        p.yLo = m.y - m.error;
        p.hasData = 1;
        p.active = m.active ? 1 : 0;
        in.formFactorPoints.push_back(p);
    }
    for (int model : ff.models) {
        if (model < 1 || model > kModelCount) continue;
        ChartFFCurve curve;
        curve.lineRow = kLineFirstFormFactor + model - 1;
        for (const FormFactorXY& xy : FormFactorCurveOf(ff, model)) curve.points.emplace_back(xy.x, xy.y);
        curve.label = s.legend[static_cast<std::size_t>(model)];
        in.formFactorCurves.push_back(std::move(curve));
    }
    in.formFactorConcentrationText = s.legend[0];
}

} // namespace zeb
