#include "cli/AnalysisOptions.h"

#include "analysis/NumberText.h"
#include "cli/Commands.h"
#include "cli/PlotOutput.h"
#include "cli/ResultsJson.h"
#include "plotwindow/TFitF1.h"

#include <cstdlib>

namespace zeb::cli {

namespace {

const std::string& valueOf(const std::vector<std::string>& args, std::size_t& i) {
    if (i + 1 >= args.size()) throw UsageError{args[i] + " needs a value"};
    return args[++i];
}

int orderOf(const std::string& option, const std::string& v) {
    if (v.size() != 1 || v[0] < '0' || v[0] > '5') throw UsageError{option + " must be 0..5"};
    return v[0] - '0';
}

int positiveIndex(const std::string& text, const std::string& whole) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 4)
        throw UsageError{"--deactivate takes C:A pairs of indices, not \"" + whole + "\""};
    return std::atoi(text.c_str());
}

} // namespace

bool ParseAnalysisOption(const std::vector<std::string>& args, std::size_t& i, AnalysisOptions& o) {
    const std::string& a = args[i];
    if (a == "--plot") {
        static const char* const names[] = {"zimm", "berry", "guinier", "d1", "d2", "d3"};
        const std::string& v = valueOf(args, i);
        for (int t = 0; t < 6; ++t)
            if (v == names[t]) {
                o.plotType = static_cast<PlotType>(t + 1);
                return true;
            }
        throw UsageError{"--plot must be zimm, berry, guinier, d1, d2 or d3"};
    }
    if (a == "--q-order") {
        o.qOrder = orderOf(a, valueOf(args, i));
        return true;
    }
    if (a == "--c-order") {
        o.cOrder = orderOf(a, valueOf(args, i));
        return true;
    }
    if (a == "--smooth") return o.smooth = true;
    if (a == "--weight") return o.weight = true;
    if (a == "--no-smooth") return !(o.smooth = false);
    if (a == "--no-weight") return !(o.weight = false);
    if (a == "--results") return o.results = true;
    if (a == "--json") return o.json = true;
    if (a == "--k") {
        const std::string& v = valueOf(args, i);
        const auto k = ParseTypedNumber(v);
        if (!k) throw UsageError{"--k needs a number, not \"" + v + "\""};
        o.kDisplayed = *k;
        o.kInternal.reset();
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
            o.deactivate.emplace_back(positiveIndex(pair.substr(0, colon), pair),
                                      positiveIndex(pair.substr(colon + 1), pair));
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
        return true;
    }
    return false;
}

void ApplyAnalysisOptions(TFitF1& w, const AnalysisOptions& o) {
    MeasurementSet& set = w.set();
    for (const auto& [c, a] : o.deactivate) {
        DataPoint* p = c >= 1 && a >= 1 && c <= set.lastConcIndex && a <= set.lastAngleIndex ? set.cell(c, a) : nullptr;
        if (!p)
            throw UsageError{"--deactivate " + std::to_string(c) + ":" + std::to_string(a) +
                             ": no such point (concentrations 1.." + std::to_string(set.lastConcIndex) +
                             ", angles 1.." + std::to_string(set.lastAngleIndex) + ")"};
        p->active = 0;
    }
    // The options dialog's choices, then k as if typed (a zero becomes 1.0).
    w.setWeighting(o.weight ? Weighting::On : Weighting::Off);
    w.setRememberedSmoothing(o.smooth ? Smoothing::On : Smoothing::Off);
    if (o.kDisplayed) {
        w.EnterK(*o.kDisplayed);
    } else if (o.kInternal && !w.RestoreK(*o.kInternal)) {
        throw UsageError{"the k of the evaluation does not suit the data; give --k"};
    }
    w.selectPlotType(o.plotType);
    w.selectQOrder(FitOrderFromNumber(o.qOrder).value_or(FitOrder::None));
    w.selectCOrder(FitOrderFromNumber(o.cOrder).value_or(FitOrder::None));
}

void PrintAnalysis(std::FILE* out, const TFitF1& w, const AnalysisOptions& o,
                   const std::vector<RecordedMessage>& messages) {
    if (o.results) std::fprintf(out, "%s\n", w.resultsText().c_str());
    if (o.json) {
        JsonMembers members = ResultsJsonMembers(w, messages);
        AddAxesMember(members, w);
        std::fprintf(out, "%s\n", json::object(members).c_str());
    }
}

} // namespace zeb::cli
