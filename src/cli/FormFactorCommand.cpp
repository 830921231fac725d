#include "cli/FormFactorCommand.h"

#include "analysis/NumberText.h"
#include "cli/BatchPlatform.h"
#include "cli/Commands.h"
#include "data/MeasurementLoader.h"
#include "plot/EvaluationView.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <stdexcept>

namespace zeb::cli {

namespace {

double positive(Option option, const std::string& text) {
    return CheckedPositive(ParseTypedNumber(text), text, option, OptionSpelling::CommandLine);
}

// The Mw the plot window offers for the compared row of an evaluation: Mw(app)
// of concentration `conc` when its q² fit was made, Mw(q²) for conc 0 when both
// orders are chosen; 0 when there is none.
double mwOfRow(const Evaluation& e, int conc) {
    const MeasurementSet& set = e.set;
    if (conc >= 1 && conc <= set.lastConcIndex) {
        const DataPoint* summary = set.cell(conc, 0);
        const double mw = set.appMw[static_cast<std::size_t>(conc)];
        return e.options.qOrder != FitOrder::None && summary && summary->hasData == 1 && mw > 0.0 ? mw : 0.0;
    }
    const double mwQ2 = e.results.mwQ2.value_or(-1.0);
    if (conc == 0 && e.options.qOrder != FitOrder::None && e.options.cOrder != FitOrder::None && mwQ2 > 0.0) return mwQ2;
    return 0.0;
}

} // namespace

FormFactorArguments ParseFormFactorArgs(const std::vector<std::string>& args) {
    FormFactorArguments f;
    FormFactorRequest& r = f.request;
    bool haveRg = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        // How the data file is evaluated: the analysis options of eval, without what eval prints.
        static const char* const analysis[] = {"--plot", "--q-order", "--c-order", "--smooth", "--weight", "--k",
                                               "--deactivate"};
        if (std::find(std::begin(analysis), std::end(analysis), a) != std::end(analysis)) {
            ParseAnalysisOption(args, i, f.analysis);
            f.analysisGiven = true;
            continue;
        }
        static const char* const known[] = {"--model", "--representation", "--rg", "--mw", "--q-max", "--data", "--conc"};
        if (std::find(std::begin(known), std::end(known), a) == std::end(known))
            throw UsageError{(a.rfind("-", 0) == 0 ? "unknown option " : "unexpected argument ") + a};
        if (i + 1 >= args.size()) throw UsageError{a + " needs a value"};
        const std::string& v = args[++i];
        if (a == "--model") {
            ModelList list{r.models, r.userFile};
            ParseModelList(v, Option::Model, OptionSpelling::CommandLine, false, list);
            r.models = list.models;
            r.userFile = list.userFile;
        } else if (a == "--representation") {
            const bool digits = !v.empty() && v.size() <= 2 && v.find_first_not_of("0123456789") == std::string::npos;
            r.representation =
                CheckedRepresentation(digits ? std::stol(v) : 0, Option::Representation, OptionSpelling::CommandLine);
        } else if (a == "--rg") {
            r.rgNm = positive(Option::Rg, v);
            haveRg = true;
        } else if (a == "--mw") {
            r.mwGPerMol = positive(Option::Mw, v);
        } else if (a == "--q-max") {
            r.qMaxPerCm = positive(Option::QMax, v);
        } else if (a == "--data") {
            f.dataFile = v;
        } else if (a == "--conc") {
            if (v.empty() || v.size() > 3 || v.find_first_not_of("0123456789") != std::string::npos)
                throw UsageError{"--conc needs a concentration index"};
            f.conc = std::stoi(v);
        }
    }
    if (r.models.empty() || r.representation == 0 || !haveRg)
        throw UsageError{"formfactor needs --model, --representation and --rg"};
    if (f.dataFile.has_value() != (f.conc >= 0)) throw UsageError{"--data and --conc go together"};
    if (f.analysisGiven && !f.dataFile) throw UsageError{"the evaluation options need --data FILE --conc I"};
    if (!IsStaticPlot(f.analysis.evaluation.plotType))
        throw UsageError{"formfactor compares the static plot types zimm, berry, guinier"};
    return f;
}

std::optional<Record> FormFactorOutput(const FormFactorArguments& f, ScriptedPlatform& platform) {
    if (!f.dataFile) return FormFactorRecord(f.request, {}, platform);
    // The file is evaluated as in a plot window; its Mw is the one the window offers.
    const std::unique_ptr<LoadedMeasurement> loaded = LoadMeasurement({*f.dataFile}, platform);
    if (!loaded->loaded()) return std::nullopt;
    const EvaluationOptions options = OptionsForSet(loaded->set, f.analysis, platform);
    const Evaluation e(loaded->set, options);
    for (const Message& m : e.messages) platform.inform(m.text, m.caption, m.icon);
    const MeasurementSet& set = e.set;
    if (f.conc > set.lastConcIndex)
        throw UsageError{"--conc " + std::to_string(f.conc) + ": the file has concentrations 1.." +
                         std::to_string(set.lastConcIndex) + " (0: extrapolated to c = 0)"};
    const double mw = mwOfRow(e, f.conc);
    if (!f.request.mwGPerMol && mw <= 0.0)
        throw UsageError{f.conc == 0 ? "--conc 0 needs --mw or a --q-order and a --c-order of at least 1"
                                     : "--conc " + std::to_string(f.conc) +
                                           " needs --mw or a --q-order of at least 1 that fits this concentration"};
    return FormFactorRecord(f.request, {&set, f.conc, mw}, platform);
}

int RunFormFactor(const std::vector<std::string>& args) {
    const FormFactorArguments f = ParseFormFactorArgs(args);
    BatchPlatform platform;
    const std::optional<Record> out = FormFactorOutput(f, platform);
    if (!out) return 1;
    std::printf("%s\n", RecordJson(*out).c_str());
    return 0;
}

} // namespace zeb::cli
