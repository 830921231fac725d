#include "python/Html.h"

#include "data/CFormat.h"

#include <algorithm>
#include <array>
#include <optional>

namespace zeb::python {

namespace {

// One line of the results table: the name the results text gives the value,
// its unit and the slot of its relative error (-1: none).
struct ResultLine {
    const char* name;
    const char* unit;
    int errorSlot;
    std::optional<double> EvaluationResults::*value;
};

constexpr std::array<ResultLine, 4> kStaticLines = {{
    {"Mw(c)", "g/mol", kSlotMwc, &EvaluationResults::mwC},
    {"Mw(q²)", "g/mol", kSlotMwq, &EvaluationResults::mwQ2},
    {"Rg", "nm", kSlotRg, &EvaluationResults::rgNm},
    {"A2", "mol dm³/g²", kSlotA2, &EvaluationResults::a2},
}};
constexpr std::array<ResultLine, 4> kDynamicLines = {{
    {"Dz(c)", "µm²/s", kSlotMwc, &EvaluationResults::dzC},
    {"Dz(q²)", "µm²/s", kSlotMwq, &EvaluationResults::dzQ2},
    {"C<S²>", "µm²", kSlotRg, &EvaluationResults::cs2Um2},
    {"kD", "dm³/g", kSlotA2, &EvaluationResults::kD},
}};

constexpr const char* kNotDetermined = "<td title=\"not determined\">—</td>";

std::string number(double v) { return CFormat("%.5g", v); }

std::string row(const std::string& name, const std::optional<double>& value, const char* unit,
                const std::optional<double>& relErrPercent) {
    std::string out = "<tr><th>" + HtmlEscaped(name) + "</th>";
    out += value ? "<td>" + number(*value) + "</td>" : kNotDetermined;
    out += std::string("<td>") + unit + "</td>";
    out += relErrPercent ? "<td>± " + CFormat("%.2g", *relErrPercent) + " %</td>" : "<td></td>";
    return out + "</tr>\n";
}

std::string messageList(const std::vector<RecordedMessage>& messages) {
    if (messages.empty()) return "";
    std::string out = "<ul>\n";
    for (const RecordedMessage& m : messages)
        out += "<li><b>" + HtmlEscaped(m.caption) + "</b>: " + HtmlEscaped(m.text) + "</li>\n";
    return out + "</ul>\n";
}

std::string trimmed(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0' || s.back() == '\r' || s.back() == '\n')) s.pop_back();
    return s;
}

} // namespace

std::string HtmlEscaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string EvaluationHtml(const Evaluated& evaluated) {
    const Evaluation& e = evaluated.view->evaluation();
    const EvaluationResults& r = e.results;
    const bool dynamic = IsDynamicPlot(e.options.plotType);
    std::string out = "<table class=\"zebstat-evaluation\">\n<caption>";
    const std::string sample = trimmed(e.set.sampleName);
    if (!sample.empty()) out += HtmlEscaped(sample) + "<br>";
    out += HtmlEscaped(trimmed(r.report.secondLine)) + "</caption>\n";
    out += "<tr><th>result</th><th>value</th><th>unit</th><th>relative error</th></tr>\n";
    for (const ResultLine& line : dynamic ? kDynamicLines : kStaticLines)
        out += row(line.name, r.*line.value, line.unit, r.relErrPercent[static_cast<std::size_t>(line.errorSlot)]);
    if (dynamic) out += row("Rh", r.conc.empty() ? std::nullopt : r.conc[0].rhNm, "nm", std::nullopt);
    out += "</table>\n";
    return out + messageList(evaluated.messages);
}

std::string EvaluationLine(const Evaluated& evaluated) {
    const Evaluation& e = evaluated.view->evaluation();
    const EvaluationResults& r = e.results;
    std::string out = trimmed(e.set.sampleName);
    out += (out.empty() ? "" : ", ") + std::string(PlotTypeName(e.options.plotType)) + " q " +
           std::to_string(OrderNumber(e.options.qOrder)) + " c " + std::to_string(OrderNumber(e.options.cOrder)) + ":";
    const char* separator = " ";
    for (const ResultLine& line : IsDynamicPlot(e.options.plotType) ? kDynamicLines : kStaticLines) {
        const std::optional<double>& value = r.*line.value;
        out += separator + std::string(line.name) + " " + (value ? number(*value) + " " + line.unit : "—");
        separator = ", ";
    }
    return out;
}

std::string MeasurementHtml(const Loaded& loaded) {
    const MeasurementSet& s = loaded.measurement->set;
    std::string files;
    for (const std::string& f : loaded.files) files += (files.empty() ? "" : "<br>") + HtmlEscaped(f);
    std::string concentrations;
    for (int c = 1; c <= s.lastConcIndex; ++c)
        concentrations += (c > 1 ? ", " : "") + CFormat("%.4g", s.concentration[static_cast<std::size_t>(c)] * 1000.0);
    double q2Low = 0, q2High = 0;
    if (s.lastAngleIndex >= 1) {
        const auto first = s.q2.begin() + 1, last = s.q2.begin() + 1 + s.lastAngleIndex;
        q2Low = *std::min_element(first, last) * 1e-8;  // 1/cm² -> 1/µm²
        q2High = *std::max_element(first, last) * 1e-8;
    }
    std::string out = "<table class=\"zebstat-measurement\">\n";
    out += "<tr><th>files</th><td>" + files + "</td></tr>\n";
    out += "<tr><th>sample</th><td>" + HtmlEscaped(trimmed(s.sampleName)) + "</td></tr>\n";
    out += "<tr><th>solvent</th><td>" + HtmlEscaped(trimmed(s.solventName)) + "</td></tr>\n";
    out += "<tr><th>concentrations</th><td>" + std::to_string(std::max(0, static_cast<int>(s.lastConcIndex))) +
           ": " + concentrations + " g/dm³</td></tr>\n";
    out += "<tr><th>angles</th><td>" + std::to_string(std::max(0, static_cast<int>(s.lastAngleIndex))) + "</td></tr>\n";
    out += "<tr><th>q²</th><td>" + number(q2Low) + " … " + number(q2High) + " µm⁻²</td></tr>\n";
    out += "</table>\n";
    return out + messageList(loaded.messages);
}

} // namespace zeb::python
