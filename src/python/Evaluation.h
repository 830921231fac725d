// What the Python module evaluates, without Python: files loaded as
// zebstat-batch eval loads them (the first as the window's first load, the
// others with "&Add data file...", review dialogs answered "Continue without any
// change", messages recorded and never printed), the analysis options applied
// by the same functions as the batch tool's, and the outcome taken from the
// window as plain values.
#pragma once

#include "cli/AnalysisOptions.h"
#include "cli/PlotOutput.h"
#include "platform/ScriptedPlatform.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace zeb {
class TFitF1;
struct DataPoint;
}

namespace zeb::python {

// A load that failed or was refused: the text of the message box that said why.
struct LoadFailure {
    std::string text;
};

// An option the evaluation cannot take (the text says which and why).
struct OptionFailure {
    std::string text;
};

// A file as it was when it was loaded, to notice a later change.
struct FileStamp {
    std::string path;
    std::uintmax_t sizeBytes = 0;
    std::int64_t modifiedNs = 0;
};

struct Loaded {
    std::vector<std::string> files;
    std::vector<FileStamp> stamps;
    std::string sampleName;
    std::vector<double> concentrationsGPerCm3;  // concentrations 1..last
    std::vector<double> q2PerCm2;               // angles 1..last
    std::string dumpJson;                       // as `eval --dump` prints it right after loading
    std::vector<RecordedMessage> messages;      // shown while loading
};

// Throws LoadFailure.
Loaded LoadMeasurement(const std::vector<std::string>& files);

// The plotted points of a measurement (concentration and angle from 1) or of an
// extrapolation (concentration 0: the line to c = 0; angle 0: the line to q = 0).
struct PointColumns {
    std::vector<double> x, y, yHigh, yLow;
    std::vector<std::uint8_t> active;
    std::vector<int> conc, angle;
    void add(const DataPoint& p, int c, int a);
};

class Evaluated {
public:
    Evaluated();
    ~Evaluated();
    Evaluated(Evaluated&&) noexcept;
    Evaluated& operator=(Evaluated&&) noexcept;

    std::string resultsJson;  // `eval --json`
    std::string resultsText;  // `eval --results`
    std::vector<RecordedMessage> messages;
    PointColumns points;       // the measured points
    PointColumns toC0;         // the extrapolated points at c = 0, per angle
    PointColumns toQ0;         // ... at q = 0, per concentration
    // The double extrapolation (x, y): found along the line to q = 0 and along
    // the line to c = 0; absent when not calculated.
    std::optional<std::pair<double, double>> q0Intercept, c0Intercept;

    // The chart as --plot-file writes it, ext ".svg" or ".wmf". Throws
    // std::runtime_error when it cannot be drawn.
    std::string chartBytes(const std::string& ext) const;

private:
    friend Evaluated Evaluate(const Loaded&, const cli::AnalysisOptions&, const cli::PlotOptions&);
    std::unique_ptr<ScriptedPlatform> platform_;
    std::unique_ptr<TFitF1> window_;
};

// Loads the files again (throws LoadFailure when one changed since `loaded`)
// and evaluates them with the analysis options, then shows the form-factor view
// and sets the axis ranges of the chart options (their plot file is not used).
// Throws OptionFailure for a point that does not exist or a form-factor view
// the evaluation cannot show, LoadFailure when a user form factor cannot be read.
Evaluated Evaluate(const Loaded& loaded, const cli::AnalysisOptions& options, const cli::PlotOptions& chart);

// The chart options from the texts of zebstat-batch's command line (for
// example {"--x-range", "0", "5"}); throws OptionFailure.
cli::PlotOptions ChartOptions(const std::vector<std::string>& args);

// `zebstat-batch formfactor` with these arguments: its JSON. Throws
// OptionFailure for bad arguments, LoadFailure when a file cannot be read.
std::string FormFactor(const std::vector<std::string>& args);

// Runs f with numbers formatted and read in the C locale on this thread,
// whatever the embedding program set.
class CNumbersOnThisThread {
public:
    CNumbersOnThisThread();
    ~CNumbersOnThisThread();
    CNumbersOnThisThread(const CNumbersOnThisThread&) = delete;
    CNumbersOnThisThread& operator=(const CNumbersOnThisThread&) = delete;

private:
    void* previous_ = nullptr;
    void* own_ = nullptr;
};

} // namespace zeb::python
