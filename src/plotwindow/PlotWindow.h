// The plot window's core (no widgets): the analysis state of one window and the
// handlers of its Calculation, q²-Dep., c-Dep., plot-type and form-factor menus,
// the k controls and the reflection correction. The Qt window owns one PlotWindow,
// forwards menu and widget events to the handlers below and mirrors the menu
// and widget state (check marks, enabled/visible flags, label and field texts).
//
// Menu items and the controls at the left of the chart are indexed by the
// enums of PlotMenu.h, whose table names them and gives each item its handler.
//
// The chart side (PlotWindowChart.cpp): the window's plot settings, the axis state
// that RescaleAxes rebuilds (after PreparePoints, a calculation and when the
// form-factor view is built), SetAxesAutomatic (a new plot type), the
// source-file list and the text sizes of the last screen paint. Repaint and
// RefreshCaption are the view's hooks.
#pragma once

#include "analysis/EvaluationResults.h"
#include "analysis/Extrapolation.h"
#include "analysis/FormFactorView.h"
#include "analysis/PlotType.h"
#include "analysis/UserFormFactor.h"
#include "evaluation/Evaluation.h"
#include "data/DataWindow.h"
#include "plot/ChartDrawing.h"
#include "plot/ChartState.h"
#include "plot/FormFactorChart.h"
#include "plot/WindowState.h"
#include "export/FormFactorFitTable.h"
#include "plotwindow/PlotMenu.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zeb {

class ResidualChart;

class PlotWindow : public DataWindow {
public:
    explicit PlotWindow(Platform& platform);

    // ---- Calculation
    void calculate();  // "&Calculate": the whole calculation
    // PreparePoints: 0 = plotted y only, 1 = also x, 2 = first the default k, then as 1.
    void PreparePoints(int mode);
    // After every successful load (also after adding a file or pasting data).
    void PostLoadSetup();
    // Concentrations that can be chosen at most (the chosen list's capacity).
    static constexpr std::size_t kMaxChosen = 101;
    // After the options dialog closed: weighting and smoothing take effect.
    void AfterOptions();
    // Every handler below does nothing while a file is read (loading()); the
    // view mirrors commandAvailable() in its menus and controls.

    // ---- "&smooth" of the q²-Dep. menu
    void toggleSmoothing();

    // ---- The choices of the Plot-Type, q²-Dep. and c-Dep. menus (their items
    // run these; saved evaluations choose this way). Choosing the q order "no"
    // also switches smoothing off, as its menu item does.
    void setQOrder(FitOrder order);
    void setCOrder(FitOrder order);
    void setPlotType(PlotType type);

    // ---- k
    void stepKDown();  // "&<<"
    void stepKUp();  // "&>>"
    void kFieldEntered();           // the field got the focus
    void kFieldKeyDown(int key);  // 13 = Enter
    void kFieldLeft();
    void takeKFromField();  // reads the typed k from the field "kField"

    // ---- Form factors and reflection correction
    // Checks or unchecks a model; shows the form-factor view in plot form 1..12
    // (after the parameter dialog).
    void toggleFormFactorModel(FormFactorModel model);
    void showFormFactorPlot(int representation);
    void correctReflection();

    // ---- Restoring a saved evaluation (the handlers' effects without their dialogs)
    // Sets k (internal units) and recalculates; false, and nothing changes, when
    // it is no k the chart of these data can show.
    bool RestoreK(double kInternal);
    // Checks the models (1..5; the user model reads userPath) and shows the
    // form-factor view in plot form 1..12 with the given parameters, comparing
    // concentration `row` (0: the data extrapolated to c = 0, -1: no data).
    // False, with the measurement plot kept, when that is not possible here (a
    // user form factor that cannot be read has said why in a message).
    bool RestoreFormFactorView(const std::vector<int>& models, int form, double rgNm, double mwGPerMol, int row,
                               const std::string& userPath);
    // The measured points switched off, as (concentration, angle) from 1.
    std::vector<PointIndex> deactivatedPoints() const;
    // Points were switched on or off since the last calculation.
    bool pointsChangedSinceCalculation() const { return deactivatedPoints() != deactivatedAtCalculation_; }
    // The fitted lines and result fields no longer match the points shown: the
    // measurement plot was calculated with a fit and points were switched on or
    // off since. The view dims the result fields and shows resultsOutOfDateHint()
    // until the next calculation.
    bool resultsOutOfDate() const {
        const bool fitted = options_.qOrder != FitOrder::None || options_.cOrder != FitOrder::None;
        return calculated_ && fitted && !ff_.viewShown && pointsChangedSinceCalculation();
    }
    // The uncertainty of the results shown: the 95 % intervals by propagation
    // and by bootstrap (2,000 resamples, seed 1, as zebstat-batch gives them)
    // and the order advice, as text; "" without a fit or while the results are
    // out of date. The largest set takes well under half a second.
    std::string uncertaintyText() const;
    // "Residuals of the fits...": the residuals of the fits over q² of the
    // results shown as a chart, drawn with the window's plot settings (as
    // zebstat-batch --chart residuals draws them). None, after a message saying
    // why, without a fit over q² (chosen, or made for any concentration) or
    // while the results are out of date.
    std::unique_ptr<ResidualChart> residualChart();
    // "Fit form factors...": the models of the form-factor menu (with the
    // user's form factor when one is loaded) fitted to the points extrapolated
    // to c = 0, with their 95 % intervals, the best fit first. None, after a
    // message saying why, without a static plot type or a fit over c, or while
    // the results are out of date.
    std::optional<FormFactorFitTable> fitFormFactors();
    // "Calculate (Ctrl+N) to update" while the results are out of date, else empty.
    std::string resultsOutOfDateHint() const;
    // The reflection correction has changed some of the window's data.
    bool reflectionCorrected() const;

    // ---- Settings the options dialog writes (the calculation reads them)
    void setWeighting(Weighting weighting) { options_.weighting = weighting; }
    void setRememberedSmoothing(Smoothing smoothing) { options_.smoothing = smoothing; }
    // Chosen concentrations (point selection): the last one is compared in the form-factor view.
    std::vector<int>& chosenConcentrations() { return chosen_; }

    // ---- Read access for the chart, the results window and the batch tool
    PlotType plotType() const { return options_.plotType; }
    FitOrder qOrder() const { return options_.qOrder; }
    FitOrder cOrder() const { return options_.cOrder; }
    // In effect: off while the q order is "no", whatever was chosen.
    Smoothing smoothing() const { return options_.smoothingInEffect(); }
    // As chosen in the menu or the options dialog.
    Smoothing rememberedSmoothing() const { return options_.smoothing; }
    Weighting weighting() const { return options_.weighting; }
    double k() const { return options_.kInternal.value_or(0.0); }
    // All of the above that the next calculation is made with (the points
    // switched off are those of the set; k is set once data are loaded).
    const EvaluationOptions& calculationOptions() const { return options_; }
    // The folder the window's data come from, where its save dialogs start: that
    // of the file last loaded, else of the first concentration's source file
    // (pasted data); empty when none is known.
    std::string dataFolder() const;
    int kStep() const { return kStep_; }
    bool calculated() const { return calculated_; }
    const ExtrapolationResult& fits() const { return fits_; }
    // The two extrapolated lines: c -> 0 over q² ("c0 intercept") and q -> 0 over c ("q0 intercept").
    const DataPoint& lineC0() const { return fits_.lineC0; }
    // The record point selection marks when the c = 0 group is chosen.
    DataPoint& lineC0Record() { return fits_.lineC0; }
    const DataPoint& lineQ0() const { return fits_.lineQ0; }
    const EvaluationResults& results() const { return results_; }
    const std::array<std::string, 4>& resultLines() const { return results_.lines; }
    const std::string& resultsText() const { return results_.text; }
    // Rg (nm) of the last calculation; -1 when there is none.
    double storedRgNm() const { return storedRgNm_; }
    const FormFactorState& formFactor() const { return ff_; }
    // The points of the curve of a checked model in the current plot form.
    std::vector<FormFactorXY> formFactorCurve(int model) const;

    using MenuStates = std::array<MenuItemState, kPlotMenuItemCount>;
    using WidgetStates = std::array<WidgetState, kPlotWidgetCount>;
    const MenuStates& menu() const { return menu_; }
    const MenuItemState& menuItem(PlotMenuItem item) const { return menu_[static_cast<std::size_t>(item)]; }
    const WidgetStates& widgets() const { return widgets_; }
    const WidgetState& widget(PlotWidget w) const { return widgets_[static_cast<std::size_t>(w)]; }
    // The view writes what the user typed.
    void setWidgetText(PlotWidget w, const std::string& text) { control(w).text = text; }

    // ---- The chart (PlotWindowChart.cpp)
    // The window's plot settings: a copy of the global defaults with the axis
    // titles and line rows of the settings file. Until this is called the window
    // draws with the built-in settings.
    void ReadWindowSettings(const GlobalDefaults& defaults, const std::string& settingsPath);
    PlotSettings& plotSettings() { return chart_.settings; }
    const PlotSettings& plotSettings() const { return chart_.settings; }
    const ChartState& chartState() const { return chart_; }
    const AxesState& axes() const { return chart_.axes; }
    // The files the chart names under the plot, rebuilt at every rescale.
    const std::string& sourceFiles() const { return chart_.sourceFiles; }
    // A screen paint keeps its text sizes (a metafile is laid out with them) and
    // its layout (the data area for hit testing).
    void StoreScreenPaint(const ChartDrawResult& paint);
    const ChartMetrics* screenMetrics() const { return chart_.painted ? &chart_.screen.metrics : nullptr; }
    const PlotLayout* screenLayout() const { return chart_.painted ? &chart_.screen.layout : nullptr; }

protected:
    // The load sequence's hooks: the first prepares the selection list (false
    // closes the window), the second runs the post-load setup and repaints.
    bool PrepareAfterFirstLoad() override;
    void AfterLoad() override;
    // The record review dialog and the concentration table for the loads.
    std::unique_ptr<RecordReview> makeRecordReview() override;
    std::unique_ptr<ConcentrationTable> makeConcentrationTable() override;

    virtual void RescaleAxes();
    virtual void SetAxesAutomatic();
    virtual void Repaint() {}
    virtual void RefreshCaption() {}
    bool loadRunning() const { return loading(); }

private:
    MenuItemState& item(PlotMenuItem i) { return menu_[static_cast<std::size_t>(i)]; }
    WidgetState& control(PlotWidget w) { return widgets_[static_cast<std::size_t>(w)]; }
    void checkPlotType(PlotType type);
    void checkOrder(PlotMenuItem (*itemOf)(FitOrder), FitOrder order);
    FitOrder readOrder(PlotMenuItem (*itemOf)(FitOrder), FitOrder stored);
    void updateReflectItem();
    void setKControlsVisible(bool visible);
    void leaveFormFactorView();
    void updatePlotFormItems();
    bool obtainUserFormFactor();
    void buildFormFactorView();
    void showFormFactorView(int form, const FormFactorProposal& parameters);
    double kScale() const;
    void afterKChange();
    void takeTypedK(std::optional<double> typed);
    void showK();

    // What the next calculation is made with: plot type, fit orders, smoothing
    // as chosen (in effect only with a fit over q²), weighting and k.
    EvaluationOptions options_;
    int kStep_ = 10;
    bool kEnterArmed_ = false;
    bool kRefusing_ = false;  // the refusal of a typed k is on the screen
    bool calculated_ = false;
    double storedMwQ2_ = -1.0;
    double storedRgNm_ = -1.0;
    ExtrapolationResult fits_;
    EvaluationResults results_;
    FormFactorState ff_;
    std::vector<int> chosen_;
    std::vector<PointIndex> deactivatedAtCalculation_;
    MenuStates menu_{};
    WidgetStates widgets_{};

    ChartState chart_;
};

} // namespace zeb
