// Line breaking of the texts printed under a chart and in printouts, and the
// list of source files a chart names.
#pragma once

#include <string>
#include <vector>

namespace zeb {

class MeasurementSet;

// Splits text into lines at CR LF or LF and after at most `width` characters;
// a long line breaks after its last space or backslash when that lies in the
// last third of the line (the space is dropped, the backslash kept), else it is
// cut at `width` characters.
std::vector<std::string> WrapText(const std::string& text, std::size_t width);

// The full path of the file of every concentration holding at least one valid
// active point, trimmed, each distinct path once, in concentration order,
// joined by "; ".
std::string BuildSourceFileList(const MeasurementSet& set);
// The same for the single concentration c.
std::string SourceFileOf(const MeasurementSet& set, int c);

} // namespace zeb
