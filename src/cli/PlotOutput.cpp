#include "cli/PlotOutput.h"

#include "analysis/FormFactor.h"
#include "analysis/NumberText.h"
#include "cli/Commands.h"
#include "platform/PathName.h"
#include "platform/WriteError.h"
#include "plot/ChartExport.h"
#include "plot/EvaluationView.h"
#include "plot/PlotWindowGeometry.h"
#include "plot/ResidualChart.h"

#include <cstdio>

#include <algorithm>
#include <cctype>
#include <cmath>

#ifdef ZEBSTAT_HAVE_QT
#include "cli/ChartFileModule.h"

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
    CheckRange(*lo, *hi, option == "--x-range" ? Option::XRange : Option::YRange, OptionSpelling::CommandLine);
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
        ModelList list{o.formFactorModels, o.userFormFactorFile};
        ParseModelList(args[++i], Option::FormFactor, OptionSpelling::CommandLine, true, list);
        o.formFactorModels = list.models;
        o.userFormFactorFile = list.userFile;
        return true;
    }
    if (a == "--representation") {
        if (i + 1 >= args.size()) throw UsageError{"--representation needs a number 1..12"};
        const std::string& v = args[++i];
        const bool digits = !v.empty() && v.size() <= 2 && v.find_first_not_of("0123456789") == std::string::npos;
        o.representation = CheckedRepresentation(digits ? std::stol(v) : 0, Option::Representation,
                                                 OptionSpelling::CommandLine);
        return true;
    }
    if (a == "--chart") {
        if (i + 1 >= args.size()) throw UsageError{"--chart needs plot or residuals"};
        const std::string& v = args[++i];
        if (v != "plot" && v != "residuals") throw UsageError{"--chart must be plot or residuals, not \"" + v + "\""};
        o.residuals = v == "residuals";
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

bool ShowFormFactorView(EvaluationView& view, MessageSink& messages, const PlotOptions& o) {
    return ShowAskedFormFactorView(view, o.formFactorModels, o.userFormFactorFile, o.representation,
                                   OptionSpelling::CommandLine, messages);
}

void ApplyPlotRanges(EvaluationView& view, const PlotOptions& o) { view.setManualRanges(o.xRange, o.yRange); }

void WriteAskedChart(const EvaluationView& view, const PlotOptions& o, int& status) {
    if (o.plotFile.empty()) return;
    std::string failure;
    if (o.residuals) {
        const ResidualChart chart(view.evaluation(), view.chart().settings);
        failure = WritePlotFile(chart.inputs(), o.plotFile);
    } else {
        failure = WritePlotFile(view.chartInputs(), o.plotFile);
    }
    if (!failure.empty()) {
        std::fprintf(stderr, "zebstat-batch: %s\n", failure.c_str());
        status = 1;
    }
}

std::string WritePlotFile(const ChartInputs& in, const std::string& path) {
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
    written = WriteChartVectorFile(path, in, nullptr);
#endif
    return written ? "" : "could not write " + FileAndReason(path, written);
}

} // namespace zeb::cli
