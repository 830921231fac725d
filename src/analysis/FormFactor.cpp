#include "analysis/FormFactor.h"

#include "analysis/SmoothingSpline.h"
#include "texts/CommonTexts.h"
#include "texts/FormFactorTexts.h"
#include "texts/Message.h"

#include <cmath>

namespace zeb {

double ModelSizeFactor(int model) {
    switch (model) {
    case kModelThinRod: return std::sqrt(12.0);
    case kModelHardSphere: return std::sqrt(1.6666666666666667);
    default: return 1.0;
    }
}

double SineIntegral(double x) {
    if (x < 1.0) {
        const double x2 = x * x, x3 = x2 * x, x5 = x3 * x2, x7 = x5 * x2, x9 = x7 * x2;
        return x - x3 / 18.0 + x5 / 600.0 - x7 / 35280.0 + x9 / 3265920.0;
    }
    const double x2 = x * x, x4 = x2 * x2, x6 = x4 * x2, x8 = x4 * x4;
    const double f = (x8 + 38.027264 * x6 + 265.187033 * x4 + 335.677320 * x2 + 38.102495) /
                     (x8 + 40.021433 * x6 + 322.624911 * x4 + 570.236280 * x2 + 157.105423) / x;
    const double g = (x8 + 42.242855 * x6 + 302.757865 * x4 + 352.018498 * x2 + 21.821899) /
                     (x8 + 48.196927 * x6 + 482.485984 * x4 + 1114.978885 * x2 + 449.690326) / x2;
    return 1.5707963 - f * std::cos(x) - g * std::sin(x);
}

double ModelPz(int model, double x) {
    switch (model) {
    case kModelCoilMono: {
        const double x2 = x * x;
        if (x2 < 1e-7) return 1.0 - x2 / 3.0;
        if (x2 < 0.05) {
            // The Debye function by its series: the closed form below loses most
            // of its digits to cancellation at small x (at x² = 1e-7 the plain
            // difference x² + e^(-x²) - 1 keeps about one).
            double term = 1.0, sum = 1.0;
            for (int k = 1; k <= 8; ++k) {
                term *= -x2 / (k + 2);
                sum += term;
            }
            return sum;
        }
        return 2.0 * (x2 + std::expm1(-x2)) / (x2 * x2);
    }
    case kModelCoilPoly: return 1.0 / (1.0 + x * x / 3.0);
    case kModelThinRod: {
        if (x < 1e-4) return 1.0 - x * x / 36.0;
        const double h = x / 2.0, sinc = std::sin(h) / h;
        return 2.0 * SineIntegral(x) / x - sinc * sinc;
    }
    case kModelHardSphere: {
        if (x < 1e-4) return 1.0 - x * x / 5.0;
        const double f = 3.0 * (std::sin(x) - x * std::cos(x)) / (x * x * x);
        return f * f;
    }
    default: return NAN;
    }
}


double FormFactorPz(int model, double q, double rgCm, const SmoothingSpline* userSpline) {
    if (model == kModelUser) return userSpline && userSpline->ready() ? userSpline->Evaluate(q) : NAN;
    return ModelPz(model, q * rgCm * ModelSizeFactor(model));
}

double PlotFormX(int form, double q, double rgCm) {
    const double u = q * rgCm;
    switch (form) {
    case 1: case 2: case 3: return q * q;
    case 4: case 5: case 11: return q;
    case 6: case 7: case 8: return u * u;
    default: return u;
    }
}

std::optional<FormFactorXY> FormFactorPoint(int form, int model, double q, double rgCm,
                                            const SmoothingSpline* userSpline, MessageSink* messages) {
    if (form < 1 || form > kPlotFormCount) {
        if (messages) messages->inform(tx::FormFactorUndefPlot, tx::CapPlainError, MsgIcon::Stop);
        return std::nullopt;
    }
    const double pz = FormFactorPz(model, q, rgCm, userSpline);
    const double u = q * rgCm;
    const bool divides = form == 1 || form == 2 || form == 3 || form == 6 || form == 7 || form == 8;
    if (divides && !(pz >= 1e-100)) return std::nullopt;
    FormFactorXY p;
    p.x = PlotFormX(form, q, rgCm);
    switch (form) {
    case 1: case 6: p.y = 1.0 / pz; break;
    case 2: case 7: p.y = std::sqrt(1.0 / pz); break;
    case 3: case 8: p.y = -std::log(pz); break;
    case 4: p.y = pz * q * q; break;
    case 5: p.y = pz * q; break;
    case 9: p.y = pz * u * u; break;
    case 10: p.y = pz * u; break;
    default: p.y = pz; break;
    }
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return std::nullopt;
    return p;
}

} // namespace zeb
