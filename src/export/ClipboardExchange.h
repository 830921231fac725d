// The two commands of the clipboard exchange of measurement data: "Export data
// to clipboard" places the chosen concentrations of a window on the clipboard
// in the program's own format (see ExchangeBlock.h); "Paste data from
// clipboard" appends the concentrations of such a block to a window, matching
// their q² values against the rows already there.
#pragma once

#include "export/ExchangeBlock.h"

#include <vector>

namespace zeb {

class MeasurementSet;
class Platform;

// Places the chosen concentrations (entries 1 and above, in list order; the
// c = 0 group is not carried) on the clipboard. Tells the user and returns
// false when there is nothing to export or the clipboard cannot take the block;
// the clipboard is then as it was.
bool ExportExchangeBlock(const MeasurementSet& set, const std::vector<int>& chosen, Platform& platform);

// Where the rows of a block go in a window: the angle index of each block row,
// and the window's last angle index afterwards (above 135 when the block does
// not fit).
struct RowMatch {
    std::vector<int> rowOf;  // block row s (0-based) -> angle index
    int lastAngleIndex = 0;
};
// Each block q² is compared with the window's rows 1..lastAngleIndex by
// RoundSig(·, 6); the first match takes it, otherwise it gets the next new row.
// Rows added for earlier block rows are not matched again.
RowMatch MatchBlockRows(const MeasurementSet& set, const std::vector<double>& blockQ2PerCm2);

// Appends the block's concentrations as new columns (indices last + 1 ..
// last + g) and chooses them. A block that would pass angle index 135 or
// concentration index 99 (the limits of the file readers, so that a window can
// always be saved and loaded again), or memory running out, is reported and
// the window's data stay exactly as they were (false).
// The new concentrations join the chosen list (through ChosenConcentrations, so
// their points carry the chosen marks).
bool PasteExchangeBlock(MeasurementSet& set, std::vector<int>& chosen, Platform& platform,
                        const ExchangeBlock& block);

// The whole command after the user's "OK": reads the block of the registered
// format from the clipboard and pastes it. True when data were added.
bool PasteFromClipboard(MeasurementSet& set, std::vector<int>& chosen, Platform& platform);

} // namespace zeb
