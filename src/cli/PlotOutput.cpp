#include "cli/PlotOutput.h"

#include "analysis/NumberText.h"
#include "cli/AxesJson.h"
#include "cli/Commands.h"
#include "plot/ChartExport.h"
#include "plot/PlotWindowGeometry.h"
#include "plot/TFitF1.h"
#include "plot/TFitF1Chart.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#ifdef ZEBSTAT_HAVE_QT
#include "plot/qt/ChartRaster.h"

// fontconfig keeps its configuration to the end of the process; in a build
// with the leak checker that is not a leak of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }
#endif

namespace zeb::cli {

namespace {

std::string lowerExtension(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    std::string ext = path.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

std::pair<double, double> range(const std::vector<std::string>& args, std::size_t& i) {
    const std::string& option = args[i];
    if (i + 2 >= args.size()) throw UsageError{option + " needs two numbers, LO HI"};
    const auto lo = ParseTypedNumber(args[i + 1]);
    const auto hi = ParseTypedNumber(args[i + 2]);
    if (!lo || !hi || !std::isfinite(*lo) || !std::isfinite(*hi))
        throw UsageError{option + " needs two numbers, not \"" + args[i + 1] + "\" \"" + args[i + 2] + "\""};
    if (*lo == *hi) throw UsageError{option + " needs two different limits"};
    i += 2;
    return {*lo, *hi};
}

} // namespace

bool ParsePlotOption(const std::vector<std::string>& args, std::size_t& i, PlotOptions& o) {
    const std::string& a = args[i];
    if (a == "--x-range") {
        o.xRange = range(args, i);
        return true;
    }
    if (a == "--y-range") {
        o.yRange = range(args, i);
        return true;
    }
    if (a == "--plot-file") {
        if (i + 1 >= args.size()) throw UsageError{"--plot-file needs a file name"};
        const std::string& path = args[++i];
        const std::string ext = lowerExtension(path);
        if (ext != ".wmf" && ext != ".svg" && ext != ".png" && ext != ".pdf")
            throw UsageError{"--plot-file: \"" + path + "\" must end in .wmf, .svg, .png or .pdf"};
        o.plotFile = path;
        return true;
    }
    return false;
}

void ApplyPlotRanges(TFitF1& w, const PlotOptions& o) {
    if (!o.xRange && !o.yRange) return;
    PlotSettings& s = w.plotSettings();
    ManualRange& x = s.formFactorMode ? s.manualXFF : s.manualX;
    ManualRange& y = s.formFactorMode ? s.manualYFF : s.manualY;
    if (o.xRange) x = ManualRangeFromLabelUnits(o.xRange->first, o.xRange->second, w.axes().x.labelScale);
    if (o.yRange) y = ManualRangeFromLabelUnits(o.yRange->first, o.yRange->second, w.axes().y.labelScale);
    w.AfterOptions();
}

std::string WritePlotFile(const TFitF1& w, const std::string& path) {
    const ChartInputs in = MakeChartInputs(w);
    bool written = false;
#ifdef ZEBSTAT_HAVE_QT
    EnsureGuiApplication();
    const ScreenTarget screen = ChartScreenTarget(kInitialClientWidth, kInitialClientHeight);
    written = WriteChartFile(path, in, QSize(screen.width, screen.height));
#else
    const std::string ext = lowerExtension(path);
    if (ext == ".png" || ext == ".pdf") return "PNG and PDF need a build with Qt";
    written = WriteChartVectorFile(path, in, w.screenMetrics());
#endif
    return written ? "" : "could not write " + path;
}

void AddAxesMember(JsonMembers& members, const TFitF1& w) {
    auto at = std::find_if(members.begin(), members.end(), [](const auto& m) { return m.first == "messages"; });
    members.insert(at, {"axes", json::axes(w.axes())});
}

} // namespace zeb::cli
