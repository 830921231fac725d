#include "series/SeriesRow.h"

#include "data/MeasurementLoader.h"
#include "evaluation/Evaluation.h"
#include "evaluation/Intervals.h"
#include "evaluation/OptionTable.h"
#include "export/ResultsRecord.h"
#include "export/UncertaintyRecord.h"
#include "platform/ScriptedPlatform.h"
#include "texts/CommonTexts.h"
#include "texts/DataTexts.h"

#include <new>
#include <string_view>
#include <stdexcept>
#include <utility>

namespace zeb {

namespace {

const char* const kTableColumns[] = {"group", "files", "sample", "solvent", "wavelengthNm", "temperatureK",
                                "concentrations", "angles", "plot", "qOrder", "cOrder", "smoothing", "weighting",
                                "k", "MwC", "MwQ2", "RgNm", "A2", "DzC", "DzQ2", "CS2", "kD", "RhNm",
                                "relErrP1", "relErrP2", "relErrP3", "relErrP4", "messages", "status", "error"};
// Asked for: the 95 % intervals by propagation, before "messages"; null where not determined.
const char* const kIntervalColumns[] = {"MwC_ci95_low", "MwC_ci95_high", "MwQ2_ci95_low", "MwQ2_ci95_high", "RgNm_ci95_low",
                                "RgNm_ci95_high", "A2_ci95_low", "A2_ci95_high", "DzC_ci95_low", "DzC_ci95_high",
                                "DzQ2_ci95_low", "DzQ2_ci95_high", "CS2_ci95_low", "CS2_ci95_high", "kD_ci95_low",
                                "kD_ci95_high", "RhNm_ci95_low", "RhNm_ci95_high"};

std::string joined(const std::vector<std::string>& files) {
    std::string out;
    for (const std::string& f : files) out += (out.empty() ? "" : ";") + f;
    return out;
}

std::vector<std::string> columnsOf(bool intervals) {
    std::vector<std::string> columns;
    for (const char* column : kTableColumns) {
        if (intervals && std::string_view(column) == "messages")
            columns.insert(columns.end(), std::begin(kIntervalColumns), std::end(kIntervalColumns));
        columns.emplace_back(column);
    }
    return columns;
}

// The row with every column null.
Record emptyRow(bool intervals) {
    Record row = Record::Object();
    for (const std::string& column : SeriesColumns(intervals)) row.add(column, Record());
    return row;
}

// The wavelength of the first point with data, in nm.
std::optional<double> wavelengthNmOf(const MeasurementSet& s) {
    for (int c = 1; c <= s.lastConcIndex; ++c)
        for (int a = 1; a <= s.lastAngleIndex; ++a)
            if (const DataPoint* p = s.cell(c, a); p && p->hasData != 0 && p->wavelengthCm > 0.0)
                return p->wavelengthCm * 1e7;
    return std::nullopt;
}

std::string trailingBlanksCut(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.pop_back();
    return s;
}

EvaluationOptions optionsOf(const SeriesEntry& entry, const SeriesOptions& series) {
    EvaluationOptions o = series.evaluation;
    const RowOptions& r = entry.options;
    if (r.plotType) o.plotType = *r.plotType;
    if (r.qOrder) o.qOrder = *r.qOrder;
    if (r.cOrder) o.cOrder = *r.cOrder;
    if (r.smoothing) o.smoothing = *r.smoothing;
    if (r.weighting) o.weighting = *r.weighting;
    return o;
}

} // namespace

const std::vector<std::string>& SeriesColumns(bool intervals) {
    static const std::vector<std::string> plain = columnsOf(false), withIntervals = columnsOf(true);
    return intervals ? withIntervals : plain;
}

bool RowFailed(const Record& row) {
    const Record* status = row.find("status");
    return !status || status->kind() != Record::Kind::Text || status->text() != "ok";
}

Record EvaluateSeriesEntry(const SeriesEntry& entry, const SeriesOptions& series) {
    std::vector<std::pair<std::string, Record>> values;
    values.emplace_back("group", Record::Text(entry.group));
    values.emplace_back("files", Record::Text(joined(entry.files)));
    ScriptedPlatform platform;  // keeps the messages; reviews answer "Continue without any change"
    std::string error = entry.problem;
    EvaluationOptions options = optionsOf(entry, series);
    values.emplace_back("plot", Record::Text(PlotTypeName(options.plotType)));
    values.emplace_back("qOrder", Record::Whole(OrderNumber(options.qOrder)));
    values.emplace_back("cOrder", Record::Whole(OrderNumber(options.cOrder)));
    values.emplace_back("smoothing", Record::Bool(options.smoothingInEffect() == Smoothing::On));
    values.emplace_back("weighting", Record::Bool(options.weighting == Weighting::On));
    if (error.empty()) {
        try {
            const std::unique_ptr<LoadedMeasurement> loaded = LoadMeasurement(entry.files, platform);
            if (!loaded->loaded()) {
                error = platform.messages.empty() ? "the files could not be loaded" : platform.messages.back().text;
            } else {
                const MeasurementSet& s = loaded->set;
                values.emplace_back("sample", Record::Text(trailingBlanksCut(s.sampleName)));
                values.emplace_back("solvent", Record::Text(trailingBlanksCut(s.solventName)));
                // Both come from single-precision fields of the files: seven digits.
                if (const auto nm = wavelengthNmOf(s)) values.emplace_back("wavelengthNm", Record::Number(*nm, 7));
                if (s.lastConcIndex >= 1 && s.temperature[1] > 0.0f)
                    values.emplace_back("temperatureK", Record::Number(s.temperature[1], 7));
                values.emplace_back("concentrations", Record::Whole(s.lastConcIndex));
                values.emplace_back("angles", Record::Whole(s.lastAngleIndex));
                CheckPoints(s, options.switchedOff, OptionSpelling::Keyword);
                const std::optional<double> k = entry.options.kDisplayed ? entry.options.kDisplayed : series.kDisplayed;
                if (k) {
                    options.kInternal = KFromDisplayed(s, *k);
                    if (!options.kInternal) platform.inform(KRefusalText(s, *k), tx::CapInformation, MsgIcon::Stop);
                }
                // The set is evaluated itself, not a copy of it: the row needs nothing else of it.
                const Evaluation e(std::move(loaded->set), options);
                for (const Message& m : e.messages) platform.inform(m.text, m.caption, m.icon);
                const EvaluationResults& r = e.results;
                values.emplace_back("k", Record::Number(e.options.kInternal.value_or(0.0)));
                if (IsStaticPlot(options.plotType)) {
                    values.emplace_back("MwC", Record::Number(r.mwC));
                    values.emplace_back("MwQ2", Record::Number(r.mwQ2));
                    values.emplace_back("RgNm", Record::Number(r.rgNm));
                    values.emplace_back("A2", Record::Number(r.a2));
                } else {
                    values.emplace_back("DzC", Record::Number(r.dzC));
                    values.emplace_back("DzQ2", Record::Number(r.dzQ2));
                    values.emplace_back("CS2", Record::Number(r.cs2Um2));
                    values.emplace_back("kD", Record::Number(r.kD));
                    if (!r.conc.empty()) values.emplace_back("RhNm", Record::Number(r.conc[0].rhNm));
                }
                for (std::size_t i = 0; i < 4; ++i)
                    values.emplace_back("relErrP" + std::to_string(i + 1), Record::Number(r.relErrPercent[i]));
                if (e.completed && series.intervals)
                    for (const ResultInterval& i : PropagatedIntervals(e).results)
                        if (i.determined()) {
                            const std::string key = ResultKey(i.result);
                            values.emplace_back(key + "_ci95_low", Record::Number(i.interval->low));
                            values.emplace_back(key + "_ci95_high", Record::Number(i.interval->high));
                        }
                if (!e.completed) error = platform.messages.empty() ? "the calculation did not complete" : platform.messages.back().text;
            }
        } catch (const OptionError& refused) {
            error = refused.text;
        } catch (const std::invalid_argument& refused) {
            error = refused.what();
        } catch (const std::bad_alloc&) {
            error = tx::ErrorAllocationMemory;
        }
    }
    values.emplace_back("messages", MessagesRecord(platform.messages));
    values.emplace_back("status", Record::Text(error.empty() ? "ok" : "failed"));
    if (!error.empty()) values.emplace_back("error", Record::Text(error));
    Record row = emptyRow(series.intervals);  // the columns' order whatever the order of the values
    for (auto& [key, value] : values) row.set(key, std::move(value));
    return row;
}

} // namespace zeb
