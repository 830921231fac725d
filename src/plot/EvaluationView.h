// An evaluation as a plot window shows it, without a window: the evaluation
// of a copy of the loaded set, the chart's state (built-in settings, axes,
// manual ranges), the form-factor view and the chosen concentrations. The batch
// tool and the Python module evaluate through it; the plot window holds the
// same pieces (ChartState, FormFactorState) step by step.
#pragma once

#include "evaluation/Evaluation.h"
#include "evaluation/OptionTable.h"
#include "plot/ChartState.h"
#include "plot/FormFactorChart.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zeb {

class MessageSink;

class EvaluationView {
public:
    // Evaluates a copy of the loaded set with the options (Evaluation's
    // refusals throw std::invalid_argument) and scales the chart to it.
    EvaluationView(const MeasurementSet& loaded, const EvaluationOptions& options);

    Evaluation& evaluation() { return *evaluation_; }
    const Evaluation& evaluation() const { return *evaluation_; }
    const FormFactorState& formFactor() const { return ff_; }
    ChartState& chart() { return chart_; }
    const ChartState& chart() const { return chart_; }
    const std::vector<int>& chosen() const { return chosen_; }

    enum class FormFactorOutcome {
        Shown,
        UserTableUnreadable,  // the user model's table could not be read (a message said why)
        NoParameters,         // no data to compare and no Rg and Mw to propose (a message said why)
    };
    // The form-factor view as the menus show it: the models checked in this
    // order (the user model's table read from userTable), plot form `form`,
    // comparing the data the window proposes with the parameters as its
    // parameter dialog accepts them unchanged. A static plot type only.
    FormFactorOutcome showFormFactorView(const std::vector<int>& models, const std::string& userTable, int form,
                                         MessageSink& messages);
    // A saved view: these models, form, parameters and compared row (0: the data
    // extrapolated to c = 0, -1: none). False, with the measurement plot kept,
    // when that is not possible here (a user table that cannot be read has said why).
    bool restoreFormFactorView(const std::vector<int>& models, int form, double rgNm, double mwGPerMol, int row,
                               const std::string& userTable, MessageSink& messages);

    // Manual axis ranges of the plot shown, in the units its axis labels show;
    // the axes are scaled again.
    void setManualRanges(const std::optional<std::pair<double, double>>& x,
                         const std::optional<std::pair<double, double>>& y);

    // Chooses these concentrations (0: the group at c = 0) in this order, a
    // number given twice once, and marks their points as the chart marks a choice.
    // Numbers must be concentrations of the set.
    void choose(const std::vector<int>& concentrations);

    // The chart as it stands; its pointers refer into this view.
    ChartInputs chartInputs() const;

private:
    bool loadUserTable(const std::vector<int>& models, const std::string& userTable, MessageSink& messages);
    void show();

    std::unique_ptr<Evaluation> evaluation_;
    ChartState chart_;
    FormFactorState ff_;
    std::vector<int> chosen_;
};

// The form-factor view as the batch tool's --form-factor and the Python
// module's form_factor ask for it (nothing when no models are given). False
// when the user table could not be read (a message said why); throws
// OptionError, naming the options in the caller's spelling, for a dynamic plot
// type and when no data give Rg and Mw.
bool ShowAskedFormFactorView(EvaluationView& view, const std::vector<int>& models, const std::string& userTable,
                             int form, OptionSpelling spelling, MessageSink& messages);

} // namespace zeb
