// Point selection in a measurement plot: the mouse (hit test, drag rectangle,
// Ctrl choosing concentrations), the keyboard point-select mode, and the
// commands "Activate &all points", "Deactivate all poi&nts" and
// "De-/Activate data". Form-factor plots take no point selection.
//
// The class works on the window's measurement set and chosen list; it draws
// nothing itself. Each handler returns what the view has to do: the status
// text, the mouse cursor, symbols to redraw (only those; the rest of the chart
// stays), a full repaint, and for the all-points commands the rebuilding of
// the plotted values (PlotWindow::PreparePoints(1)) and a calculation
// (PlotWindow::calculate). Beeps go to the platform directly.
//
// Coordinates reach the mouse handlers in logical units of the chart (the view
// converts from the screen); the mapping is that of the last layout.
#pragma once

#include "plot/ChosenConcentrations.h"
#include "plot/KeyCursor.h"
#include "plot/SelectionGeometry.h"

#include <optional>
#include <string>
#include <vector>

namespace zeb {

class PlotWindow;

enum class MouseCursorShape { Arrow, Cross };

enum class SelectionKey { Left, Right, Up, Down, Enter, Space, Escape, Other };

// One symbol to draw again with the given code (one of the chart's symbol
// codes: 0..6, 100, 1000 and their extrapolated forms 500, 5000).
struct SymbolRedraw {
    int c = 0;
    int a = 0;
    int code = 0;
    bool errorBars = false;  // with its error bar when error bars are shown
    bool operator==(const SymbolRedraw&) const = default;
};

struct SelectionOutcome {
    std::optional<std::string> statusText;     // for the main window's status line
    std::optional<MouseCursorShape> cursor;
    std::vector<SymbolRedraw> redraws;         // in this order, over the present chart
    bool repaint = false;                      // the whole chart
    bool preparePoints = false;                // rebuild plotted values and axes first
    bool recalculate = false;                  // then run the calculation
    bool keyModeChanged = false;               // k controls, "&Calculate" and the check mark
    std::optional<std::string> exportFieldText;  // the export dialog's concentration field
};

// The drag of the left mouse button: where it was pressed, where it is, and
// the range of indices it has passed (32000 / -1 while unset).
struct DragState {
    static constexpr int kUnset = 32000;
    int pressC = kUnset, pressA = kUnset;
    int currentC = -1, currentA = -1;
    int minC = kUnset, maxC = -1, minA = kUnset, maxA = -1;
    bool dragging = false;
    bool pressSet() const { return pressC != kUnset && pressA != kUnset; }
    void visit(GridPoint p);
};

// Every handler does nothing while the window reads a file.
class PointSelection {
public:
    explicit PointSelection(PlotWindow& window);

    // The record of the double extrapolation along the c = 0 line, marked with
    // the chosen c = 0 group (see ChosenConcentrations).
    void setC0Intercept(DataPoint* record) { chosen_.setC0Intercept(record); }

    // ---- Mouse (left button only; the view ignores the others)
    SelectionOutcome FormMouseMove(double logicalX, double logicalY, const SelectionMapping& mapping);
    SelectionOutcome FormMouseDown(double logicalX, double logicalY, const SelectionMapping& mapping);
    SelectionOutcome FormMouseUp(double logicalX, double logicalY, const SelectionMapping& mapping, bool ctrl);
    // The mouse left the window: as a move off the data area (nothing while
    // a drag is under way, which goes on when the mouse comes back).
    SelectionOutcome FormMouseLeave();
    // Esc while the button is held: the drag ends without a change, its marks
    // go, and the release that follows does nothing. Nothing without a drag.
    SelectionOutcome cancelDrag();

    // ---- Keyboard point-select mode
    SelectionOutcome togglePointSelectionMode();  // "Point-select-mode": on / off
    SelectionOutcome keyPressed(SelectionKey key, bool ctrl);

    // ---- Commands
    SelectionOutcome activateAllPoints();  // "Activate &all points"
    SelectionOutcome deactivateAllPoints(); // "Deactivate all poi&nts"
    SelectionOutcome toggleChosenPoints();          // "De-/Activate data"

    // After a load (post-load setup) the drag starts afresh.
    void ResetDragState() {
        drag_ = {};
        releaseIgnored_ = false;
    }
    // After a calculation: the rebuilt intercept record gets the mark of a chosen c = 0 group again.
    void RefreshChosenSymbols() { chosen_.refreshSymbols(); }

    // ---- State the view mirrors
    bool keyMode() const { return keyMode_; }
    // "Point-select-mode" is checked, the k input ("kLabel", "kField",
    // "kSmallerButton", "kLargerButton") hidden and "&Calculate" (calculate)
    // disabled while the keyboard mode is on.
    bool menuChecked() const { return keyMode_; }
    bool kControlsVisible() const { return !keyMode_; }
    bool calculateEnabled() const { return !keyMode_; }
    // " 'Esc' to end keyboard input." in the keyboard mode, else empty.
    std::string hint() const;
    GridPoint hit() const { return hit_; }
    GridPoint keyCursor() const { return cursor_; }
    // The ring of the keyboard cursor while the keyboard mode is on and the
    // cursor is on a point; empty otherwise.
    std::vector<SymbolRedraw> CursorMark() const;
    const DragState& drag() const { return drag_; }
    ChosenConcentrations& chosen() { return chosen_; }
    const ChosenConcentrations& chosen() const { return chosen_; }

private:
    bool measurementPlot() const;
    GridPoint hitAt(double logicalX, double logicalY, const SelectionMapping& mapping, bool* inside) const;
    void toggleActive(int c, int a);
    void redrawDrag(SelectionOutcome& out) const;
    void keyFeedback(SelectionOutcome& out);
    std::string cursorStatus() const;
    void setAllActive(int active);

    PlotWindow* window_;
    MeasurementSet* set_;
    ChosenConcentrations chosen_;
    GridPoint hit_;
    DragState drag_;
    bool releaseIgnored_ = false;  // the drag was cancelled: its release does nothing
    bool keyMode_ = false;
    GridPoint cursor_{1, 1};
    GridPoint previousCursor_{1, 1};
};

} // namespace zeb
