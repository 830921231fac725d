// The measurements of a series named on a command line: a file is one
// measurement, a folder gives one measurement per measurement file in it
// (.sta, .dat, .plt, .plx, .asc, in name order), a pattern with * ? or [ ]
// that names no file gives one measurement per matching file (in name order).
#pragma once

#include "series/SeriesManifest.h"

#include <string>
#include <vector>

namespace zeb {

// The measurements in the order given. A folder that cannot be read and a
// pattern that matches nothing become rows with their problem.
std::vector<SeriesEntry> SeriesEntriesOf(const std::vector<std::string>& inputs);

} // namespace zeb
