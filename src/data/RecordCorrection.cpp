#include "data/RecordCorrection.h"

#include <cmath>
#include <limits>

namespace zeb {

unsigned ChangeMask(const RecordParameters& o, const RecordParameters& n) {
    unsigned mask = 0;
    if (n.concentrationGPerCm3 != o.concentrationGPerCm3) mask |= kChangedConcentration;
    if (n.dndcCm3PerG != o.dndcCm3PerG) mask |= kChangedDndc;
    if (n.wavelengthNm != o.wavelengthNm) mask |= kChangedWavelength;
    if (n.nSolvent != o.nSolvent) mask |= kChangedNSolvent;
    if (n.rayleighStandardPerCm != o.rayleighStandardPerCm) mask |= kChangedRayleigh;
    if (n.viscosityMPas != o.viscosityMPas) mask |= kChangedViscosity;
    if (n.nStandard != o.nStandard) mask |= kChangedNStandard;
    return mask;
}

namespace {

void multiply(double& total, double factor) {
    if (std::isfinite(factor)) total *= factor;
}

// A value of 0 stays 0; a product beyond the float range leaves the value as it was.
float scaled(float value, double factor) {
    const double v = value * factor;
    if (value == 0.0f || !(std::fabs(v) <= std::numeric_limits<float>::max())) return value;
    return static_cast<float>(v);
}

} // namespace

void ApplyChange(ZebRecord& r, unsigned mask, const RecordParameters& o, const RecordParameters& n,
                 double ratio) {
    double kcrFactor = 1.0;
    double dappFactor = 1.0;
    auto sq = [](double x) { return x * x; };
    if (mask & kChangedConcentration)
        multiply(kcrFactor, double(n.concentrationGPerCm3) / o.concentrationGPerCm3);
    if (mask & kChangedDndc) multiply(kcrFactor, sq(n.dndcCm3PerG) / sq(o.dndcCm3PerG));
    if (mask & kChangedWavelength) {
        multiply(kcrFactor, sq(sq(o.wavelengthNm)) / sq(sq(n.wavelengthNm)));
        multiply(dappFactor, sq(n.wavelengthNm) / sq(o.wavelengthNm));
    }
    if (mask & kChangedNSolvent) multiply(dappFactor, sq(o.nSolvent) / sq(n.nSolvent));
    if (mask & kChangedRayleigh) multiply(kcrFactor, double(o.rayleighStandardPerCm) / n.rayleighStandardPerCm);
    if (mask & kChangedNStandard) {
        if (o.nStandard >= 1.0f) multiply(kcrFactor, sq(n.nStandard) / sq(o.nStandard));
        else if (ratio > 0.0) multiply(kcrFactor, sq(ratio));
    }

    RecordParameters p = ParametersOf(r);
    if (mask & kChangedConcentration) p.concentrationGPerCm3 = n.concentrationGPerCm3;
    if (mask & kChangedDndc) p.dndcCm3PerG = n.dndcCm3PerG;
    if (mask & kChangedWavelength) p.wavelengthNm = n.wavelengthNm;
    if (mask & kChangedNSolvent) p.nSolvent = n.nSolvent;
    if (mask & kChangedRayleigh) p.rayleighStandardPerCm = n.rayleighStandardPerCm;
    if (mask & kChangedViscosity) p.viscosityMPas = n.viscosityMPas;
    if (mask & kChangedNStandard) p.nStandard = n.nStandard;
    SetParameters(r, p);

    if (kcrFactor != 1.0) {
        r.kcr = scaled(r.kcr, kcrFactor);
        r.kcrError = scaled(r.kcrError, kcrFactor);
    }
    if (dappFactor != 1.0) {
        for (int k = 0; k < 3; ++k) {
            r.dapp[k] = scaled(r.dapp[k], dappFactor);
            r.dappError[k] = scaled(r.dappError[k], dappFactor);
        }
    }
}

bool SameParameterSet(const RecordParameters& r, const RecordParameters& m) {
    auto within = [](float v, float old) { return std::fabs(double(v) - old) <= 0.001 * std::fabs(double(old)); };
    return r.concentrationGPerCm3 == m.concentrationGPerCm3 && r.dndcCm3PerG == m.dndcCm3PerG &&
           r.wavelengthNm == m.wavelengthNm && r.nSolvent == m.nSolvent && r.nStandard == m.nStandard &&
           within(r.rayleighStandardPerCm, m.rayleighStandardPerCm) && within(r.viscosityMPas, m.viscosityMPas);
}

} // namespace zeb
