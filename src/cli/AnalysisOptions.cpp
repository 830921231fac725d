#include "cli/AnalysisOptions.h"

#include "analysis/NumberText.h"
#include "cli/Commands.h"
#include "analysis/FormFactor.h"
#include "analysis/UserFormFactor.h"
#include "export/ResultsRecord.h"
#include "export/UncertaintyRecord.h"
#include "plot/EvaluationView.h"
#include "texts/CommonTexts.h"

#include <algorithm>
#include <cstdlib>

namespace zeb::cli {

namespace {

constexpr OptionSpelling kSpelling = OptionSpelling::CommandLine;

const std::string& valueOf(const std::vector<std::string>& args, std::size_t& i) {
    if (i + 1 >= args.size()) throw UsageError{args[i] + " needs a value"};
    return args[++i];
}

FitOrder orderOf(Option option, const std::string& v) {
    if (v.size() != 1 || v[0] < '0' || v[0] > '9') return CheckedOrder(-1, option, kSpelling);
    return CheckedOrder(v[0] - '0', option, kSpelling);
}

int positiveIndex(const std::string& text, const std::string& whole) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 4)
        throw UsageError{"--deactivate takes C:A pairs of indices, not \"" + whole + "\""};
    return std::atoi(text.c_str());
}

} // namespace

bool ParseAnalysisOption(const std::vector<std::string>& args, std::size_t& i, AnalysisOptions& o) {
    const std::string& a = args[i];
    EvaluationOptions& e = o.evaluation;
    if (a == "--plot") {
        const auto type = PlotTypeNamed(valueOf(args, i));
        if (!type) throw UsageError{"--plot must be " + PlotTypeNameList()};
        e.plotType = *type;
        return true;
    }
    if (a == "--q-order") {
        e.qOrder = orderOf(Option::QOrder, valueOf(args, i));
        return true;
    }
    if (a == "--c-order") {
        e.cOrder = orderOf(Option::COrder, valueOf(args, i));
        return true;
    }
    if (a == "--smooth" || a == "--no-smooth") {
        e.smoothing = a == "--smooth" ? Smoothing::On : Smoothing::Off;
        return true;
    }
    if (a == "--weight" || a == "--no-weight") {
        e.weighting = a == "--weight" ? Weighting::On : Weighting::Off;
        return true;
    }
    if (a == "--results") return o.results = true;
    if (a == "--json") return o.json = true;
    if (a == "--ci") return o.ci = true;
    if (a == "--bootstrap" || a == "--seed") {
        const std::string& v = valueOf(args, i);
        const bool digits = !v.empty() && v.size() <= 9 && v.find_first_not_of("0123456789") == std::string::npos;
        if (!digits) throw UsageError{a + " needs a whole number, not \"" + v + "\""};
        if (a == "--seed") {
            o.uncertainty.bootstrap.seed = std::stoull(v);
        } else {
            o.uncertainty.bootstrap.resamples = std::stoi(v);
            o.uncertainty.withBootstrap = o.uncertainty.bootstrap.resamples > 0;
        }
        return true;
    }
    if (a == "--fit-form-factors") {
        const std::string& v = valueOf(args, i);
        ModelList list;
        ParseModelList(v == "all" ? "coil-md,coil-pd,rod,sphere" : v, Option::FitFormFactors, kSpelling, true, list);
        o.uncertainty.withFormFactorFits = true;
        o.uncertainty.formFactorFits.models = list.models;
        o.userFitTable = list.userFile;
        return true;
    }
    if (a == "--k") {
        const std::string& v = valueOf(args, i);
        const auto k = ParseTypedNumber(v);
        if (!k) throw UsageError{"--k needs a number, not \"" + v + "\""};
        o.kDisplayed = *k;
        e.kInternal.reset();
        return true;
    }
    if (a == "--deactivate") {
        const std::string& v = valueOf(args, i);
        std::size_t start = 0;
        while (start <= v.size()) {
            const auto comma = v.find(',', start);
            const std::string pair = v.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
            const auto colon = pair.find(':');
            if (colon == std::string::npos) throw UsageError{"--deactivate takes C:A pairs, not \"" + pair + "\""};
            e.switchedOff.push_back(
                {positiveIndex(pair.substr(0, colon), pair), positiveIndex(pair.substr(colon + 1), pair)});
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
        return true;
    }
    return false;
}

EvaluationOptions OptionsForSet(const MeasurementSet& set, const AnalysisOptions& o, MessageSink& messages) {
    EvaluationOptions e = o.evaluation;
    CheckPoints(set, e.switchedOff, kSpelling);
    if (o.kDisplayed) {
        // As if typed into the window's field: a k the chart cannot show is
        // refused and the k in use (the automatic one) stays.
        e.kInternal = KFromDisplayed(set, *o.kDisplayed);
        if (!e.kInternal) messages.inform(KRefusalText(set, *o.kDisplayed), tx::CapInformation, MsgIcon::Stop);
    } else if (e.kInternal && !KAcceptableFor(set, *e.kInternal)) {
        throw UsageError{"the k of the evaluation does not suit the data; give --k"};
    }
    return e;
}

UncertaintyReport UncertaintyOf(const Evaluation& e, const AnalysisOptions& o, MessageSink& messages) {
    UncertaintyOptions options = o.uncertainty;
    UserFormFactor user;
    if (options.withFormFactorFits && !o.userFitTable.empty()) {
        const FfuResult loaded = LoadUserFormFactor(o.userFitTable, user);
        if (loaded == FfuResult::Ok) {
            options.formFactorFits.userSpline = &user.spline;
        } else {
            messages.inform(FfuMessageText(loaded, user), tx::CapInformation, MsgIcon::Stop);
            auto& models = options.formFactorFits.models;
            models.erase(std::remove(models.begin(), models.end(), kModelUser), models.end());
        }
    }
    return ReportUncertainty(e, options);
}

void PrintAnalysis(std::FILE* out, const EvaluationView& view, const AnalysisOptions& o,
                   std::vector<RecordedMessage>& messages, MessageSink& sink) {
    const Evaluation& e = view.evaluation();
    std::optional<UncertaintyReport> uncertainty;
    if (o.json || o.ci) uncertainty = UncertaintyOf(e, o, sink);
    if (o.results || o.ci) {
        std::string text = e.results.text;
        if (o.ci) text += "\r\n\r\n" + UncertaintyText(*uncertainty);
        std::fprintf(out, "%s\n", text.c_str());
    }
    if (o.json) {
        Record results = ResultsRecord(e.set, e.options, e.fits, e.results, &view.chart().axes, messages);
        AddUncertaintyMembers(results, *uncertainty);
        std::fprintf(out, "%s\n", RecordJson(results).c_str());
    }
}

} // namespace zeb::cli
