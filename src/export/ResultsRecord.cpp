#include "export/ResultsRecord.h"

#include "data/MeasurementSet.h"
#include "evaluation/OptionTable.h"
#include "platform/ScriptedPlatform.h"

namespace zeb {

namespace {

// Coefficients a1..a(order+1) of a row and their errors; empty lists when not fitted.
std::pair<Record, Record> fitted(bool made, const std::array<double, MeasurementSet::kCoefficients>& row,
                                 const LineErrors& errors, int order) {
    std::vector<double> a, e;
    if (made)
        for (int k = 1; k <= order + 1; ++k) {
            a.push_back(row[static_cast<std::size_t>(k)]);
            e.push_back(errors.errors[static_cast<std::size_t>(k)]);
        }
    return {Record::Numbers(a), Record::Numbers(e)};
}

Record line(std::pair<Record, Record> fit) {
    return Record::Object().add("coefficients", std::move(fit.first)).add("errors", std::move(fit.second));
}

Record axis(const AxisScale& a) {
    Record labels = Record::List();
    for (const auto& l : a.labels) labels.push(Record::Text(l));
    return Record::Object()
        .add("min", Record::Number(a.minimum))
        .add("max", Record::Number(a.maximum))
        .add("ticks", Record::Numbers(a.ticks))
        .add("labels", std::move(labels))
        .add("multiplier", Record::Text(a.multiplier))
        .add("exponent", Record::Text(a.exponent));
}

} // namespace

Record MessagesRecord(const std::vector<RecordedMessage>& messages) {
    Record list = Record::List();
    for (const auto& m : messages)
        list.push(Record::Object()
                      .add("caption", Record::Text(m.caption))
                      .add("text", Record::Text(m.text))
                      .add("file", m.file.empty() ? Record::Null() : Record::Text(m.file)));
    return list;
}

Record AxesRecord(const AxesState& axes) { return Record::Object().add("x", axis(axes.x)).add("y", axis(axes.y)); }

Record SetRecord(const MeasurementSet& set, const std::vector<RecordedMessage>& messages) {
    Record concentrations = Record::List();
    for (int c = 1; c <= set.lastConcIndex; ++c) {
        const auto k = static_cast<std::size_t>(c);
        concentrations.push(Record::Object()
                                .add("index", Record::Whole(c))
                                .add("cGPerCm3", Record::Number(set.concentration[k]))
                                .add("viscosity", Record::Number(set.viscosity[k]))
                                .add("temperature", Record::Number(set.temperature[k]))
                                .add("source", Record::Text(set.sourceName[k])));
    }
    std::vector<double> q2;
    for (int a = 0; a <= set.lastAngleIndex; ++a) q2.push_back(set.q2[static_cast<std::size_t>(a)]);
    Record cells = Record::List();
    for (int c = 0; c <= set.lastConcIndex; ++c) {
        for (int a = 0; a <= set.lastAngleIndex; ++a) {
            const DataPoint* p = set.cell(c, a);
            if (!p) continue;
            cells.push(Record::Object()
                           .add("c", Record::Whole(c))
                           .add("a", Record::Whole(a))
                           .add("hasData", Record::Whole(p->hasData))
                           .add("active", Record::Whole(p->active))
                           .add("presence", Record::Whole(p->presence))
                           .add("originMark", Record::Whole(p->originMark))
                           .add("kcr", Record::Number(p->kcr))
                           .add("kcrError", Record::Number(p->kcrError))
                           .add("dappI", Record::Number(p->dappI))
                           .add("dappIError", Record::Number(p->dappIError))
                           .add("dappII", Record::Number(p->dappII))
                           .add("dappIIError", Record::Number(p->dappIIError))
                           .add("dappIII", Record::Number(p->dappIII))
                           .add("dappIIIError", Record::Number(p->dappIIIError))
                           .add("rSample", Record::Number(p->rSample))
                           .add("rSampleError", Record::Number(p->rSampleError))
                           .add("nSolvent", Record::Number(p->nSolvent))
                           .add("wavelengthCm", Record::Number(p->wavelengthCm)));
        }
    }
    return Record::Object()
        .add("sampleName", Record::Text(set.sampleName))
        .add("solventName", Record::Text(set.solventName))
        .add("lastConcIndex", Record::Whole(set.lastConcIndex))
        .add("lastAngleIndex", Record::Whole(set.lastAngleIndex))
        .add("concentrations", std::move(concentrations))
        .add("q2PerCm2", Record::Numbers(q2))
        .add("cells", std::move(cells))
        .add("messages", MessagesRecord(messages));
}

Record ResultsRecord(const MeasurementSet& set, const EvaluationOptions& used, const ExtrapolationResult& fits,
                     const EvaluationResults& r, const AxesState* axes, const std::vector<RecordedMessage>& messages) {
    const int qOrder = OrderNumber(used.qOrder);
    const int cOrder = OrderNumber(used.cOrder);
    Record out = Record::Object()
                     .add("plotType", Record::Whole(PlotTypeNumber(used.plotType)))
                     // The name saved evaluations and the options use for it.
                     .add("plotTypeName", Record::Text(PlotTypeName(used.plotType)))
                     .add("qOrder", Record::Whole(qOrder))
                     .add("cOrder", Record::Whole(cOrder))
                     .add("smoothing", Record::Bool(used.smoothingInEffect() == Smoothing::On))
                     .add("weighting", Record::Bool(used.weighting == Weighting::On))
                     .add("k", Record::Number(used.kInternal.value_or(0.0)));
    if (IsDynamicPlot(used.plotType)) {
        out.add("DzC", Record::Number(r.dzC))
            .add("DzQ2", Record::Number(r.dzQ2))
            .add("CS2", Record::Number(r.cs2Um2))
            .add("kD", Record::Number(r.kD));
    } else {
        out.add("MwC", Record::Number(r.mwC))
            .add("MwQ2", Record::Number(r.mwQ2))
            .add("RgNm", Record::Number(r.rgNm))
            .add("S2Cm2", Record::Number(r.s2Cm2))
            .add("A2", Record::Number(r.a2));
    }
    out.add("relErrPercent", Record::Object()
                                 .add("P1", Record::Number(r.relErrPercent[0]))
                                 .add("P2", Record::Number(r.relErrPercent[1]))
                                 .add("P3", Record::Number(r.relErrPercent[2]))
                                 .add("P4", Record::Number(r.relErrPercent[3])));
    Record lines = Record::List();
    for (const auto& l : r.lines) lines.push(Record::Text(l));
    out.add("resultLines", std::move(lines));

    Record concs = Record::List();
    for (int c = 1; c <= set.lastConcIndex; ++c) {
        const auto k = static_cast<std::size_t>(c);
        const ConcentrationValues v = k < r.conc.size() ? r.conc[k] : ConcentrationValues{};
        const DataPoint* summary = set.cell(c, 0);
        auto [a, e] = fitted(summary && summary->hasData == 1, set.calcTableA[k], fits.concErrors[k], qOrder);
        concs.push(Record::Object()
                       .add("index", Record::Whole(c))
                       .add("cGPerCm3", Record::Number(set.concentration[k]))
                       .add("source", Record::Text(set.sourceName[k]))
                       .add("MwApp", Record::Number(v.mwApp))
                       .add("RgAppNm", Record::Number(v.rgAppNm))
                       .add("S2AppCm2", Record::Number(v.s2AppCm2))
                       .add("DzApp", Record::Number(v.dzApp))
                       .add("CS2App", Record::Number(v.cs2AppUm2))
                       .add("RhNm", Record::Number(v.rhNm))
                       .add("coefficients", std::move(a))
                       .add("errors", std::move(e)));
    }
    out.add("concentrations", std::move(concs));
    out.add("lines", Record::Object()
                         .add("cToZero", line(fitted(fits.lineC0.hasData == 1, set.calcTableA[0], fits.concErrors[0], qOrder)))
                         .add("qToZero", line(fitted(fits.lineQ0.hasData == 1, set.calcTableB[0], fits.angleErrors[0], cOrder))));
    if (axes) out.add("axes", AxesRecord(*axes));
    out.add("messages", MessagesRecord(messages));
    return out;
}

} // namespace zeb
