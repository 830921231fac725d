#include "plot/KeyCursor.h"

#include "data/MeasurementSet.h"

namespace zeb {

namespace {

// One index of the cursor moves by `step` (-1 or +1) towards `limit`, skipping
// indices whose point has no value; `at(i)` is the point with that index.
// Without a point on the way, the other index takes the first point of the
// neighbouring row instead (`fallback(i)` with the other index running from 1
// to `otherLast`). Returns the moved cursor, or the old one.
template <class At, class Fallback>
GridPoint Step(const MeasurementSet& set, GridPoint cursor, int index, int step, int limit, At at,
               Fallback fallback, int otherLast) {
    int i = index + step;
    while (!IsSelectable(set, at(i).c, at(i).a) && i != limit) i += step;
    if (IsSelectable(set, at(i).c, at(i).a)) return at(i);
    const int neighbour = index + step;
    for (int j = 1; j <= otherLast; ++j) {
        const GridPoint p = fallback(neighbour, j);
        if (IsSelectable(set, p.c, p.a)) return p;
    }
    return cursor;
}

} // namespace

CursorStep MoveKeyCursor(const MeasurementSet& set, GridPoint cursor, CursorMove move) {
    const int nc = set.lastConcIndex, na = set.lastAngleIndex;
    const int c = cursor.c, a = cursor.a;
    CursorStep out{cursor, false};
    switch (move) {
    case CursorMove::Left:
        if (c <= 0 || (c == 1 && a == 0)) {
            out.beep = true;
            return out;
        }
        out.cursor = Step(
            set, cursor, c, -1, 0, [a](int i) { return GridPoint{i, a}; },
            [](int i, int j) { return GridPoint{i, j}; }, na);
        out.beep = out.cursor.c == c;
        return out;
    case CursorMove::Right:
        if (c >= nc) {
            out.beep = true;
            return out;
        }
        out.cursor = Step(
            set, cursor, c, +1, nc, [a](int i) { return GridPoint{i, a}; },
            [](int i, int j) { return GridPoint{i, j}; }, na);
        out.beep = out.cursor.c == c;
        return out;
    case CursorMove::Up:
        if (a >= na) {
            out.beep = true;
            return out;
        }
        out.cursor = Step(
            set, cursor, a, +1, na, [c](int i) { return GridPoint{c, i}; },
            [](int i, int j) { return GridPoint{j, i}; }, nc);
        out.beep = out.cursor.a == a;
        return out;
    case CursorMove::Down:
        if (a <= 0 || (a == 1 && c == 0)) {
            out.beep = true;
            return out;
        }
        out.cursor = Step(
            set, cursor, a, -1, 0, [c](int i) { return GridPoint{c, i}; },
            [](int i, int j) { return GridPoint{j, i}; }, nc);
        out.beep = out.cursor.a == a;
        return out;
    }
    return out;
}

} // namespace zeb
