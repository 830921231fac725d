// The export selection dialog of a plot window ("ZEB-Stat: Export Data"): shown
// without blocking the window when an export finds no chosen concentration. It
// explains how to choose concentrations in the chart and lets the user type
// their numbers; when it closes, the export that opened it runs.
//
// One per plot window, created with it; it is only shown and hidden. The
// chosen list is the window's; its changes go through ChosenConcentrations so
// that the chart's symbols follow.
//
// Hooks: onChanged (visibility or numbersField changed: the form shows the state
// again), onRepaint (the chart), onPostDeferredExport (post a click on the
// window's hidden export button, so that the export runs after the dialog has
// gone; without the hook nothing is exported), locked (true while the window
// reads a file: typed numbers, OK and Abort change nothing then and the dialog
// stays as it is).
#pragma once

#include "plot/ChosenConcentrations.h"

#include <functional>
#include <string>
#include <vector>

namespace zeb {

class MeasurementSet;
class Platform;
struct DataPoint;

class ExportSelectionDialog {
public:
    ExportSelectionDialog(Platform& platform, MeasurementSet& set, std::vector<int>& chosen);

    // The record of the extrapolation along c = 0, marked when the c = 0 group
    // (number 0) is typed. May be null.
    void setC0Intercept(DataPoint* record) { chosen_.setC0Intercept(record); }

    // The instruction lines of instructions, joined by CR LF.
    static std::string InstructionText();

    // Shows the dialog with an empty numbersField.
    void Show();
    bool visible() const { return visible_; }

    // A key typed into numbersField (after the form has put the new text into numbersField):
    // Space applies the typed numbers.
    void keyTyped(char key);
    // Clears the chosen list, then chooses every number typed in numbersField up to the
    // first character that is neither a blank nor a digit (which is reported;
    // then false).
    bool ApplyTypedNumbers();

    // OK: numbers typed since the last Space are applied first; a character
    // that is no number is reported and the dialog stays open to correct it.
    void accept();
    // "&Abort": nothing is chosen any more, so the export that follows does nothing.
    void abort();
    // OK, Abort and the window's own close end here.
    void finish();

    // After each choice made in the chart: numbersField shows the chosen list ("1 3 ").
    void ChosenListChanged();

    // "No data records selected !" shows while nothing is chosen.
    bool noSelectionLabelVisible() const { return list_.empty(); }

    std::string numbersField;

    std::function<void()> onChanged;
    std::function<void()> onRepaint;
    std::function<void()> onPostDeferredExport;
    std::function<bool()> locked;
    bool isLocked() const { return locked && locked(); }

private:
    void changed() {
        if (onChanged) onChanged();
    }
    void repaint() {
        if (onRepaint) onRepaint();
    }

    Platform& platform_;
    std::vector<int>& list_;
    ChosenConcentrations chosen_;
    bool visible_ = false;
};

} // namespace zeb
