#include "cli/PlotOutput.h"

#include "analysis/FormFactor.h"
#include "analysis/NumberText.h"
#include "cli/AxesJson.h"
#include "cli/Commands.h"
#include "plot/ChartExport.h"
#include "plot/PlotWindowGeometry.h"
#include "plotwindow/TFitF1.h"
#include "plotwindow/TFitF1Chart.h"
#include "platform/ScriptedPlatform.h"
#include "platform/WriteError.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#ifdef ZEBSTAT_HAVE_QT
#include "cli/ChartFileModule.h"
#include "platform/PathName.h"

// fontconfig keeps its configuration to the end of the process; in a build
// with the leak checker that is not a leak of ours (and the summary of
// suppressions would add to the messages on standard error).
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
#endif

namespace zeb::cli {

namespace {

// The extension of a file name with its dot, lower case ("" for none).
std::string lowerExtension(const std::string& path) {
    const std::string ext = LowerExtensionOf(path);
    return FileNameOf(path).rfind('.') == std::string::npos ? "" : "." + ext;
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
    if (a == "--form-factor") {
        if (i + 1 >= args.size()) throw UsageError{"--form-factor needs a model list"};
        const std::string& v = args[++i];
        static const char* const names[] = {"coil-md", "coil-pd", "rod", "sphere"};
        std::size_t start = 0;
        while (start <= v.size()) {
            const auto comma = v.find(',', start);
            const std::string name = v.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
            int model = 0;
            for (int m = 0; m < 4; ++m)
                if (name == names[m]) model = m + 1;
            if (name.rfind("user:", 0) == 0 && name.size() > 5) {
                if (!o.userFormFactorFile.empty()) throw UsageError{"--form-factor takes one user form factor"};
                o.userFormFactorFile = name.substr(5);
                model = kModelUser;
            }
            if (model == 0)
                throw UsageError{"--form-factor: \"" + name + "\" is none of coil-md, coil-pd, rod, sphere, user:FILE.FFU"};
            if (std::find(o.formFactorModels.begin(), o.formFactorModels.end(), model) != o.formFactorModels.end())
                throw UsageError{"--form-factor names " + name + " twice"};
            o.formFactorModels.push_back(model);
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
        return true;
    }
    if (a == "--representation") {
        if (i + 1 >= args.size()) throw UsageError{"--representation needs a number 1..12"};
        const std::string& v = args[++i];
        if (v.empty() || v.size() > 2 || v.find_first_not_of("0123456789") != std::string::npos ||
            std::stoi(v) < 1 || std::stoi(v) > 12)
            throw UsageError{"--representation must be 1..12"};
        o.representation = std::stoi(v);
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

bool ShowFormFactorView(TFitF1& w, ScriptedPlatform& platform, const PlotOptions& o) {
    if (o.formFactorModels.empty()) return true;
    if (!IsStaticPlot(w.plotType())) throw UsageError{"--form-factor needs a static plot type (zimm, berry or guinier)"};
    for (int model : o.formFactorModels) {
        // The user form factor: the notice takes its default answer (OK), the
        // open dialog the file.
        if (model == kModelUser) platform.openAnswers.push_back(o.userFormFactorFile);
        w.mnFormFactorPClick(TagOfModel(model));
        const auto& checked = w.formFactor().models;
        if (std::find(checked.begin(), checked.end(), model) == checked.end()) return false;
    }
    // The parameter dialog takes what it proposes.
    w.mnFormFactorPPClick(TagOfPlotForm(o.representation));
    if (!w.formFactor().viewShown)
        throw UsageError{"--form-factor needs Rg and Mw of the data extrapolated to c = 0: choose --q-order and "
                         "--c-order 1..5"};
    return true;
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
    WriteResult written;
#ifdef ZEBSTAT_HAVE_QT
    // Every format takes the text sizes of the screen picture, which only the
    // Qt canvas measures: the module measures them and draws PNG and PDF.
    const ScreenTarget screen = ChartScreenTarget(kInitialClientWidth, kInitialClientHeight);
    if (std::string failure = WriteChartFileThroughModule(in, path, screen.width, screen.height, &written);
        !failure.empty())
        return "could not write " + path + ": " + failure;
#else
    const std::string ext = lowerExtension(path);
    if (ext == ".png" || ext == ".pdf") return "PNG and PDF need a build with Qt";
    written = WriteChartVectorFile(path, in, w.screenMetrics());
#endif
    return written ? "" : "could not write " + FileAndReason(path, written);
}

void AddAxesMember(JsonMembers& members, const TFitF1& w) {
    auto at = std::find_if(members.begin(), members.end(), [](const auto& m) { return m.first == "messages"; });
    members.insert(at, {"axes", json::axes(w.axes())});
}

} // namespace zeb::cli
