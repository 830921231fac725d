#include "evaluation/FormFactorFit.h"

#include "analysis/Distributions.h"
#include "analysis/LevenbergMarquardt.h"
#include "analysis/PolynomialDesign.h"
#include "analysis/SmoothingSpline.h"
#include "evaluation/Evaluation.h"
#include "texts/FormFactorTexts.h"

#include <algorithm>
#include <cmath>

namespace zeb {

namespace {

// The points at c = 0: q (cm⁻¹), Kc/R and the weight of each.
struct ZeroConcentrationPoints {
    std::vector<double> q, kcr, weight;
    int n() const { return static_cast<int>(q.size()); }
};

ZeroConcentrationPoints pointsAtZero(const Evaluation& e) {
    ZeroConcentrationPoints p;
    const bool weighting = e.options.weighting == Weighting::On;
    for (int a = 1; a <= e.set.lastAngleIndex; ++a) {
        const DataPoint* cell = e.set.cell(0, a);
        if (!cell || cell->hasData != 1 || cell->active != 1 || !(e.set.q2[a] >= 0.0)) continue;
        const double w = weighting ? 1.0 / (cell->kcrError * cell->kcrError) : 1.0;
        if (!std::isfinite(cell->kcr) || !std::isfinite(w) || !(w > 0.0)) continue;
        p.q.push_back(std::sqrt(e.set.q2[a]));
        p.kcr.push_back(cell->kcr);
        p.weight.push_back(w);
    }
    return p;
}

const char* modelName(int model) {
    switch (model) {
    case kModelCoilMono: return tx::ModelCoilMono;
    case kModelCoilPoly: return tx::ModelCoilPoly;
    case kModelThinRod: return tx::ModelThinRod;
    case kModelHardSphere: return tx::ModelHardSphere;
    default: return tx::ModelUser;
    }
}

// Pz of the model at q for Rg (cm) and d ln Pz / d ln Rg.
bool pzWithSlope(int model, const SmoothingSpline* user, double q, double rgCm, double& pz, double& slope) {
    if (model == kModelUser) {
        pz = user->Evaluate(q);
        slope = 0.0;
        return pz > 1e-100 && std::isfinite(pz);
    }
    const double x = q * rgCm * ModelSizeFactor(model), h = 1e-4;
    pz = ModelPz(model, x);
    if (!(pz > 1e-100) || !std::isfinite(pz)) return false;
    slope = x > 0.0 ? (ModelPz(model, x * std::exp(h)) - ModelPz(model, x * std::exp(-h))) / (2.0 * h) / pz : 0.0;
    return std::isfinite(slope);
}

// Mw (g/mol) and Rg (cm) to start from: the straight line of Kc/R over q².
void startingValues(const ZeroConcentrationPoints& p, double& mw, double& rgCm) {
    double mean = 0.0, qMax = 0.0;
    for (int i = 0; i < p.n(); ++i) {
        mean += p.kcr[static_cast<std::size_t>(i)] / p.n();
        qMax = std::max(qMax, p.q[static_cast<std::size_t>(i)]);
    }
    mw = mean > 0.0 ? 1.0 / mean : 1e5;
    rgCm = qMax > 0.0 ? 0.3 / qMax : 1e-6;
    std::vector<double> q2(p.q.size());
    for (std::size_t i = 0; i < q2.size(); ++i) q2[i] = p.q[i] * p.q[i];
    PolynomialDesign line;
    if (p.n() < 3 || !line.Build(1, q2.data(), p.weight.data(), p.n())) return;
    double a = 0.0, b = 0.0;
    const std::vector<double> value = line.Row(0.0, 0), slope = line.Row(0.0, 1);
    for (int i = 0; i < p.n(); ++i) {
        a += value[static_cast<std::size_t>(i)] * p.kcr[static_cast<std::size_t>(i)];
        b += slope[static_cast<std::size_t>(i)] * p.kcr[static_cast<std::size_t>(i)];
    }
    if (a > 0.0) mw = 1.0 / a;
    if (a > 0.0 && b > 0.0) rgCm = std::sqrt(3.0 * b / a);
}

NotDeterminedReason reasonOf(LeastSquaresStatus s) {
    switch (s) {
    case LeastSquaresStatus::Converged: return NotDeterminedReason::None;
    case LeastSquaresStatus::Singular: return NotDeterminedReason::Singular;
    case LeastSquaresStatus::NotEvaluable: return NotDeterminedReason::NotEvaluable;
    default: return NotDeterminedReason::NotConverged;
    }
}

FormFactorFitResult fitModel(int model, const ZeroConcentrationPoints& p, const FormFactorFitOptions& o) {
    FormFactorFitResult r;
    r.model = model;
    r.name = modelName(model);
    const bool user = model == kModelUser;
    r.parameters = user ? 1 : 2;
    if (user && (!o.userSpline || !o.userSpline->ready())) {
        r.why = Because(NotDeterminedReason::NoUserFormFactor);
        return r;
    }
    if (p.n() < r.parameters) {
        r.why = Because(NotDeterminedReason::TooFewPoints);
        return r;
    }
    double mw0 = 0.0, rg0 = 0.0;
    startingValues(p, mw0, rg0);

    // Parameters ln Mw (and ln Rg in cm); residuals sqrt(w) (Kc/R - 1/(Mw Pz)).
    LeastSquaresProblem problem;
    problem.parameters = r.parameters;
    problem.residuals = p.n();
    auto model1 = [&](const double* par, int i, double& value, double& dRg) {
        double pz = 0.0, slope = 0.0;
        if (!pzWithSlope(model, o.userSpline, p.q[static_cast<std::size_t>(i)], user ? 0.0 : std::exp(par[1]), pz, slope))
            return false;
        value = std::exp(-par[0]) / pz;
        dRg = -value * slope;
        return std::isfinite(value);
    };
    problem.evaluate = [&](const double* par, double* res) {
        for (int i = 0; i < p.n(); ++i) {
            double m = 0.0, d = 0.0;
            if (!model1(par, i, m, d)) return false;
            res[i] = std::sqrt(p.weight[static_cast<std::size_t>(i)]) * (p.kcr[static_cast<std::size_t>(i)] - m);
        }
        return true;
    };
    problem.jacobian = [&](const double* par, double* J) {
        for (int i = 0; i < p.n(); ++i) {
            double m = 0.0, d = 0.0;
            if (!model1(par, i, m, d)) return false;
            const double s = std::sqrt(p.weight[static_cast<std::size_t>(i)]);
            J[i * r.parameters] = s * m;
            if (!user) J[i * r.parameters + 1] = -s * d;
        }
        return true;
    };
    std::vector<double> start{std::log(mw0)};
    if (!user) start.push_back(std::log(rg0));
    const LeastSquaresOutcome fit = LevenbergMarquardt(problem, start);
    r.iterations = fit.iterations;
    r.converged = fit.converged();
    if (!r.converged) {
        r.why = Because(reasonOf(fit.status));
        return r;
    }
    const int dof = p.n() - r.parameters;
    r.chi2 = fit.chi2;
    r.reducedChi2 = dof > 0 ? fit.chi2 / dof : 0.0;
    double rms = 0.0;
    for (int i = 0; i < p.n(); ++i) {
        double m = 0.0, d = 0.0;
        model1(fit.parameters.data(), i, m, d);
        rms += std::pow((p.kcr[static_cast<std::size_t>(i)] - m) / m, 2) / p.n();
    }
    r.rmsRelativePercent = 100.0 * std::sqrt(rms);
    r.mwGPerMol = std::exp(fit.parameters[0]);
    if (!user) {
        r.rgNm = std::exp(fit.parameters[1]) * 1e7;
        r.sizeNm = *r.rgNm * ModelSizeFactor(model);
    } else {
        r.why = Because(NotDeterminedReason::NoSizeParameter);
    }
    if (dof < 1) {
        r.why = Because(NotDeterminedReason::TooFewPoints);
        return r;
    }
    const double t = StudentTQuantile(0.5 + o.level / 2.0, dof);
    auto interval = [&](int j, double scale) {
        const double half = t * std::sqrt(r.reducedChi2 * fit.covariance[static_cast<std::size_t>(j * r.parameters + j)]);
        return Interval{std::exp(fit.parameters[static_cast<std::size_t>(j)] - half) * scale,
                        std::exp(fit.parameters[static_cast<std::size_t>(j)] + half) * scale};
    };
    r.mwInterval = interval(0, 1.0);
    if (user) return r;
    r.rgInterval = interval(1, 1e7);
    if (!(r.rgInterval->high < 100.0 * r.rgInterval->low)) {
        r.rgInterval.reset();
        r.why = Because(NotDeterminedReason::SizeNotResolved);
    }
    return r;
}

} // namespace

FormFactorFits FitFormFactors(const Evaluation& e, const FormFactorFitOptions& o) {
    FormFactorFits out;
    const bool staticPlot = IsStaticPlot(e.options.plotType);
    const ZeroConcentrationPoints points = staticPlot ? pointsAtZero(e) : ZeroConcentrationPoints{};
    out.points = points.n();
    double best = 0.0;
    for (int model : o.models) {
        FormFactorFitResult r;
        if (!staticPlot) {
            r.model = model;
            r.name = modelName(model);
            r.why = Because(NotDeterminedReason::NotStaticPlot);
        } else {
            r = fitModel(model, points, o);
        }
        if (r.converged && r.mwGPerMol && (out.bestModel == 0 || r.reducedChi2 < best)) {
            out.bestModel = model;
            best = r.reducedChi2;
        }
        out.models.push_back(r);
    }
    return out;
}

} // namespace zeb
