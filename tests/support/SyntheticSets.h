// Measurement sets built from exact models, for tests and benchmarks. The
// static model is the Zimm form
//   Kc/R = (1/Mw)(1 + q² Rg²/3) + 2 A2 c
// (or the matching exact Berry or Guinier form), or that of a particle
//   Kc/R = 1/(Mw Pz(q Rg)) + 2 A2 c
// with the form factor of a coil, rod or sphere; the dynamic one the additive
//   Dapp = Dz (1 + C<S²> q² + kD c)
// for all three Dapp. Units of the parameters as the results show them.
#pragma once

#include "analysis/FormFactor.h"
#include "data/MeasurementSet.h"
#include "texts/Message.h"

#include <cmath>
#include <cstdint>
#include <random>
#include <string>

namespace zeb::test {

struct ModelParams {
    double mwGPerMol = 5.0e5;
    double rgNm = 40.0;
    double a2 = 5.0e-7;        // mol dm³/g² (5e-4 mol cm³/g²)
    double dzUm2PerS = 12.5;   // µm²/s
    double cs2Um2 = 2.0e-3;    // µm²
    double kDDm3PerG = 0.06;   // dm³/g
    int staticForm = 1;        // 1 Zimm, 2 Berry, 3 Guinier: which representation is exactly linear
    double relError = 0.01;    // stored error of every value, relative
    double noise = 0.0;        // relative scatter added to every value (deterministic)
    int formFactor = 0;        // 0: the form of staticForm; else a FormFactorModel (1..4) for Kc/R
    double gaussianNoise = 0.0;    // relative Gaussian scatter of every value, drawn from noiseSeed
    std::uint64_t noiseSeed = 1;
    bool withStatic = true;
    bool withDynamic = true;
    float temperatureK = 298.15f;
    float viscosityMPas = 0.89f;
    double nSolvent = 1.332;
    double wavelengthCm = 632.8e-7;
};

inline double ModelQ2(double thetaDeg, const ModelParams& m) {
    const double q = 4.0 * M_PI * m.nSolvent / m.wavelengthCm * std::sin(thetaDeg * M_PI / 360.0);
    return q * q;
}

// Kc/R of the model at q² (cm⁻²) and c (g/cm³).
inline double ModelKcr(double q2, double c, const ModelParams& m) {
    const double rg = m.rgNm * 1e-7, a2 = m.a2 * 1e3, mw = m.mwGPerMol;
    if (m.formFactor != 0)
        return 1.0 / (mw * ModelPz(m.formFactor, std::sqrt(q2) * rg * ModelSizeFactor(m.formFactor))) + 2.0 * a2 * c;
    switch (m.staticForm) {
    case 2: {
        const double s = (1.0 + q2 * rg * rg / 6.0) / std::sqrt(mw) + a2 * std::sqrt(mw) * c;
        return s * s;
    }
    case 3: return std::exp(-std::log(mw) + q2 * rg * rg / 3.0 + 2.0 * a2 * mw * c);
    default: return (1.0 + q2 * rg * rg / 3.0) / mw + 2.0 * a2 * c;
    }
}

inline double ModelDapp(double q2, double c, const ModelParams& m) {
    return m.dzUm2PerS * (1.0 + m.cs2Um2 * 1e-8 * q2 + m.kDDm3PerG * 1e3 * c);
}

// A deterministic scatter in [-1, 1].
inline double Scatter(int c, int a, int kind) {
    return std::sin(12.9898 * c + 78.233 * a + 37.719 * kind) ;
}

// Fills a set with nc concentrations (c_i = i * concStep g/cm³) and na angles
// evenly spread over thetaFrom..thetaTo degrees.
inline void FillModelSet(MeasurementSet& set, int nc, int na, const ModelParams& m, double concStep = 1.0e-3,
                         double thetaFrom = 30.0, double thetaTo = 150.0) {
    set.InitMeasurementSet();
    for (int i = 1; i <= nc; ++i)
        set.AddConcentration("/data/series/sample" + std::to_string(i) + ".sta", m.temperatureK, m.viscosityMPas,
                             i * concStep);
    for (int a = 1; a <= na; ++a) {
        const double theta = na == 1 ? thetaFrom : thetaFrom + (thetaTo - thetaFrom) * (a - 1) / (na - 1);
        set.AddQ2(ModelQ2(theta, m));
    }
    std::mt19937_64 random(m.noiseSeed);
    std::normal_distribution<double> gauss;
    auto gaussian = [&] { return m.gaussianNoise > 0.0 ? 1.0 + m.gaussianNoise * gauss(random) : 1.0; };
    for (int c = 1; c <= nc; ++c)
        for (int a = 1; a <= na; ++a) {
            const double q2 = set.q2[a], conc = set.concentration[c];
            set.storeValue(kCodeQ2, c, a, q2, 0, 0);
            set.storeValue(kCodeNSolvent, c, a, m.nSolvent, 0, 0);
            set.storeValue(kCodeWavelengthCm, c, a, m.wavelengthCm, 0, 0);
            if (m.withStatic) {
                const double kcr = ModelKcr(q2, conc, m) * (1.0 + m.noise * Scatter(c, a, 0)) * gaussian();
                set.storeValue(kCodeKcr, c, a, kcr, 0, 0);
                set.storeValue(kCodeKcrError, c, a, kcr * m.relError, 0, 0);
            }
            if (m.withDynamic) {
                const ValueCode codes[3][2] = {{kCodeDappI, kCodeDappIError},
                                         {kCodeDappII, kCodeDappIIError},
                                         {kCodeDappIII, kCodeDappIIIError}};
                for (int kind = 0; kind < 3; ++kind) {
                    // Each kind is the model scaled a little, so that they can be told apart.
                    const double d = ModelDapp(q2, conc, m) * (1.0 + 0.1 * kind) *
                                     (1.0 + m.noise * Scatter(c, a, kind + 1)) * gaussian() * 1e-8;
                    set.storeValue(codes[kind][0], c, a, d, 0, 0);
                    set.storeValue(codes[kind][1], c, a, d * m.relError, 0, 0);
                }
            }
        }
}

// The polymer of the uncertainty tests: Mw 1.2e6 g/mol, Rg 45 nm, A2 4e-4 mol
// cm³/g², static data only, 0.5 % Gaussian noise on Kc/R (and error bars of
// that size), as an exact Zimm model or with a particle's form factor.
inline ModelParams NoisyPolymer(int formFactor = 0, std::uint64_t seed = 1) {
    ModelParams m;
    m.mwGPerMol = 1.2e6;
    m.rgNm = 45.0;
    m.a2 = 4e-7;
    m.gaussianNoise = m.relError = 0.005;
    m.withDynamic = false;
    m.formFactor = formFactor;
    m.noiseSeed = seed;
    return m;
}

// A loaded set of a model with the log it speaks to.
struct ModelSet {
    MessageLog log;
    MeasurementSet set{log};
    ModelSet(int nc, int na, const ModelParams& m, double concStep = 1.0e-3) { FillModelSet(set, nc, na, m, concStep); }
};

} // namespace zeb::test
