#include "analysis/StaticExtrapolation.h"

#include "analysis/NumberText.h"
#include "analysis/PlotType.h"
#include "texts/AnalysisTexts.h"
#include "data/RoundSig.h"

#include <cmath>

namespace zeb {


double ApparentMw(int plotType, double a1) {
    switch (plotType) {
    case kPlotBerry: return 1.0 / (a1 * a1);
    case kPlotGuinier: return 1.0 / std::exp(a1);
    default: return 1.0 / a1;
    }
}

double ApparentS2Cm2(int plotType, double a1, double a2) {
    switch (plotType) {
    case kPlotBerry: return 6.0 * a2 / a1;
    case kPlotGuinier: return 3.0 * a2;
    default: return 3.0 * a2 / a1;
    }
}

void ComputeStaticValues(MeasurementSet& set, const ExtrapolationResult& fits, int plotType,
                         EvaluationResults& r) {
    r.conc.assign(static_cast<std::size_t>(set.lastConcIndex < 0 ? 1 : set.lastConcIndex + 1), {});
    for (int c = 0; c <= set.lastConcIndex; ++c) {
        const DataPoint* summary = c == 0 ? &fits.lineC0 : set.cell(c, 0);
        ConcentrationValues& v = r.conc[static_cast<std::size_t>(c)];
        if (c >= 1) {
            set.appMw[c] = -1.0;
            set.appRg[c] = -1.0;
        }
        if (!summary || summary->hasData != 1) continue;
        v.fitted = true;
        const auto& row = set.calcTableA[static_cast<std::size_t>(c)];
        v.mwApp = Finite(RoundSig(ApparentMw(plotType, row[1]), 3));
        v.s2AppCm2 = Finite(ApparentS2Cm2(plotType, row[1], row[2]));
        if (v.s2AppCm2 && *v.s2AppCm2 >= 0.0) v.rgAppNm = std::sqrt(*v.s2AppCm2) * 1e7;
        if (c >= 1) {
            if (v.mwApp) set.appMw[c] = *v.mwApp;
            if (v.rgAppNm) set.appRg[c] = *v.rgAppNm;
        }
    }

    r.labels = {tx::LabelMwc, tx::LabelMwq, tx::LabelRg, tx::LabelA2};
    r.lines = {tx::LineMwc, tx::LineMwq, tx::LineRg, tx::LineA2};
    r.fieldTexts = {" ", " ", " ", " "};
    bool printable[4] = {false, false, false, false};
    auto put = [&](int slot, std::optional<double> value) {
        const std::string text = value ? Sci3(*value) : std::string(tx::NoValue);
        r.fieldTexts[static_cast<std::size_t>(slot)] = text;
        r.lines[static_cast<std::size_t>(slot)] += text;
        printable[slot] = value.has_value();
    };

    if (fits.lineQ0.hasData == 1) {
        const double y0c = fits.lineQ0.y(), slope = set.calcTableB[0][2];
        r.mwC = Finite(ApparentMw(plotType, y0c));
        switch (plotType) {
        case kPlotBerry: r.a2 = Finite(slope * 1e-3 * y0c); break;
        case kPlotGuinier: r.a2 = Finite(std::exp(y0c) * slope * 1e-3 / 2.0); break;
        default: r.a2 = Finite(slope * 1e-3 / 2.0); break;
        }
        put(kSlotMwc, r.mwC);
        put(kSlotA2, r.a2);
    } else {
        r.lines[kSlotMwc].clear();
        r.lines[kSlotA2].clear();
    }

    if (fits.lineC0.hasData == 1) {
        const double y0q = fits.lineC0.y();
        r.mwQ2 = Finite(ApparentMw(plotType, y0q));
        r.s2Cm2 = Finite(ApparentS2Cm2(plotType, y0q, set.calcTableA[0][2]));
        put(kSlotMwq, r.mwQ2);
        if (r.s2Cm2 && *r.s2Cm2 < 0.0) {
            // A negative <S²> has no radius: <S>² in µm² takes its place.
            r.labels[kSlotRg] = tx::LabelS2;
            r.lines[kSlotRg] = tx::LineS2;
            put(kSlotRg, Finite(*r.s2Cm2 * 1e8));
            if (printable[kSlotRg]) r.lines[kSlotRg] += tx::UnitUm2;
        } else {
            if (r.s2Cm2) r.rgNm = Finite(std::sqrt(*r.s2Cm2) * 1e7);
            put(kSlotRg, r.rgNm);
            if (printable[kSlotRg]) r.lines[kSlotRg] += tx::UnitNm;
        }
    } else {
        r.lines[kSlotMwq].clear();
        r.lines[kSlotRg].clear();
    }

    if (printable[kSlotMwc]) r.lines[kSlotMwc] += tx::UnitGPerMol;
    if (printable[kSlotMwq]) r.lines[kSlotMwq] += tx::UnitGPerMol;
    if (printable[kSlotA2]) r.lines[kSlotA2] += tx::UnitA2;
}

} // namespace zeb
