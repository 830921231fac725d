// The texts of the ASCII export and of the scattering-ratio export of a plot
// window's chosen concentrations, byte for byte as they go to the clipboard or
// into .ASC and .RAT files (lines ended by CR LF).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zeb {

class MeasurementSet;
struct DataPoint;

// The source names of concentrations 1..last in index order, whether or not
// they hold active points, trimmed, each distinct name once (first kept),
// joined by CR LF.
std::string ExportSourceFileList(const MeasurementSet& set);

// The ASCII export: a header, then per chosen concentration (list order; entry
// 0 is the group extrapolated to c = 0) its concentration line and one
// "x y" line per active point with a value: measured points as q² (1/µm²)
// and Kc/R or the plot type's Dapp, extrapolated points and the c0 intercept
// with their plotted value converted back (Berry squared, Guinier e^y).
// c0Intercept may be null (no intercept line).
std::string BuildAsciiExport(const MeasurementSet& set, const std::vector<int>& chosen, int plotType,
                             const DataPoint* c0Intercept);

// The scattering-ratio export: q (1/µm) and R, dR (1/m) of every chosen
// concentration from index 1 on, for every row. nullopt when none of their
// points holds data with an R of 0 or more.
std::optional<std::string> BuildScatteringRatioExport(const MeasurementSet& set, const std::vector<int>& chosen);

} // namespace zeb
