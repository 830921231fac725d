#include "python/Evaluation.h"

#include "cli/BatchLoad.h"
#include "cli/Commands.h"
#include "cli/DumpJson.h"
#include "cli/FormFactorCommand.h"
#include "cli/Json.h"
#include "cli/PlotOutput.h"
#include "cli/ResultsJson.h"
#include "data/DataPoint.h"
#include "plotwindow/TFitF1.h"
#include "plotwindow/TFitF1Chart.h"

#include <clocale>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <locale.h>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace zeb::python {

namespace {

std::string lastMessageOr(const ScriptedPlatform& platform, const std::string& otherwise) {
    return platform.messages.empty() ? otherwise : platform.messages.back().text;
}

std::optional<FileStamp> stampOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return FileStamp{path, static_cast<std::uintmax_t>(st.st_size),
                     static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

// The option texts of the batch tool are those of its command line; here the
// caller knows them by their keyword names.
std::string keywordText(std::string text) {
    static const std::pair<const char*, const char*> names[] = {
        {"--deactivate", "deactivate"}, {"--q-order", "q_order"}, {"--c-order", "c_order"},
        {"--representation", "representation"}, {"--form-factor", "form_factor"}, {"--model", "model"},
        {"--x-range", "x_range"}, {"--y-range", "y_range"},
        {"--rg", "rg_nm"}, {"--mw", "mw"}, {"--q-max", "q_max"}, {"--conc", "conc"}, {"--data", "data"},
        {"--plot", "plot"}, {"--k", "k"}};
    for (const auto& [option, keyword] : names)
        for (auto at = text.find(option); at != std::string::npos; at = text.find(option, at + 1)) {
            const std::size_t end = at + std::string(option).size();
            if (end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '-'))
                continue;
            text.replace(at, end - at, keyword);
        }
    return text;
}

std::unique_ptr<TFitF1> loadInto(ScriptedPlatform& platform, const std::vector<std::string>& files) {
    auto window = std::make_unique<TFitF1>(platform);
    if (!cli::LoadFiles(*window, platform, files))
        throw LoadFailure{lastMessageOr(platform, "The files could not be loaded.")};
    return window;
}

} // namespace

CNumbersOnThisThread::CNumbersOnThisThread() {
    locale_t c = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    if (!c) return;
    own_ = c;
    previous_ = ::uselocale(c);
}

CNumbersOnThisThread::~CNumbersOnThisThread() {
    if (!own_) return;
    ::uselocale(static_cast<locale_t>(previous_));
    ::freelocale(static_cast<locale_t>(own_));
}

void PointColumns::add(const DataPoint& p, int c, int a) {
    x.push_back(p.x());
    y.push_back(p.y());
    yHigh.push_back(p.yHi());
    yLow.push_back(p.yLo());
    active.push_back(p.active == 1 ? 1 : 0);
    conc.push_back(c);
    angle.push_back(a);
}

Loaded LoadMeasurement(const std::vector<std::string>& files) {
    if (files.empty()) throw OptionFailure{"no files to load"};
    ScriptedPlatform platform;
    const auto window = loadInto(platform, files);
    Loaded out;
    out.files = files;
    for (const auto& f : files) {
        // The window read each file moments ago; a file gone since is named.
        auto stamp = stampOf(f);
        if (!stamp) throw LoadFailure{f + " disappeared while it was loaded"};
        out.stamps.push_back(std::move(*stamp));
    }
    const MeasurementSet& set = window->set();
    out.sampleName = set.sampleName;
    for (int c = 1; c <= set.lastConcIndex; ++c)
        out.concentrationsGPerCm3.push_back(set.concentration[static_cast<std::size_t>(c)]);
    for (int a = 1; a <= set.lastAngleIndex; ++a) out.q2PerCm2.push_back(set.q2[static_cast<std::size_t>(a)]);
    out.dumpJson = cli::DumpJson(set, platform.messages);
    out.messages = platform.messages;
    return out;
}

Evaluated::Evaluated() = default;
Evaluated::~Evaluated() = default;
Evaluated::Evaluated(Evaluated&&) noexcept = default;
Evaluated& Evaluated::operator=(Evaluated&&) noexcept = default;

cli::PlotOptions ChartOptions(const std::vector<std::string>& args) {
    cli::PlotOptions chart;
    try {
        for (std::size_t i = 0; i < args.size(); ++i)
            if (!cli::ParsePlotOption(args, i, chart)) throw OptionFailure{"not a chart option: " + args[i]};
    } catch (const cli::UsageError& e) {
        throw OptionFailure{keywordText(e.text)};
    }
    return chart;
}

Evaluated Evaluate(const Loaded& loaded, const cli::AnalysisOptions& options, const cli::PlotOptions& chart) {
    // The evaluation reads the files again: it must read what was loaded.
    for (const FileStamp& before : loaded.stamps) {
        const auto now = stampOf(before.path);
        if (!now) throw LoadFailure{before.path + " is gone since it was loaded"};
        if (now->sizeBytes != before.sizeBytes || now->modifiedNs != before.modifiedNs)
            throw LoadFailure{before.path + " changed since it was loaded: load it again"};
    }
    Evaluated out;
    out.platform_ = std::make_unique<ScriptedPlatform>();
    out.window_ = loadInto(*out.platform_, loaded.files);
    TFitF1& w = *out.window_;
    // In the batch tool's order: analysis, form-factor view, axis ranges.
    try {
        cli::ApplyAnalysisOptions(w, options);
        if (!cli::ShowFormFactorView(w, *out.platform_, chart))
            throw LoadFailure{lastMessageOr(*out.platform_, "The user form factor could not be read.")};
        cli::ApplyPlotRanges(w, chart);
    } catch (const cli::UsageError& e) {
        throw OptionFailure{keywordText(e.text)};
    }
    cli::JsonMembers members = cli::ResultsJsonMembers(w, out.platform_->messages);
    cli::AddAxesMember(members, w);
    out.resultsJson = json::object(members);
    out.resultsText = w.resultsText();
    out.messages = out.platform_->messages;

    const MeasurementSet& set = w.set();
    for (int c = 1; c <= set.lastConcIndex; ++c)
        for (int a = 1; a <= set.lastAngleIndex; ++a)
            if (const DataPoint* p = set.cell(c, a); p && p->hasData == 1) out.points.add(*p, c, a);
    for (int a = 1; a <= set.lastAngleIndex; ++a)
        if (const DataPoint* p = set.cell(0, a); p && p->hasData == 1) out.toC0.add(*p, 0, a);
    for (int c = 1; c <= set.lastConcIndex; ++c)
        if (const DataPoint* p = set.cell(c, 0); p && p->hasData == 1) out.toQ0.add(*p, c, 0);
    const ChartInputs in = MakeChartInputs(w);
    if (in.q0Intercept && in.q0Intercept->hasData == 1) out.q0Intercept = {in.q0Intercept->x(), in.q0Intercept->y()};
    if (in.c0Intercept && in.c0Intercept->hasData == 1) out.c0Intercept = {in.c0Intercept->x(), in.c0Intercept->y()};
    return out;
}

std::string Evaluated::chartBytes(const std::string& ext) const {
    if (ext != ".svg" && ext != ".wmf") throw std::invalid_argument("the chart is written as .svg or .wmf");
    // The batch tool's writer, into a folder of our own that goes again at once.
    const char* tmp = std::getenv("TMPDIR");
    std::string folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/zebstat-chart-XXXXXX";
    if (!::mkdtemp(folder.data())) throw std::runtime_error("no temporary folder for the chart: " + folder);
    const std::string path = folder + "/chart" + ext;
    const std::string failure = cli::WritePlotFile(*window_, path);
    std::string bytes;
    if (failure.empty()) {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    ::unlink(path.c_str());
    ::rmdir(folder.c_str());
    if (!failure.empty()) throw std::runtime_error(failure);
    return bytes;
}

std::string FormFactor(const std::vector<std::string>& args) {
    try {
        const cli::FormFactorRequest request = cli::ParseFormFactorArgs(args);
        ScriptedPlatform platform;
        std::string out = cli::FormFactorOutput(request, platform);
        if (out.empty()) throw LoadFailure{lastMessageOr(platform, "The form factor could not be calculated.")};
        return out;
    } catch (const cli::UsageError& e) {
        throw OptionFailure{keywordText(e.text)};
    }
}

} // namespace zeb::python
