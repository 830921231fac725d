#include "export/ExportText.h"

#include "texts/ExportTexts.h"
#include "data/CFormat.h"
#include "data/MeasurementSet.h"

#include <algorithm>
#include <cmath>

namespace zeb {

namespace {

std::string Trim(const std::string& s) {
    const std::size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

bool Exported(const DataPoint* p) { return p && p->hasData == 1 && p->active == 1; }

// A plotted value back in the unit of the data: Berry plots sqrt(Kc/R),
// Guinier plots ln(Kc/R), the other types the value itself.
double FromPlotUnits(double y, int plotType) {
    if (plotType == 2) return y * y;
    if (plotType == 3) return std::exp(y);
    return y;
}

double MeasuredValue(const DataPoint& p, int plotType) {
    switch (plotType) {
    case 4: return p.dappI;
    case 5: return p.dappII;
    case 6: return p.dappIII;
    default: return p.kcr;
    }
}

void PointLine(std::string& out, double x, double y) { out += CFormat(tx::AsciiPointLine, x, y); }

bool ValidEntry(const MeasurementSet& set, int c) { return c >= 0 && c <= set.lastConcIndex; }

} // namespace

std::string ExportSourceFileList(const MeasurementSet& set) {
    std::vector<std::string> seen;
    std::string out;
    for (int c = 1; c <= set.lastConcIndex; ++c) {
        std::string name = Trim(set.sourceName[static_cast<std::size_t>(c)]);
        if (std::find(seen.begin(), seen.end(), name) != seen.end()) continue;
        if (!seen.empty()) out += "\r\n";
        out += name;
        seen.push_back(std::move(name));
    }
    return out;
}

std::string BuildAsciiExport(const MeasurementSet& set, const std::vector<int>& chosen, int plotType,
                             const DataPoint* c0Intercept) {
    std::vector<int> entries;
    for (int c : chosen)
        if (ValidEntry(set, c)) entries.push_back(c);

    std::string out = CFormat(tx::AsciiDataExtractedFrom, ExportSourceFileList(set).c_str());
    out += CFormat(tx::AsciiNoOfConcentrations, static_cast<short>(entries.size()));
    out += tx::AsciiAxisLines[plotType >= 1 && plotType <= 6 ? plotType - 1 : 0];

    for (int i : entries) {
        out += CFormat(tx::AsciiConcentrationLine, set.concentration[static_cast<std::size_t>(i)] * 1000.0);
        for (int j = 0; j <= set.lastAngleIndex; ++j) {
            if (i >= 1 && j >= 1) {
                const DataPoint* p = set.cell(i, j);
                if (Exported(p)) PointLine(out, p->q2 * 1e-8, MeasuredValue(*p, plotType));
            } else if (i == 0 && j == 0) {
                if (Exported(c0Intercept)) PointLine(out, 0.0, FromPlotUnits(c0Intercept->y(), plotType));
            } else {
                const DataPoint* p = set.cell(i, j);
                const double x = j == 0 ? 0.0 : set.q2[static_cast<std::size_t>(j)] * 1e-8;
                if (Exported(p)) PointLine(out, x, FromPlotUnits(p->y(), plotType));
            }
        }
    }
    return out;
}

std::optional<std::string> BuildScatteringRatioExport(const MeasurementSet& set, const std::vector<int>& chosen) {
    // The concentrations from index 1 on, with their 1-based position in the
    // chosen list (a chosen c = 0 group keeps its place in the numbering).
    struct Entry {
        int c;
        long position;
    };
    std::vector<Entry> entries;
    for (std::size_t k = 0; k < chosen.size(); ++k)
        if (chosen[k] >= 1 && chosen[k] <= set.lastConcIndex)
            entries.push_back({chosen[k], static_cast<long>(k + 1)});

    // A point holds data whatever the plot type: hasData is 1 or, after a
    // calculation of a type the point has no value for, 2. Such a point
    // counts as data here, but its R is written only while the point belongs
    // to the plot (hasData 1); the others give -1 and -1.
    bool any = false;
    for (const Entry& e : entries)
        for (int a = 1; a <= set.lastAngleIndex && !any; ++a)
            if (const DataPoint* p = set.cell(e.c, a); p && p->hasData != 0 && p->rSample >= 0.0) any = true;
    if (!any) return std::nullopt;

    std::string out = tx::RatioHeader;
    out += tx::RatioUnits;
    out += tx::RatioNegativeNote;
    out += CFormat(tx::RatioNoOfConcentrations, static_cast<long>(entries.size()));
    for (const Entry& e : entries)
        out += CFormat(tx::RatioConcentrationLine, e.position,
                       set.concentration[static_cast<std::size_t>(e.c)] * 1000.0,
                       set.sourceName[static_cast<std::size_t>(e.c)].c_str());
    for (int a = 1; a <= set.lastAngleIndex; ++a) {
        out += CFormat(tx::RatioQ, std::sqrt(set.q2[static_cast<std::size_t>(a)] * 1e-8));
        for (const Entry& e : entries) {
            if (const DataPoint* p = set.cell(e.c, a); p && p->hasData == 1)
                out += CFormat(tx::RatioValuePair, p->rSample * 100.0, p->rSampleError * 100.0);
            else
                out += CFormat(tx::RatioValuePair, -1.0, -1.0);
        }
        out += "\r\n";
    }
    return out;
}

} // namespace zeb
