// The chart options of `zebstat-batch eval`: manual axis ranges in the units
// the axis labels show, and the chart drawn into a file (WMF, SVG, PNG, PDF).
#pragma once

#include "cli/ResultsJson.h"

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zeb {
class ScriptedPlatform;
class TFitF1;
}

namespace zeb::cli {

struct PlotOptions {
    std::optional<std::pair<double, double>> xRange;  // --x-range LO HI
    std::optional<std::pair<double, double>> yRange;  // --y-range LO HI
    std::string plotFile;                             // --plot-file OUT.wmf|.svg|.png|.pdf
    // --form-factor coil-md|coil-pd|rod|sphere|user:FILE.FFU[,...]: the form-factor
    // view with these models, in --representation 1..12 (default 11, Pz vs q).
    std::vector<int> formFactorModels;
    std::string userFormFactorFile;
    int representation = 11;
};

// Takes the option at args[i] (and its values, advancing i); false when args[i]
// is not a chart option. Throws UsageError for a bad or missing value, equal
// range limits, or a file name without one of the four extensions.
bool ParsePlotOption(const std::vector<std::string>& args, std::size_t& i, PlotOptions& options);

// Shows the form-factor view when models are asked for: checks them in the
// window's menu and shows the representation, the parameters being those the
// window proposes (the compared data's Rg and Mw). Returns false when the user
// form factor could not be read (its message box has said why); throws
// UsageError for a dynamic plot type or when no data give Rg and Mw.
bool ShowFormFactorView(TFitF1& window, ScriptedPlatform& platform, const PlotOptions& options);

// Sets the manual ranges of the plot shown (measurement or form-factor plot) as
// the options dialog would and lets the window recalculate and rescale.
void ApplyPlotRanges(TFitF1& window, const PlotOptions& options);

// Draws the window's chart into the file; a PNG has the size of the chart's
// part of a plot window as it opens (598 × 507 pixels), and every format is laid
// out with the text sizes of that picture. Returns an empty text on success,
// else why the file could not be written.
std::string WritePlotFile(const TFitF1& window, const std::string& path);

// The --json member "axes" (inserted before "messages").
void AddAxesMember(JsonMembers& members, const TFitF1& window);

} // namespace zeb::cli
