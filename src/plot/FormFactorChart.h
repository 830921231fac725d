// The form-factor view of a chart: which theoretical form factors are shown,
// in which plot form, with which Rg and Mw, compared with which data, and what
// the chart draws of it. The plot window keeps one; the batch tool and the
// Python module show one the same way, without a window.
#pragma once

#include "analysis/FormFactorView.h"
#include "analysis/UserFormFactor.h"
#include "evaluation/EvaluationOptions.h"
#include "plot/ChartInputs.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace zeb {

class MessageSink;
struct PlotSettings;

struct FormFactorState {
    std::vector<int> models;  // checked models (1..5) in the order they were checked
    int form = 11;            // plot form 1..12 (a new chart starts with Pz vs q)
    double rgNm = -1.0;       // the parameters of the shown curves
    double mwGPerMol = -1.0;
    double cGPerCm3 = -1.0;   // of the compared data: 0 extrapolated, -1 none
    int row = -1;             // compared data row: 0 extrapolated to c = 0, i concentration i, -1 none
    std::array<std::string, 5> modelLabels;  // per model 1..5 at index model - 1
    std::string dataLabel;
    UserFormFactor user;
    std::string userPath;     // the file the user form factor was read from
    bool viewShown = false;
    FormFactorGrid grid;
    std::vector<FormFactorMeasuredPoint> measured;
    FormFactorRanges ranges;
    double rgCm() const { return rgNm * 1e-7; }
    bool comparesData() const { return cGPerCm3 >= 0.0 && row >= 0; }
};

// The points of the curve of a model in the view's plot form.
std::vector<FormFactorXY> FormFactorCurveOf(const FormFactorState& ff, int model);

// The data a new form-factor view compares and the parameters it proposes: the
// last chosen concentration (with its apparent Rg and Mw) when a q² order is
// chosen, else the data extrapolated to c = 0 (Rg and Mw(q²) of the last
// calculation) when both orders are chosen, else no data (c < 0).
struct FormFactorProposal {
    double cGPerCm3 = -1.0;
    int row = -1;
    double rgNm = -1.0;
    double mwGPerMol = -1.0;
};
FormFactorProposal ProposeFormFactorData(const MeasurementSet& set, const EvaluationOptions& options,
                                         const std::vector<int>& chosen, double rgNmOfResults,
                                         double mwQ2OfResults, const FormFactorState& ff);

// The text a field of the parameter dialog shows for a value (four significant digits).
std::string FormFactorFieldText(double value);
// What the dialog's OK takes from its Rg and Mw fields: each read as it is
// typed (a field that is no number stops there, with "Invalid Number !"); both
// must be positive ("Invalid input !"). The messages go to messages.
struct FormFactorFieldCheck {
    std::optional<double> rgNm;       // as read (also when Mw then fails)
    std::optional<double> mwGPerMol;  // as read
    bool accepted = false;
    bool rgUnreadable = false;        // the Rg field was no number (else Mw, when neither is accepted)
};
FormFactorFieldCheck CheckFormFactorFields(const std::string& rgText, const std::string& mwText,
                                           MessageSink& messages);
// The parameters as the dialog accepts them when it is closed with its default
// answer (the fields as proposed); nothing, with the dialog's message told, when
// it has nothing to accept (no compared data, no Rg).
std::optional<FormFactorProposal> AcceptProposalAsShown(const FormFactorProposal& proposal, MessageSink& messages);

// Shows the view in plot form `form` with these parameters; with labels the
// legend takes the data and model labels (a view shown before any calculation
// keeps the labels it had).
void SetFormFactorView(FormFactorState& ff, int form, const FormFactorProposal& parameters, bool labels);
// The measured points, the q grid and the ranges of the view from the set.
void BuildFormFactorView(const MeasurementSet& set, FormFactorState& ff);
// Leaves the view: no model checked.
void LeaveFormFactorView(FormFactorState& ff);

// What the chart draws of the view, added to in (the settings give the legend).
void AddFormFactorChartInputs(ChartInputs& in, const FormFactorState& ff, const PlotSettings& settings);

} // namespace zeb
