// The chart options of `zebstat-batch eval`: the form-factor view, manual axis
// ranges in the units the axis labels show, and the chart drawn into a file
// (WMF, SVG, PNG, PDF).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zeb {
class EvaluationView;
class MessageSink;
struct ChartInputs;
}

namespace zeb::cli {

struct PlotOptions {
    std::optional<std::pair<double, double>> xRange;  // --x-range LO HI
    std::optional<std::pair<double, double>> yRange;  // --y-range LO HI
    std::string plotFile;                             // --plot-file OUT.wmf|.svg|.png|.pdf
    bool residuals = false;                           // --chart residuals: the residual chart instead of the plot
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

// Shows the form-factor view when models are asked for, with the parameters
// the window proposes (the compared data's Rg and Mw). Returns false when the
// user form factor could not be read (a message has said why); throws
// UsageError for a dynamic plot type or when no data give Rg and Mw.
bool ShowFormFactorView(EvaluationView& view, MessageSink& messages, const PlotOptions& options);

// Sets the manual ranges of the plot shown (measurement or form-factor plot) as
// the options dialog would, and scales the axes again.
void ApplyPlotRanges(EvaluationView& view, const PlotOptions& options);

// The chart --plot-file draws: the plot (with its form-factor view, ranges
// and chosen concentrations) or the residual chart of the evaluation.
void WriteAskedChart(const EvaluationView& view, const PlotOptions& options, int& status);

// Draws the chart into the file; a PNG has the size of the chart's part of a
// plot window as it opens (598 × 507 pixels), and every format is laid out with
// the text sizes of that picture. Returns an empty text on success, else why
// the file could not be written.
std::string WritePlotFile(const ChartInputs& chart, const std::string& path);

} // namespace zeb::cli
