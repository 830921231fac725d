#include "plotwindow/PointSelection.h"

#include "texts/SelectionTexts.h"
#include "data/MeasurementSet.h"
#include "platform/Platform.h"
#include "plotwindow/PlotWindow.h"

#include <algorithm>

namespace zeb {

namespace {

bool Between(int v, int a, int b) { return v >= std::min(a, b) && v <= std::max(a, b); }

} // namespace

void DragState::visit(GridPoint p) {
    if (p.none()) return;
    minC = std::min(minC, p.c);
    maxC = std::max(maxC, p.c);
    minA = std::min(minA, p.a);
    maxA = std::max(maxA, p.a);
}

PointSelection::PointSelection(PlotWindow& window)
    : window_(&window), set_(&window.set()), chosen_(window.chosenConcentrations(), window.set()) {}

std::string PointSelection::hint() const { return keyMode_ ? tx::SelectKeyModeHint : ""; }

bool PointSelection::measurementPlot() const { return !window_->formFactor().viewShown; }

GridPoint PointSelection::hitAt(double logicalX, double logicalY, const SelectionMapping& mapping,
                                bool* inside) const {
    const double x = mapping.DataX(logicalX), y = mapping.DataY(logicalY);
    if (inside) *inside = mapping.Inside(x, y);
    return HitTest(*set_, mapping, x, y);
}

void PointSelection::toggleActive(int c, int a) {
    if (!IsSelectable(*set_, c, a)) return;
    DataPoint& p = *set_->cell(c, a);
    p.active = p.active != 0 ? 0 : 1;
    // A point of a chosen concentration keeps the mark that matches its new state.
    if (chosen_.contains(c)) ChosenConcentrations::MarkChosen(p);
}

// ---- Mouse

void PointSelection::redrawDrag(SelectionOutcome& out) const {
    const bool rectangle = drag_.pressSet() && drag_.currentC >= 0 && drag_.currentA >= 0;
    for (int c = drag_.minC; c <= drag_.maxC; ++c)
        for (int a = drag_.minA; a <= drag_.maxA; ++a) {
            if (!IsSelectable(*set_, c, a)) continue;
            const bool extrapolated = IsExtrapolated(c, a);
            const bool marked = rectangle && Between(c, drag_.pressC, drag_.currentC) &&
                                Between(a, drag_.pressA, drag_.currentA);
            const int code = marked ? MarkSymbolCode(extrapolated) : PlainSymbolCode(*set_->cell(c, a), extrapolated);
            out.redraws.push_back({c, a, code, false});
        }
}

SelectionOutcome PointSelection::FormMouseMove(double logicalX, double logicalY, const SelectionMapping& mapping) {
    SelectionOutcome out;
    if (window_->loading()) return out;
    if (!measurementPlot()) return out;
    bool inside = false;
    const GridPoint hit = hitAt(logicalX, logicalY, mapping, &inside);
    if ((!inside || hit.none()) && !drag_.dragging) {
        out.cursor = MouseCursorShape::Arrow;
        hit_ = {};
        drag_ = {};
        out.statusText = hint();
        return out;
    }
    out.cursor = MouseCursorShape::Cross;
    hit_ = hit;
    out.statusText = hit.none() ? hint() : PointDescription(*set_, hit.c, hit.a) + hint();
    if (drag_.dragging) {
        // Off every point the rectangle is empty: releasing there toggles nothing.
        drag_.currentC = hit.c;
        drag_.currentA = hit.a;
        drag_.visit(hit);
        redrawDrag(out);
    }
    return out;
}

SelectionOutcome PointSelection::FormMouseLeave() {
    SelectionOutcome out;
    if (!measurementPlot() || drag_.dragging) return out;
    out.cursor = MouseCursorShape::Arrow;
    hit_ = {};
    drag_ = {};
    out.statusText = hint();
    return out;
}

SelectionOutcome PointSelection::FormMouseDown(double logicalX, double logicalY, const SelectionMapping& mapping) {
    SelectionOutcome out;
    if (window_->loading()) return out;
    if (!measurementPlot() || keyMode_) return out;
    drag_ = {};
    releaseIgnored_ = false;
    bool inside = false;
    hit_ = hitAt(logicalX, logicalY, mapping, &inside);
    if (inside && !hit_.none()) {
        drag_.pressC = hit_.c;
        drag_.pressA = hit_.a;
        drag_.dragging = true;
        drag_.visit(hit_);
    }
    return out;
}

SelectionOutcome PointSelection::FormMouseUp(double logicalX, double logicalY, const SelectionMapping& mapping,
                                             bool ctrl) {
    SelectionOutcome out;
    if (window_->loading()) return out;
    if (!measurementPlot() || keyMode_) return out;
    if (releaseIgnored_) {
        releaseIgnored_ = false;
        drag_ = {};
        return out;
    }
    drag_.dragging = false;
    const GridPoint release = hitAt(logicalX, logicalY, mapping, nullptr);
    drag_.visit(release);
    drag_.currentC = release.c;
    drag_.currentA = release.a;
    if (!ctrl && !chosen_.list().empty()) {
        chosen_.clear();
        out.exportFieldText = chosen_.text();
    }
    if (drag_.pressSet() && !release.none()) {
        const int c0 = std::min(drag_.pressC, release.c), c1 = std::max(drag_.pressC, release.c);
        if (ctrl) {
            for (int c = c0; c <= c1; ++c) chosen_.toggle(c);
            out.exportFieldText = chosen_.text();
        } else {
            const int a0 = std::min(drag_.pressA, release.a), a1 = std::max(drag_.pressA, release.a);
            for (int c = c0; c <= c1; ++c)
                for (int a = a0; a <= a1; ++a) toggleActive(c, a);
        }
    }
    drag_ = {};
    out.repaint = true;
    return out;
}

SelectionOutcome PointSelection::cancelDrag() {
    SelectionOutcome out;
    if (!drag_.dragging) return out;
    // Every point the drag passed gets its own look back.
    drag_.currentC = drag_.currentA = -1;
    redrawDrag(out);
    drag_ = {};
    releaseIgnored_ = true;
    out.repaint = true;
    return out;
}

// ---- Keyboard

std::vector<SymbolRedraw> PointSelection::CursorMark() const {
    if (!keyMode_ || !IsSelectable(*set_, cursor_.c, cursor_.a)) return {};
    return {{cursor_.c, cursor_.a, kKeyCursorCode, false}};
}

std::string PointSelection::cursorStatus() const {
    if (!IsSelectable(*set_, cursor_.c, cursor_.a)) return hint();
    const DataPoint& p = *set_->cell(cursor_.c, cursor_.a);
    return PointDescription(*set_, cursor_.c, cursor_.a) +
           (p.active == 1 ? tx::SelectPointActive : tx::SelectPointInactive) + hint();
}

void PointSelection::keyFeedback(SelectionOutcome& out) {
    if (previousCursor_ != cursor_ && IsSelectable(*set_, previousCursor_.c, previousCursor_.a)) {
        const bool extrapolated = IsExtrapolated(previousCursor_.c, previousCursor_.a);
        out.redraws.push_back({previousCursor_.c, previousCursor_.a,
                               PlainSymbolCode(*set_->cell(previousCursor_.c, previousCursor_.a), extrapolated),
                               true});
    }
    if (IsSelectable(*set_, cursor_.c, cursor_.a)) out.redraws.push_back({cursor_.c, cursor_.a, kKeyCursorCode, false});
    previousCursor_ = cursor_;
    out.statusText = cursorStatus();
}

SelectionOutcome PointSelection::togglePointSelectionMode() {
    SelectionOutcome out;
    if (window_->loading()) return out;
    if (keyMode_) {
        keyMode_ = false;
        out.keyModeChanged = true;
        out.repaint = true;
        out.statusText = hint();
        return out;
    }
    if (!measurementPlot()) return out;
    keyMode_ = true;
    drag_ = {};
    out.keyModeChanged = true;
    cursor_ = previousCursor_ = {1, 1};
    keyFeedback(out);
    return out;
}

SelectionOutcome PointSelection::keyPressed(SelectionKey key, bool ctrl) {
    SelectionOutcome out;
    if (window_->loading()) return out;
    if (!keyMode_ || !measurementPlot()) return out;
    switch (key) {
    case SelectionKey::Escape: return togglePointSelectionMode();
    case SelectionKey::Left:
    case SelectionKey::Right:
    case SelectionKey::Up:
    case SelectionKey::Down: {
        const CursorMove move = key == SelectionKey::Left    ? CursorMove::Left
                                : key == SelectionKey::Right ? CursorMove::Right
                                : key == SelectionKey::Up    ? CursorMove::Up
                                                             : CursorMove::Down;
        const CursorStep step = MoveKeyCursor(*set_, cursor_, move);
        if (step.beep) window_->platform().beep();
        cursor_ = step.cursor;
        break;
    }
    case SelectionKey::Enter:
    case SelectionKey::Space:
        if (ctrl) {
            chosen_.toggle(cursor_.c);
            out.exportFieldText = chosen_.text();
            out.repaint = true;
            return out;
        }
        toggleActive(cursor_.c, cursor_.a);
        break;
    case SelectionKey::Other: return out;
    }
    keyFeedback(out);
    return out;
}

// ---- Commands

void PointSelection::setAllActive(int active) {
    for (int c = 0; c <= set_->lastConcIndex; ++c)
        for (int a = 0; a <= set_->lastAngleIndex; ++a)
            if (IsSelectable(*set_, c, a)) set_->cell(c, a)->active = static_cast<std::int16_t>(active);
}

SelectionOutcome PointSelection::activateAllPoints() {
    SelectionOutcome out;
    if (window_->loading()) return out;
    if (!chosen_.list().empty()) {
        chosen_.clear();
        out.exportFieldText = chosen_.text();
    }
    setAllActive(1);
    out.preparePoints = true;
    out.recalculate = window_->qOrder() != FitOrder::None || window_->cOrder() != FitOrder::None;
    out.repaint = true;
    return out;
}

SelectionOutcome PointSelection::deactivateAllPoints() {
    SelectionOutcome out;
    if (window_->loading()) return out;
    if (!chosen_.list().empty()) {
        chosen_.clear();
        out.exportFieldText = chosen_.text();
    }
    setAllActive(0);
    out.preparePoints = true;
    out.repaint = true;
    return out;
}

SelectionOutcome PointSelection::toggleChosenPoints() {
    SelectionOutcome out;
    if (window_->loading()) return out;
    for (int c : chosen_.list()) {
        if (c < 0 || c > set_->lastConcIndex) continue;
        for (int a = 1; a <= set_->lastAngleIndex; ++a) {
            if (!IsSelectable(*set_, c, a)) continue;
            DataPoint& p = *set_->cell(c, a);
            p.active = p.active != 0 ? 0 : 1;
            ChosenConcentrations::MarkChosen(p);
        }
    }
    out.repaint = true;
    return out;
}

} // namespace zeb
