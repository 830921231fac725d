#include "analysis/ReflectionCorrection.h"

#include "analysis/PlotType.h"
#include "analysis/PointTransform.h"

#include <cmath>

namespace zeb {

namespace {

constexpr double kPi = 3.14159265359;

const DataPoint* firstWithValue(const MeasurementSet& set, int p) {
    for (int a = 1; a <= set.lastAngleIndex; ++a) {
        const DataPoint* d = set.cell(p, a);
        if (d && d->hasData == 1) return d;
    }
    return nullptr;
}

// The scattering (1 / Kc/R) that a value of the plot type's representation stands for.
double scatteringOf(int plotType, double y) {
    switch (plotType) {
    case kPlotBerry: return 1.0 / (y * y);
    case kPlotGuinier: return 1.0 / std::exp(y);
    default: return 1.0 / y;
    }
}

} // namespace

Reflectance ReflectanceOf(double nGlass, double n) {
    Reflectance r;
    const double ratio = (nGlass - n) / (nGlass + n);
    r.rF = ratio * ratio;
    r.t = 1.0 - r.rF > 0.0 ? 1.0 - r.rF : 0.0;
    return r;
}

double AngleOfQ2Deg(double q2, double lambda, double n) {
    return std::asin(std::sqrt(q2) * lambda / (4.0 * kPi * n)) * 360.0 / kPi;
}

double Q2OfAngle(double thetaDeg, double lambda, double n) {
    const double q = std::sin(thetaDeg * kPi / 360.0) * 4.0 * kPi * n / lambda;
    return q * q;
}

bool AnyPointWithoutWavelength(const MeasurementSet& set) {
    for (int c = 1; c <= set.lastConcIndex; ++c)
        for (int a = 1; a <= set.lastAngleIndex; ++a) {
            const DataPoint* d = set.cell(c, a);
            if (d && d->hasData == 1 && d->wavelengthCm < 0.0) return true;
        }
    return false;
}

bool AllPointsCorrected(const MeasurementSet& set) {
    for (int c = 1; c <= set.lastConcIndex; ++c)
        for (int a = 1; a <= set.lastAngleIndex; ++a) {
            const DataPoint* d = set.cell(c, a);
            if (d && d->hasData == 1 && d->reflectionCorrected != 1) return false;
        }
    return true;
}

double SolventIndexOf(const MeasurementSet& set, int p) {
    const DataPoint* d = firstWithValue(set, p);
    return d ? d->nSolvent : -1.0;
}

int ModeOfAnswer(int result) {
    switch (result) {
    case 1: return kModeAsk;
    case 5: return kModeCorrectAll;
    case 7: return kModeSkipAll;
    default: return kModeSkipAsk;  // "Skip", or the dialog closed without an answer
    }
}

CorrectionOutcome CorrectConcentration(MeasurementSet& set, int p, const ReflectionInput& in,
                                       bool& correctionApplied, Reflectance* used) {
    for (int a = 1; a <= set.lastAngleIndex; ++a) {
        const DataPoint* d = set.cell(p, a);
        if (d && d->hasData == 1 && d->reflectionCorrected == 1) return CorrectionOutcome::AlreadyCorrected;
    }
    const DataPoint* summary = set.cell(p, 0);
    if (!summary || summary->hasData != 1) return CorrectionOutcome::NoFit;
    correctionApplied = true;

    const DataPoint* first = firstWithValue(set, p);
    double n = first ? first->nSolvent : -1.0;
    const double lambda = first ? first->wavelengthCm : -1.0;
    if (n < 0.0) n = in.nTyped;
    const Reflectance refl = ReflectanceOf(in.nGlass, n);
    if (used) *used = refl;

    int smallest = 0, largest = 0;
    for (int a = 1; a <= set.lastAngleIndex; ++a) {
        if (smallest == 0 || set.q2[a] < set.q2[smallest]) smallest = a;
        if (largest == 0 || set.q2[a] > set.q2[largest]) largest = a;
    }
    const double thetaMin = AngleOfQ2Deg(set.q2[smallest], lambda, n);
    const double thetaMax = AngleOfQ2Deg(set.q2[largest], lambda, n);
    const auto& row = set.calcTableA[static_cast<std::size_t>(p)];

    int mode = kModeAsk;
    for (int j = 1; j <= set.lastAngleIndex; ++j) {
        DataPoint* d = set.cell(p, j);
        if (!d || d->hasData != 1) continue;
        const double theta = AngleOfQ2Deg(set.q2[j], lambda, n);
        // A q² that the wavelength and index cannot produce has no counter angle: left as it is.
        if (!std::isfinite(theta)) continue;
        double counter = 180.0 - theta;
        if (!(counter > 0.0)) counter = 0.0;
        const double counterQ2 = Q2OfAngle(counter, lambda, n);
        const bool outside = thetaMin - counter > 0.2 || counter - thetaMax > 0.2;
        if (outside) {
            if (mode == kModeAsk || mode == kModeSkipAsk)
                mode = in.askOutside ? ModeOfAnswer(in.askOutside(theta)) : kModeSkipAsk;
            if (mode == kModeSkipAsk || mode == kModeSkipAll) continue;
        }
        const double yCounter = EvaluateRow(row, in.qOrder, counterQ2);
        const double sCounter = scatteringOf(in.plotType, yCounter);
        const double s = in.plotType == kPlotZimm ? 1.0 / d->kcr : scatteringOf(in.plotType, d->y());
        const double corrected = (s - 2.0 * refl.rF * sCounter) / (refl.t * refl.t);
        d->kcr = 1.0 / corrected;
        if (!(d->kcr > d->kcrError) || !std::isfinite(d->kcr)) d->hasData = 0;
    }
    for (int a = 1; a <= set.lastAngleIndex; ++a)
        if (DataPoint* d = set.cell(p, a)) d->reflectionCorrected = 1;
    return CorrectionOutcome::Corrected;
}

} // namespace zeb
