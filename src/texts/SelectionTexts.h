// Texts of point selection in the plot window: the status line describing the
// point under the mouse or the keyboard cursor, and the keyboard-mode hint.
#pragma once

namespace zeb::tx {

// Appended to every status text while the keyboard point-select mode is on.
inline constexpr const char* SelectKeyModeHint = " 'Esc' to end keyboard input.";
// Concentration index, concentration in g/dm³, angle index, q² in 1/µm², the
// plotted y and the concentration's file name (name and extension).
inline constexpr const char* SelectPointFormat = "[%d]: %g g/dm³ [%d]: q²=%g × 1/µm²; y=%g (%-15s)";
// The keyboard cursor's point, after the description above.
inline constexpr const char* SelectPointActive = " point active ";
inline constexpr const char* SelectPointInactive = " point inactive ";
// One chosen concentration index in the export dialog's concentration field.
inline constexpr const char* SelectChosenEntryFormat = "%d ";

} // namespace zeb::tx
