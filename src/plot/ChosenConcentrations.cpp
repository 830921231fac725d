#include "plot/ChosenConcentrations.h"

#include "texts/SelectionTexts.h"
#include "data/CFormat.h"
#include "data/MeasurementSet.h"
#include "plot/SelectionGeometry.h"

#include <algorithm>

namespace zeb {

bool ChosenConcentrations::contains(int c) const {
    return std::find(list_->begin(), list_->end(), c) != list_->end();
}

void ChosenConcentrations::MarkChosen(DataPoint& p) { p.symbolState = p.active == 1 ? 100 : 1000; }

void ChosenConcentrations::setSymbols(int c, bool chosen) {
    for (int a = 0; a <= set_->lastAngleIndex; ++a) {
        if (!IsSelectable(*set_, c, a)) continue;
        DataPoint& p = *set_->cell(c, a);
        if (chosen) MarkChosen(p);
        else p.symbolState = 1;
    }
    if (c == 0 && c0Intercept_ && c0Intercept_->hasData == 1) {
        if (chosen) MarkChosen(*c0Intercept_);
        else c0Intercept_->symbolState = 1;
    }
}

bool ChosenConcentrations::add(int c) {
    if (c < 0 || c > set_->lastConcIndex || contains(c) || list_->size() >= kMaxEntries) return false;
    list_->push_back(c);
    setSymbols(c, true);
    return true;
}

bool ChosenConcentrations::remove(int c) {
    const auto it = std::find(list_->begin(), list_->end(), c);
    if (it == list_->end()) return false;
    list_->erase(it);
    setSymbols(c, false);
    return true;
}

bool ChosenConcentrations::toggle(int c) {
    if (remove(c)) return false;
    return add(c);
}

void ChosenConcentrations::clear() {
    // An entry a paste or an earlier, larger data set left behind is dropped
    // without touching cells that no longer exist.
    for (int c : *list_)
        if (c >= 0 && c <= set_->lastConcIndex) setSymbols(c, false);
    list_->clear();
}

void ChosenConcentrations::refreshSymbols() {
    for (int c : *list_)
        if (c >= 0 && c <= set_->lastConcIndex) setSymbols(c, true);
}

std::string ChosenConcentrations::text() const {
    std::string out;
    for (int c : *list_) out += CFormat(tx::SelectChosenEntryFormat, c);
    return out;
}

} // namespace zeb
