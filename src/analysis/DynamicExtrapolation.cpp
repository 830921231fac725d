#include "analysis/DynamicExtrapolation.h"

#include "analysis/NumberText.h"
#include "texts/AnalysisTexts.h"
#include "data/RoundSig.h"

#include <cmath>

namespace zeb {

namespace {

constexpr double kBoltzmann = 1.380622e-23;        // J/K
constexpr double kSixPi = 18.849555921538197;      // 6 x 3.1415926535897

} // namespace

std::optional<double> HydrodynamicRadiusNm(double temperatureK, double viscosityMPas, double dUm2PerS) {
    if (temperatureK == 0.0 || viscosityMPas == 0.0) return std::nullopt;
    return Finite(kBoltzmann * temperatureK / (viscosityMPas * 0.01 * kSixPi * dUm2PerS) * 1e22);
}

void ComputeDynamicValues(const MeasurementSet& set, const ExtrapolationResult& fits, EvaluationResults& r) {
    r.conc.assign(static_cast<std::size_t>(set.lastConcIndex < 0 ? 1 : set.lastConcIndex + 1), {});
    for (int c = 0; c <= set.lastConcIndex; ++c) {
        const DataPoint* summary = c == 0 ? &fits.lineC0 : set.cell(c, 0);
        if (!summary || summary->hasData != 1) continue;
        ConcentrationValues& v = r.conc[static_cast<std::size_t>(c)];
        v.fitted = true;
        const auto& row = set.calcTableA[static_cast<std::size_t>(c)];
        v.dzApp = Finite(RoundSig(row[1], 3));
        v.cs2AppUm2 = Finite(row[2] * 1e8 / row[1]);
        v.rhNm = HydrodynamicRadiusNm(set.temperature[c], set.viscosity[c], row[1]);
    }

    r.labels = {tx::LabelDzc, tx::LabelDzq, tx::LabelCS2, tx::LabelKD};
    r.lines = {tx::LineDzc, tx::LineDzq, tx::LineCS2, tx::LineKD};
    r.fieldTexts = {" ", " ", " ", " "};
    auto put = [&](int slot, std::optional<double> value, const char* unit) {
        const std::string text = value ? Sci3(*value) : std::string(tx::NoValue);
        r.fieldTexts[static_cast<std::size_t>(slot)] = text;
        r.lines[static_cast<std::size_t>(slot)] += text;
        if (value) r.lines[static_cast<std::size_t>(slot)] += unit;
    };

    if (fits.lineQ0.hasData == 1) {
        const double y0c = fits.lineQ0.y();
        r.dzC = Finite(y0c);
        r.kD = Finite(set.calcTableB[0][2] * 1e-3 / y0c);
        put(kSlotMwc, r.dzC, tx::UnitUm2PerS);
        put(kSlotA2, r.kD, tx::UnitDm3PerG);
    } else {
        r.lines[kSlotMwc].clear();
        r.lines[kSlotA2].clear();
    }
    if (fits.lineC0.hasData == 1) {
        const double y0q = fits.lineC0.y();
        r.dzQ2 = Finite(y0q);
        r.cs2Um2 = Finite(set.calcTableA[0][2] / y0q * 1e8);
        put(kSlotMwq, r.dzQ2, tx::UnitUm2PerS);
        put(kSlotRg, r.cs2Um2, tx::UnitUm2);
    } else {
        r.lines[kSlotMwq].clear();
        r.lines[kSlotRg].clear();
    }
}

} // namespace zeb
