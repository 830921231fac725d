#include "export/UncertaintyRecord.h"
#include "export/FormFactorFitTable.h"

#include "analysis/NumberText.h"
#include "data/CFormat.h"
#include "evaluation/OptionTable.h"
#include "texts/UncertaintyTexts.h"

#include <algorithm>

namespace zeb {

namespace {

Record intervalOf(const std::optional<Interval>& i) {
    if (!i) return Record();
    return Record::List({Record::Number(i->low), Record::Number(i->high)});
}

Record methodRecord(const ResultIntervals& intervals) {
    Record out = Record::Object();
    Record why = Record::Object();
    for (const ResultInterval& r : intervals.results) {
        out.add(ResultKey(r.result), intervalOf(r.interval));
        if (!r.determined()) why.add(ResultKey(r.result), Record::Text(r.why.text));
    }
    out.add("notDetermined", std::move(why));
    return out;
}

// Four significant digits, trailing zeros kept ("1.000e6 g/mol" beside "1.017e6 g/mol").
std::string number(double v) { return CleanNumber(CFormat("%#.4g", v)); }

std::string intervalText(const ResultInterval* r, const char* unit) {
    if (!r) return tx::NotDeterminedValue;
    if (!r->determined()) return tx::NotDeterminedValue;
    return "[" + number(r->interval->low) + ", " + number(r->interval->high) + "] " + unit;
}

// A model's note when a value of it is not determined, and the best model's line.
std::string whyLine(const FormFactorFitResult& m) {
    return std::string(m.name) + ": " + CFormat(tx::NotDeterminedBecause, m.why.text.c_str());
}

std::string bestLine(const FormFactorFits& fits) {
    for (const FormFactorFitResult& m : fits.models)
        if (m.model == fits.bestModel) return CFormat(tx::FormFactorFitsBest, m.name);
    return {};
}

std::string rmsText(const FormFactorFitResult& m) {
    return m.converged ? CleanNumber(CFormat("%.2f", m.rmsRelativePercent)) + " %" : std::string(tx::NotDeterminedValue);
}

const char* directionName(FitDirection d) { return d == FitDirection::OverQ2 ? "q2" : "c"; }

} // namespace

const char* ResultKey(ResultKind kind) {
    switch (kind) {
    case ResultKind::MwC: return "MwC";
    case ResultKind::MwQ2: return "MwQ2";
    case ResultKind::Rg: return "RgNm";
    case ResultKind::A2: return "A2";
    case ResultKind::DzC: return "DzC";
    case ResultKind::DzQ2: return "DzQ2";
    case ResultKind::CS2: return "CS2";
    case ResultKind::KD: return "kD";
    case ResultKind::Rh: return "RhNm";
    }
    return "";
}

Record IntervalsRecord(const UncertaintyReport& report) {
    Record out = Record::Object();
    out.add("level", Record::Number(report.level));
    out.add("propagation", methodRecord(report.propagated));
    if (report.bootstrap) {
        const BootstrapOutcome& b = *report.bootstrap;
        out.add("bootstrapBCa", methodRecord(b.bca));
        out.add("bootstrapPercentile", methodRecord(b.percentile));
        out.add("bootstrap", Record::Object()
                                 .add("seed", Record::Whole(static_cast<long long>(report.bootstrapSeed)))
                                 .add("resamples", Record::Whole(b.requested))
                                 .add("completed", Record::Whole(b.completed))
                                 .add("cancelled", Record::Bool(b.cancelled)));
    } else {
        out.add("bootstrapBCa", Record()).add("bootstrapPercentile", Record()).add("bootstrap", Record());
    }
    return out;
}

void AddUncertaintyMembers(Record& results, const UncertaintyReport& report) {
    const std::string before = results.find("axes") ? "axes" : "messages";
    results.insertBefore(before, "ci95", IntervalsRecord(report));
    results.insertBefore(before, "advice", AdviceRecord(report.advice));
    if (report.formFactorFits) results.insertBefore(before, "formFactorFits", FormFactorFitsRecord(*report.formFactorFits));
}

Record AdviceRecord(const OrderAdvice& advice) {
    Record list = Record::List();
    for (const OrderAdviceItem& a : advice.items)
        list.push(Record::Object()
                      .add("direction", Record::Text(directionName(a.direction)))
                      .add("chosenOrder", Record::Whole(OrderNumber(a.chosen)))
                      .add("suggestedOrder", Record::Whole(OrderNumber(a.suggested)))
                      .add("result", Record::Text(ResultKey(a.result)))
                      .add("chosenValue", Record::Number(a.chosenValue))
                      .add("suggestedValue", Record::Number(a.suggestedValue))
                      .add("chosenInterval", intervalOf(a.chosenInterval))
                      .add("suggestedInterval", intervalOf(a.suggestedInterval))
                      .add("changePercent", Record::Number(a.changePercent))
                      .add("pValue", Record::Number(a.pValue))
                      .add("text", Record::Text(a.text)));
    return list;
}

Record FormFactorFitsRecord(const FormFactorFits& fits) {
    Record models = Record::List();
    for (const FormFactorFitResult& m : fits.models)
        models.push(Record::Object()
                        .add("model", Record::Text(ModelName(m.model)))
                        .add("MwGPerMol", Record::Number(m.mwGPerMol))
                        .add("MwInterval", intervalOf(m.mwInterval))
                        .add("RgNm", Record::Number(m.rgNm))
                        .add("RgInterval", intervalOf(m.rgInterval))
                        .add("sizeNm", Record::Number(m.sizeNm))
                        .add("chi2", Record::Number(m.chi2))
                        .add("reducedChi2", Record::Number(m.reducedChi2))
                        .add("rmsPercent", Record::Number(m.rmsRelativePercent))
                        .add("converged", Record::Bool(m.converged))
                        .add("notDetermined", m.why.text.empty() ? Record() : Record::Text(m.why.text)));
    return Record::Object()
        .add("points", Record::Whole(fits.points))
        .add("best", fits.bestModel ? Record::Text(ModelName(fits.bestModel)) : Record())
        .add("models", std::move(models));
}

std::string AdviceText(const OrderAdvice& advice) {
    std::string out;
    for (const OrderAdviceItem& a : advice.items) out += (out.empty() ? "" : "\r\n") + a.text;
    return out;
}

std::string UncertaintyText(const UncertaintyReport& report) {
    std::string out = CFormat(tx::IntervalsHeading, report.level * 100.0) + "\r\n" + tx::IntervalsColumns + "\r\n";
    std::string reasons;
    for (const ResultInterval& r : report.propagated.results) {
        const char* unit = ResultUnit(r.result);
        const ResultInterval* bca = report.bootstrap ? report.bootstrap->bca.find(r.result) : nullptr;
        const ResultInterval* pct = report.bootstrap ? report.bootstrap->percentile.find(r.result) : nullptr;
        out += std::string(ResultName(r.result)) + "\t" +
               (r.estimate ? number(*r.estimate) + " " + unit : std::string(tx::NotDeterminedValue)) + "\t" +
               intervalText(&r, unit) + "\t" + intervalText(bca, unit) + "\t" + intervalText(pct, unit) + "\r\n";
        for (const ResultInterval* i : {&r, bca, pct})
            if (i && !i->determined() && reasons.find(i->why.text) == std::string::npos)
                reasons += std::string(ResultName(r.result)) + ": " + CFormat(tx::NotDeterminedBecause, i->why.text.c_str()) + "\r\n";
    }
    out += reasons;
    if (report.bootstrap)
        out += CFormat(tx::IntervalsBootstrapNote, report.bootstrap->completed, report.bootstrap->requested,
                       static_cast<unsigned long long>(report.bootstrapSeed));
    else
        out += tx::IntervalsNoBootstrap;
    out += "\r\n";
    const std::string advice = AdviceText(report.advice);
    out += advice.empty() ? std::string(tx::AdviceNone) + "\r\n" : std::string(tx::AdviceHeading) + "\r\n" + advice + "\r\n";
    if (report.formFactorFits) out += FormFactorFitsText(*report.formFactorFits);
    return out;
}

std::string FormFactorFitsText(const FormFactorFits& fits) {
    std::string out = CFormat(tx::FormFactorFitsHeading, fits.points) + "\r\n" + tx::FormFactorFitsColumns + "\r\n";
    const auto valueAndInterval = [&](const std::optional<double>& v, const std::optional<Interval>& i, const char* unit) {
        if (!v) return std::string(tx::NotDeterminedValue);
        std::string s = number(*v) + " " + unit;
        if (i) s += " [" + number(i->low) + ", " + number(i->high) + "]";
        return s;
    };
    for (const FormFactorFitResult& m : fits.models) {
        out += std::string(m.name) + "\t" + valueAndInterval(m.mwGPerMol, m.mwInterval, "g/mol") + "\t" +
               valueAndInterval(m.rgNm, m.rgInterval, "nm") + "\t" +
               (m.sizeNm ? number(*m.sizeNm) + " nm" : std::string(tx::NotDeterminedValue)) + "\t" +
               rmsText(m) + "\r\n";
        if (!m.why.text.empty()) out += whyLine(m) + "\r\n";
    }
    if (const std::string best = bestLine(fits); !best.empty()) out += best + "\r\n";
    return out;
}

FormFactorFitTable TabulateFormFactorFits(const FormFactorFits& fits, double level) {
    const auto valueText = [](const std::optional<double>& v) { return v ? number(*v) : std::string(tx::NotDeterminedValue); };
    const auto intervalText = [](const std::optional<Interval>& i) {
        return i ? "[" + number(i->low) + ", " + number(i->high) + "]" : std::string(tx::NotDeterminedValue);
    };
    const auto fitted = [](const FormFactorFitResult& m) { return m.converged && m.mwGPerMol.has_value(); };
    FormFactorFitTable t;
    t.heading = CFormat(tx::FormFactorFitsTitle, fits.points);
    const std::string interval = CFormat(tx::FormFactorFitsIntervalColumn, level * 100.0);
    t.columns = {tx::FormFactorFitsModelColumn, tx::FormFactorFitsMwColumn, interval, tx::FormFactorFitsRgColumn,
                 interval, tx::FormFactorFitsSquaresColumn, tx::FormFactorFitsRmsColumn};

    std::vector<const FormFactorFitResult*> order;
    for (const FormFactorFitResult& m : fits.models) order.push_back(&m);
    std::stable_sort(order.begin(), order.end(), [&](const FormFactorFitResult* a, const FormFactorFitResult* b) {
        if (fitted(*a) != fitted(*b)) return fitted(*a);
        return fitted(*a) && a->reducedChi2 < b->reducedChi2;
    });
    for (const FormFactorFitResult* m : order) {
        t.rows.push_back({m->name, valueText(m->mwGPerMol), intervalText(m->mwInterval), valueText(m->rgNm),
                          intervalText(m->rgInterval), fitted(*m) ? number(m->chi2) : std::string(tx::NotDeterminedValue),
                          fitted(*m) ? rmsText(*m) : std::string(tx::NotDeterminedValue)});
        t.models.push_back(m->model);
        if (!m->why.text.empty()) t.notes.push_back(whyLine(*m));
    }
    if (const std::string best = bestLine(fits); !best.empty()) t.notes.push_back(best);
    return t;
}

} // namespace zeb
