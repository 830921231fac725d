// The chosen concentrations of a plot window: an ordered list of concentration
// indices without duplicates that the exports read and "De-/Activate data"
// toggles. Index 0 is the group extrapolated to c = 0. The list marks its
// points: a chosen concentration's active points carry symbol code 100, its
// inactive ones 1000; leaving the list returns them to 1.
//
// The list itself belongs to the window (PlotWindow::chosenConcentrations()); this
// class edits it together with the symbol codes. The export dialog's typed
// numbers go through add() as well.
#pragma once

#include <string>
#include <vector>

namespace zeb {

class MeasurementSet;
struct DataPoint;

class ChosenConcentrations {
public:
    static constexpr std::size_t kMaxEntries = 101;

    ChosenConcentrations(std::vector<int>& list, MeasurementSet& set) : list_(&list), set_(&set) {}
    // The record of the double extrapolation along the c = 0 line: it is marked
    // with the c = 0 group. May be null (then only the grid is marked).
    void setC0Intercept(DataPoint* record) { c0Intercept_ = record; }

    const std::vector<int>& list() const { return *list_; }
    bool contains(int c) const;
    // Appends c and marks its points. Refused (false) for an index outside
    // 0..last concentration, one already chosen, or a full list.
    bool add(int c);
    // Removes c and returns its points to the plain look; false when c was not chosen.
    bool remove(int c);
    // Adds c when it is not chosen, else removes it; true when it was added.
    bool toggle(int c);
    void clear();
    // Marks the points of every chosen concentration again, e.g. after a
    // calculation has rebuilt the intercept records.
    void refreshSymbols();
    // The list as the export dialog's concentration field shows it: "1 3 ".
    std::string text() const;

    // Code 100 for an active point, 1000 for an inactive one.
    static void MarkChosen(DataPoint& p);

private:
    void setSymbols(int c, bool chosen);

    std::vector<int>* list_;
    MeasurementSet* set_;
    DataPoint* c0Intercept_ = nullptr;
};

} // namespace zeb
