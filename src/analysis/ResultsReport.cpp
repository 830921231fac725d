#include "analysis/ResultsReport.h"

#include "analysis/NumberText.h"
#include "analysis/PlotType.h"
#include "analysis/PointTransform.h"
#include "texts/AnalysisTexts.h"
#include "texts/CommonTexts.h"
#include "data/RoundSig.h"

#include <cmath>

namespace zeb {

namespace {

// Number of UTF-8 characters (lead bytes) in text.
std::size_t characters(const std::string& text) {
    std::size_t n = 0;
    for (unsigned char ch : text)
        if ((ch & 0xC0) != 0x80) ++n;
    return n;
}

// "%-15s": the text padded with blanks to 15 characters (counted as characters,
// so that a name with accented letters lines up like any other).
std::string padRight15(const std::string& text) {
    std::string out = text;
    for (std::size_t n = characters(text); n < 15; ++n) out += ' ';
    return out;
}

// A row piece for a value that may be missing: the number in its format, or
// "%12s" with "---", followed by the separator.
std::string piece(const char* format, std::optional<double> value, const char* separator) {
    if (value) return CleanNumber(CFormat(format, *value) + separator);
    return CleanNumber(CFormat("%12s", tx::NoValue) + separator);
}

const char* header(int plotType) {
    switch (plotType) {
    case kPlotBerry: return tx::HeaderBerry;
    case kPlotGuinier: return tx::HeaderGuinier;
    case kPlotDI: return tx::HeaderDI;
    case kPlotDII: return tx::HeaderDII;
    case kPlotDIII: return tx::HeaderDIII;
    default: return tx::HeaderZimm;
    }
}

std::string percentage(double p) { return CleanNumber(Gcvt6(RoundSig(std::fabs(p), 2))); }

} // namespace

std::string JoinResultsReport(const ResultsReportParts& parts) {
    std::string text = parts.firstLine + "\r\n" + parts.secondLine + "\r\n";
    for (const std::string& line : parts.tableLines) text += line + "\r\n";
    return text + "\r\n" + parts.closingText;
}

std::string ReportFileName(const std::string& path) {
    const auto slash = path.find_last_of("/\\:");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string out;
    std::size_t n = 0;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const unsigned char ch = static_cast<unsigned char>(name[i]);
        if ((ch & 0xC0) != 0x80 && ++n > 15) break;
        out += name[i];
    }
    return out;
}

std::array<double, 4> RelativeErrors(const MeasurementSet& set, const ExtrapolationResult& fits,
                                     const EvaluationResults& r, int plotType) {
    const ValueWithError q0 = ExtrapolatedValue(fits.lineQ0, plotType);
    const ValueWithError c0 = ExtrapolatedValue(fits.lineC0, plotType);
    const double p1 = 100.0 * q0.error / q0.value;
    const double p2 = 100.0 * c0.error / c0.value;
    const bool dynamic = IsDynamicPlot(plotType);

    double p3 = -1.0;
    if (r.lines[kSlotRg].find(dynamic ? tx::MarkCS2 : tx::MarkRg) != std::string::npos) {
        const double rr = fits.slopeErrorC0 / set.calcTableA[0][2], t = p2 / 100.0;
        switch (plotType) {
        case kPlotZimm: p3 = 50.0 * std::sqrt(rr * rr + t * t); break;
        case kPlotBerry: p3 = 100.0 * std::sqrt(rr * rr / 4.0 + t * t / 16.0); break;
        case kPlotGuinier: p3 = std::fabs(50.0 * rr); break;
        default: p3 = 100.0 * std::sqrt(rr * rr + t * t); break;
        }
    }
    double p4 = -1.0;
    if (r.lines[kSlotA2].find(dynamic ? tx::MarkKD : tx::MarkA2) != std::string::npos) {
        const double rr = fits.slopeErrorQ0 / set.calcTableB[0][2], t = p1 / 100.0;
        switch (plotType) {
        case kPlotZimm: p4 = std::fabs(100.0 * rr); break;
        case kPlotBerry: p4 = 100.0 * std::sqrt(rr * rr + (t / 2.0) * (t / 2.0)); break;
        default: p4 = 100.0 * std::sqrt(rr * rr + t * t); break;
        }
    }
    return {p1, p2, p3, p4};
}

void BuildResultsText(const MeasurementSet& set, const ExtrapolationResult& fits, const ReportSettings& s,
                      EvaluationResults& r) {
    const bool dynamic = IsDynamicPlot(s.plotType);
    ResultsReportParts& parts = r.report;
    parts = {};
    parts.tableLines.push_back(dynamic ? tx::ColumnsDynamic : tx::ColumnsStatic);
    r.anyRow = false;
    for (int c = 0; c <= set.lastConcIndex; ++c) {
        if (static_cast<std::size_t>(c) >= r.conc.size()) break;
        const ConcentrationValues& v = r.conc[static_cast<std::size_t>(c)];
        if (!v.fitted) continue;
        if (c >= 1) {
            const DataPoint* summary = set.cell(c, 0);
            if (!summary || summary->active != 1) continue;
        }
        std::string rows;
        if (c == 0) {
            rows += CleanNumber(CFormat("%-15s\t%#10.4f\t", tx::RowConcZero, 0.0));
        } else {
            const std::string name = padRight15(ReportFileName(set.sourceName[c]));
            rows += CleanNumber(CFormat("%s\t%#10.4f\t", name.c_str(), set.concentration[c] * 1000.0));
        }
        if (!dynamic) {
            rows += piece("%12.3e", v.mwApp, "\t");
            rows += piece("%#12.3e", v.s2AppCm2 ? std::optional<double>(*v.s2AppCm2 * 1e8) : std::nullopt, "\t");
            rows += piece("%12.3f", v.rgAppNm, "\r\n");
        } else {
            rows += piece("%#12.3e", v.dzApp, "\t");
            rows += piece("%#12.3e", v.cs2AppUm2, "\t");
            const bool known = set.temperature[c] != 0.0f && set.viscosity[c] != 0.0f;
            rows += known ? piece("%#12.3f", v.rhNm, "\r\n") : std::string(tx::NoRh);
        }
        rows.resize(rows.size() - 2);  // every row ends with CR LF
        parts.tableLines.push_back(std::move(rows));
        r.anyRow = true;
    }

    parts.firstLine = tx::VersionText;
    parts.secondLine = header(s.plotType);
    parts.secondLine += CFormat(tx::OrdersFormat, s.qOrder, s.cOrder);
    if (s.smoothing) parts.secondLine += tx::Smoothed;
    std::string text = r.lines[kSlotMwc];

    r.relErrPercent = {};
    if (fits.lineC0.hasData == 1 && fits.lineQ0.hasData == 1) {
        const std::array<double, 4> p = RelativeErrors(set, fits, r, s.plotType);
        // P1 and P4 come from the q -> 0 line (over c), P2 and P3 from the c -> 0 line (over q²).
        const bool q0Known = s.weighting || fits.pointsQ0 > s.cOrder + 1;
        const bool c0Known = s.weighting || fits.pointsC0 > s.qOrder + 1;
        auto add = [&](int i, bool known) {
            const double v = p[static_cast<std::size_t>(i)];
            text += tx::ErrorOpen;
            if (known && std::isfinite(v)) {
                text += percentage(v);
                r.relErrPercent[static_cast<std::size_t>(i)] = std::fabs(v);
            } else {
                text += tx::NoValue;
            }
            text += tx::ErrorClose;
        };
        add(0, q0Known);
        text += tx::SummaryGap;
        text += r.lines[kSlotMwq];
        add(1, c0Known);
        text += "\r\n";
        text += r.lines[kSlotRg];
        if (!(p[2] < 0.0)) add(2, c0Known);  // -1: the line shows no Rg (C<S²>)
        text += tx::SummaryGap;
        text += r.lines[kSlotA2];
        if (!(p[3] < 0.0)) add(3, q0Known);  // -1: the line shows no A2 (kD)
    }
    parts.closingText = std::move(text);
    r.text = JoinResultsReport(parts);
}

} // namespace zeb
