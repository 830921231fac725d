#include "cli/FormFactorCommand.h"

#include "analysis/FormFactorView.h"
#include "analysis/NumberText.h"
#include "analysis/UserFormFactor.h"
#include "texts/CommonTexts.h"
#include "cli/BatchLoad.h"
#include "cli/BatchPlatform.h"
#include "cli/Commands.h"
#include "cli/ResultsJson.h"
#include "plotwindow/TFitF1.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace zeb::cli {

namespace {

const char* const kModelNames[] = {"", "coil-md", "coil-pd", "rod", "sphere", "user"};

double positive(const std::string& option, const std::string& text) {
    const auto v = ParseTypedNumber(text);
    if (!v || !(*v > 0.0)) throw UsageError{option + " needs a positive number, not \"" + text + "\""};
    return *v;
}

} // namespace

FormFactorRequest ParseFormFactorArgs(const std::vector<std::string>& args) {
    FormFactorRequest r;
    bool haveRg = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        // How the data file is evaluated: the analysis options of eval, without what eval prints.
        static const char* const analysis[] = {"--plot", "--q-order", "--c-order", "--smooth", "--weight", "--k",
                                               "--deactivate"};
        if (std::find(std::begin(analysis), std::end(analysis), a) != std::end(analysis)) {
            ParseAnalysisOption(args, i, r.analysis);
            r.analysisGiven = true;
            continue;
        }
        static const char* const known[] = {"--model", "--representation", "--rg", "--mw", "--q-max", "--data", "--conc"};
        if (std::find(std::begin(known), std::end(known), a) == std::end(known))
            throw UsageError{(a.rfind("-", 0) == 0 ? "unknown option " : "unexpected argument ") + a};
        if (i + 1 >= args.size()) throw UsageError{a + " needs a value"};
        const std::string& v = args[++i];
        if (a == "--model") {
            std::size_t start = 0;
            while (start <= v.size()) {
                const auto comma = v.find(',', start);
                const std::string name = v.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
                int model = 0;
                for (int m = 1; m <= 4; ++m)
                    if (name == kModelNames[m]) model = m;
                if (name.rfind("user:", 0) == 0 && name.size() > 5) {
                    if (!r.userFile.empty()) throw UsageError{"--model takes one user form factor"};
                    r.userFile = name.substr(5);
                    model = 5;
                }
                if (model == 0)
                    throw UsageError{"--model: \"" + name + "\" is none of coil-md, coil-pd, rod, sphere, user:FILE.FFU"};
                r.models.push_back(model);
                if (comma == std::string::npos) break;
                start = comma + 1;
            }
        } else if (a == "--representation") {
            if (v.find_first_not_of("0123456789") != std::string::npos || v.empty() || v.size() > 2 ||
                std::stoi(v) < 1 || std::stoi(v) > 12)
                throw UsageError{"--representation must be 1..12"};
            r.representation = std::stoi(v);
        } else if (a == "--rg") {
            r.rgNm = positive(a, v);
            haveRg = true;
        } else if (a == "--mw") {
            r.mwGPerMol = positive(a, v);
        } else if (a == "--q-max") {
            r.qMaxPerCm = positive(a, v);
        } else if (a == "--data") {
            r.dataFile = v;
        } else if (a == "--conc") {
            if (v.empty() || v.size() > 3 || v.find_first_not_of("0123456789") != std::string::npos)
                throw UsageError{"--conc needs a concentration index"};
            r.conc = std::stoi(v);
        }
    }
    if (r.models.empty() || r.representation == 0 || !haveRg)
        throw UsageError{"formfactor needs --model, --representation and --rg"};
    if (r.dataFile.has_value() != (r.conc >= 0)) throw UsageError{"--data and --conc go together"};
    if (r.analysisGiven && !r.dataFile) throw UsageError{"the evaluation options need --data FILE --conc I"};
    if (!IsStaticPlot(r.analysis.plotType)) throw UsageError{"formfactor compares the static plot types zimm, berry, guinier"};
    return r;
}

std::string FormFactorJson(const FormFactorRequest& r, const MeasurementSet* set, double mwFromSet,
                           ScriptedPlatform& platform) {
    UserFormFactor user;
    if (!r.userFile.empty()) {
        const FfuResult loaded = LoadUserFormFactor(r.userFile, user);
        if (loaded != FfuResult::Ok) {
            platform.inform(FfuMessageText(loaded, user), tx::CapInformation, MsgIcon::Stop);
            return "";
        }
    }
    const double rgCm = r.rgNm * 1e-7;
    const FormFactorGrid grid = set ? MakeFormFactorGrid(*set) : MakeFormFactorGrid(r.qMaxPerCm.value_or(5.0 / rgCm));
    const double mw = r.mwGPerMol.value_or(mwFromSet);
    std::vector<FormFactorMeasuredPoint> measured;
    if (set && r.conc >= 0) measured = MeasuredFormFactorPoints(*set, r.conc, r.representation, rgCm, mw);

    std::vector<std::string> curves;
    for (int model : r.models) {
        std::vector<std::string> points;
        for (double q : grid.q)
            if (const auto p = FormFactorPoint(r.representation, model, q, rgCm, &user.spline, &platform))
                points.push_back(json::object(
                    {{"q", json::number(q)}, {"x", json::number(p->x)}, {"y", json::number(p->y)}}));
        curves.push_back(json::object({{"model", json::string(kModelNames[model])},
                                       {"label", json::string(ModelLabel(model, r.rgNm))},
                                       {"points", json::array(points)}}));
    }
    std::vector<std::string> points;
    for (const auto& p : measured)
        points.push_back(json::object({{"angle", std::to_string(p.angle)},
                                       {"x", json::number(p.x)},
                                       {"y", json::number(p.y)},
                                       {"error", json::number(p.error)},
                                       {"active", p.active ? "true" : "false"}}));
    const FormFactorRanges ranges =
        ComputeFormFactorRanges(grid, r.models, r.representation, rgCm, &user.spline, measured);
    return json::object({
        {"representation", std::to_string(r.representation)},
        {"rgNm", json::number(r.rgNm)},
        {"mwGPerMol", set || r.mwGPerMol ? json::number(mw) : "null"},
        {"conc", set ? std::to_string(r.conc) : "null"},
        {"dataLabel", json::string(set && r.conc >= 0 ? DataLabel(set->concentration[r.conc]) : "")},
        {"qMin", json::number(grid.qMin)},
        {"qMax", json::number(grid.qMax)},
        {"step", json::number(grid.step)},
        {"curves", json::array(curves)},
        {"measured", json::array(points)},
        {"ranges", json::object({{"xMin", json::number(ranges.xMin)},
                                 {"xMax", json::number(ranges.xMax)},
                                 {"yMin", json::number(ranges.yMin)},
                                 {"yMax", json::number(ranges.yMax)}})},
        {"messages", MessagesJson(platform.messages)},
    });
}

double MwOfRow(const TFitF1& w, int conc) {
    const MeasurementSet& set = w.set();
    if (conc >= 1 && conc <= set.lastConcIndex) {
        const DataPoint* summary = set.cell(conc, 0);
        const double mw = set.appMw[static_cast<std::size_t>(conc)];
        return w.qOrder() != FitOrder::None && summary && summary->hasData == 1 && mw > 0.0 ? mw : 0.0;
    }
    if (conc == 0 && w.qOrder() != FitOrder::None && w.cOrder() != FitOrder::None && w.storedMwQ2() > 0.0) return w.storedMwQ2();
    return 0.0;
}

std::string FormFactorOutput(const FormFactorRequest& r, ScriptedPlatform& platform) {
    if (!r.dataFile) return FormFactorJson(r, nullptr, 0.0, platform);
    // The file is evaluated as in a plot window; its Mw is the one the window offers.
    TFitF1 window(platform);
    if (!LoadFiles(window, platform, {*r.dataFile})) return "";
    ApplyAnalysisOptions(window, r.analysis);
    const MeasurementSet& set = window.set();
    if (r.conc > set.lastConcIndex)
        throw UsageError{"--conc " + std::to_string(r.conc) + ": the file has concentrations 1.." +
                         std::to_string(set.lastConcIndex) + " (0: extrapolated to c = 0)"};
    const double mw = MwOfRow(window, r.conc);
    if (!r.mwGPerMol && mw <= 0.0)
        throw UsageError{r.conc == 0 ? "--conc 0 needs --mw or a --q-order and a --c-order of at least 1"
                                     : "--conc " + std::to_string(r.conc) +
                                           " needs --mw or a --q-order of at least 1 that fits this concentration"};
    return FormFactorJson(r, &set, mw, platform);
}

int RunFormFactor(const std::vector<std::string>& args) {
    const FormFactorRequest r = ParseFormFactorArgs(args);
    BatchPlatform platform;
    const std::string out = FormFactorOutput(r, platform);
    if (out.empty()) return 1;
    std::printf("%s\n", out.c_str());
    return 0;
}

} // namespace zeb::cli
