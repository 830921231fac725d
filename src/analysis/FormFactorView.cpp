#include "analysis/FormFactorView.h"

#include "analysis/DecimalFormat.h"
#include "analysis/SmoothingSpline.h"
#include "texts/FormFactorTexts.h"
#include "data/RoundSig.h"

#include <algorithm>
#include <cmath>

namespace zeb {

std::vector<FormFactorMeasuredPoint> MeasuredFormFactorPoints(const MeasurementSet& set, int row, int form,
                                                              double rgCm, double mw) {
    std::vector<FormFactorMeasuredPoint> out;
    for (int a = 1; a <= set.lastAngleIndex; ++a) {
        const DataPoint* cell = set.cell(row, a);
        if (!cell || cell->hasData != 1) continue;
        const DataPoint p = *cell;  // a working copy: the set stays as it is
        const double K = p.kcr, d = p.kcrError, q2 = set.q2[a], q = std::sqrt(q2), u = q * rgCm;
        const double KM = K * mw;
        FormFactorMeasuredPoint m;
        m.angle = a;
        m.active = p.active == 1;
        switch (form) {
        case 1: case 6:
            m.x = form == 1 ? q2 : u * u;
            m.y = KM;
            m.error = d * mw;
            break;
        case 2: case 7:
            m.x = form == 2 ? q2 : u * u;
            m.y = std::sqrt(KM);
            m.error = d * mw / (2.0 * m.y);
            break;
        case 3: case 8:
            m.x = form == 3 ? q2 : u * u;
            m.y = std::log(KM);
            m.error = d / K;
            break;
        case 4: case 9: {
            const double v = form == 4 ? q : u;
            m.x = v;
            m.y = v * v / KM;
            m.error = d * v * v / (K * K * mw);
            break;
        }
        case 5: case 10: {
            const double v = form == 5 ? q : u;
            m.x = v;
            m.y = v / KM;
            m.error = d * v / (K * K * mw);
            break;
        }
        case 11: case 12:
            m.x = form == 11 ? q : u;
            m.y = 1.0 / KM;
            m.error = d / (K * K * mw);
            break;
        default: continue;
        }
        if (std::isfinite(m.x) && std::isfinite(m.y) && std::isfinite(m.error)) out.push_back(m);
    }
    return out;
}

FormFactorGrid MakeFormFactorGrid(const MeasurementSet& set) {
    double largest = 0.0;
    for (int a = 1; a <= set.lastAngleIndex; ++a) largest = std::max(largest, set.q2[a]);
    return MakeFormFactorGrid(std::sqrt(largest));
}

FormFactorGrid MakeFormFactorGrid(double qMaxPerCm) {
    FormFactorGrid g;
    g.qMax = qMaxPerCm;
    g.qMin = 1e-4 * g.qMax;
    g.step = (g.qMax - g.qMin) * 0.01;
    if (!(g.step > 0.0)) return g;
    // q_min + i step rather than a running sum, so that q_max itself is reached.
    for (int i = 0; i <= 100; ++i) g.q.push_back(i == 100 ? g.qMax : g.qMin + i * g.step);
    return g;
}

std::vector<FormFactorXY> FormFactorCurve(const FormFactorGrid& grid, int form, int model, double rgCm,
                                          const SmoothingSpline* userSpline) {
    std::vector<FormFactorXY> out;
    out.reserve(grid.q.size());
    for (double q : grid.q)
        if (auto p = FormFactorPoint(form, model, q, rgCm, userSpline, nullptr)) out.push_back(*p);
    return out;
}

FormFactorRanges ComputeFormFactorRanges(const FormFactorGrid& grid, const std::vector<int>& models, int form,
                                         double rgCm, const SmoothingSpline* userSpline,
                                         const std::vector<FormFactorMeasuredPoint>& measured) {
    double yMin = 1e200, yMax = -1e200;
    for (int model : models)
        for (const FormFactorXY& p : FormFactorCurve(grid, form, model, rgCm, userSpline)) {
            yMin = std::min(yMin, p.y);
            yMax = std::max(yMax, p.y);
        }
    for (const auto& m : measured) {
        if (!m.active) continue;
        yMin = std::min(yMin, m.y);
        yMax = std::max(yMax, m.y);
    }
    FormFactorRanges r;
    if (yMin <= yMax) {
        r.yMin = RoundSig(yMin, 6);
        r.yMax = RoundSig(yMax, 6);
    }
    r.xMin = 0.0;
    const double xMax = PlotFormX(form, grid.qMax, rgCm);
    r.xMax = std::isfinite(xMax) ? RoundSig(xMax, 6) : 1.0;
    return r;
}

std::string ModelLabel(int model, double rgNm) {
    switch (model) {
    case kModelCoilMono: return DecimalFormat(tx::LabelPatternCoilMono, rgNm);
    case kModelCoilPoly: return DecimalFormat(tx::LabelPatternCoilPoly, rgNm);
    case kModelThinRod: return DecimalFormat(tx::LabelPatternThinRod, rgNm * ModelSizeFactor(kModelThinRod));
    case kModelHardSphere:
        return DecimalFormat(tx::LabelPatternHardSphere, rgNm * ModelSizeFactor(kModelHardSphere));
    case kModelUser: return tx::LabelUserDefined;
    default: return "";
    }
}

std::string DataLabel(double cGPerCm3) {
    if (cGPerCm3 > 0.0) return DecimalFormat(tx::LabelPatternConc, cGPerCm3 * 1000.0);
    if (cGPerCm3 == 0.0) return tx::LabelConcZero;
    return "";
}

} // namespace zeb
