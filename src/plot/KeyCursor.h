// The cursor of the keyboard point-select mode: how the arrow keys move it
// over the points of the grid, skipping cells without a value for the plot.
#pragma once

#include "plot/SelectionGeometry.h"

namespace zeb {

class MeasurementSet;

enum class CursorMove { Left, Right, Up, Down };

struct CursorStep {
    GridPoint cursor;   // where the cursor is afterwards
    bool beep = false;  // the move was refused or found nowhere to go
};

// Left/Right step through the concentrations at the cursor's angle, Up/Down
// through the angles at its concentration, skipping points without a value.
// When there is none in that direction, the cursor moves to the first point of
// the neighbouring concentration (Left/Right, angles 1..na) or the neighbouring
// angle (Up/Down, concentrations 1..nc). It never reaches (0, 0) and beeps
// when it stays where it was.
CursorStep MoveKeyCursor(const MeasurementSet& set, GridPoint cursor, CursorMove move);

} // namespace zeb
