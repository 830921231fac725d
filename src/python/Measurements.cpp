#include "python/Measurements.h"

#include "analysis/UserFormFactor.h"
#include "export/ResultsRecord.h"
#include "export/UncertaintyRecord.h"
#include "texts/CommonTexts.h"

#include <clocale>
#include <locale.h>
#include <sys/stat.h>

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
    if (files.empty()) throw OptionError{"no files to load"};
    ScriptedPlatform platform;
    std::unique_ptr<LoadedMeasurement> measurement = zeb::LoadMeasurement(files, platform);
    if (!measurement->loaded())
        throw LoadFailure{lastMessageOr(platform, "The files could not be loaded."), platform.messages};
    Loaded out;
    out.files = files;
    for (const auto& f : files) {
        // The files were read moments ago; a file gone since is named.
        auto stamp = stampOf(f);
        if (!stamp) throw LoadFailure{f + " disappeared while it was loaded", platform.messages};
        out.stamps.push_back(std::move(*stamp));
    }
    out.measurement = std::move(measurement);
    out.messages = platform.messages;
    return out;
}

std::optional<std::string> ChangedSinceLoaded(const Loaded& loaded) {
    for (const FileStamp& before : loaded.stamps) {
        const auto now = stampOf(before.path);
        if (!now) return before.path + " is gone since it was loaded";
        if (now->sizeBytes != before.sizeBytes || now->modifiedNs != before.modifiedNs)
            return before.path + " changed since it was loaded: load it again";
    }
    return std::nullopt;
}

Evaluated Evaluate(const Loaded& loaded, const Request& request) {
    // The evaluation is of what was loaded: a file changed since is not evaluated silently.
    if (auto changed = ChangedSinceLoaded(loaded)) throw LoadFailure{std::move(*changed), loaded.messages};
    const MeasurementSet& set = loaded.measurement->set;
    constexpr OptionSpelling kKeywords = OptionSpelling::Keyword;
    EvaluationOptions options = request.evaluation;
    CheckPoints(set, options.switchedOff, kKeywords);
    if (request.kDisplayed) {
        options.kInternal = KFromDisplayed(set, *request.kDisplayed);
        if (!options.kInternal) {
            char k[40];
            std::snprintf(k, sizeof k, "%.17g", *request.kDisplayed);
            throw OptionError{std::string("k = ") + k + ": " + KRefusalText(set, *request.kDisplayed)};
        }
    }
    // The messages of loading first, then those of the evaluation, as the batch tool shows them.
    ScriptedPlatform platform;
    platform.messages = loaded.messages;
    // What the evaluation says concerns the files it was given, as in the batch tool.
    std::string files;
    for (const std::string& file : loaded.files) files += (files.empty() ? "" : ", ") + file;
    MessageFileScope named(platform, files);
    auto view = std::make_shared<EvaluationView>(set, options);
    for (const Message& m : view->evaluation().messages) platform.inform(m.text, m.caption, m.icon);
    if (!ShowAskedFormFactorView(*view, request.formFactorModels, request.userFormFactorFile, request.representation,
                                 kKeywords, platform))
        throw LoadFailure{lastMessageOr(platform, "The user form factor could not be read."), platform.messages};
    view->setManualRanges(request.xRange, request.yRange);

    Evaluated out;
    const Evaluation& e = view->evaluation();
    out.results = ResultsRecord(e.set, e.options, e.fits, e.results, &view->chart().axes, platform.messages);
    out.uncertainty = ReportUncertainty(e, request.uncertainty);
    AddUncertaintyMembers(out.results, out.uncertainty);
    out.messages = platform.messages;
    const MeasurementSet& s = e.set;
    for (int c = 1; c <= s.lastConcIndex; ++c)
        for (int a = 1; a <= s.lastAngleIndex; ++a)
            if (const DataPoint* p = s.cell(c, a); p && p->hasData == 1) out.points.add(*p, c, a);
    for (int a = 1; a <= s.lastAngleIndex; ++a)
        if (const DataPoint* p = s.cell(0, a); p && p->hasData == 1) out.toC0.add(*p, 0, a);
    for (int c = 1; c <= s.lastConcIndex; ++c)
        if (const DataPoint* p = s.cell(c, 0); p && p->hasData == 1) out.toQ0.add(*p, c, 0);
    if (e.fits.lineQ0.hasData == 1) out.q0Intercept = {e.fits.lineQ0.x(), e.fits.lineQ0.y()};
    if (e.fits.lineC0.hasData == 1) out.c0Intercept = {e.fits.lineC0.x(), e.fits.lineC0.y()};
    out.view = std::move(view);
    return out;
}

Record FitFormFactorsOf(const Evaluated& evaluated, const std::vector<int>& models, const std::string& userTable) {
    FormFactorFitOptions options;
    options.models = models;
    UserFormFactor user;
    if (!userTable.empty()) {
        const FfuResult r = LoadUserFormFactor(userTable, user);
        if (r != FfuResult::Ok) throw LoadFailure{FfuMessageText(r, user), {}};
        options.userSpline = &user.spline;
    }
    return FormFactorFitsRecord(FitFormFactors(evaluated.view->evaluation(), options));
}

Record FormFactor(const FormFactorRequest& request) {
    ScriptedPlatform platform;
    std::optional<Record> out = FormFactorRecord(request, {}, platform);
    if (!out) throw LoadFailure{lastMessageOr(platform, "The form factor could not be calculated."), platform.messages};
    return std::move(*out);
}

} // namespace zeb::python
