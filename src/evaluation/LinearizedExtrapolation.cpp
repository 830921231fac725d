#include "evaluation/LinearizedExtrapolation.h"

#include "analysis/FitPolynomial.h"
#include "analysis/PointTransform.h"
#include "evaluation/Evaluation.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zeb {

LinearizationSettings LinearizationOf(const EvaluationOptions& o) {
    return {o.plotType, OrderNumber(o.qOrder), OrderNumber(o.cOrder), o.smoothingInEffect() == Smoothing::On,
            o.weighting == Weighting::On};
}

namespace {

bool usableCell(const DataPoint* p) { return p && p->active == 1 && p->hasData == 1; }

// Half the error bar the calculation gives a summary record for a fitted value a with error e.
double summaryHalfBar(int plotType, double a, double e) {
    DataPoint record;
    SetExtrapolated(record, plotType, a, e);
    return (record.yHi() - record.yLo()) / 2.0;
}

double weightFor(bool weighting, double sigma) { return weighting ? 1.0 / (sigma * sigma) : 1.0; }

double dot(const std::vector<double>& a, const std::vector<double>& b) {
    double s = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i) s += a[i] * b[i];
    return s;
}

// One fit over c: the points it takes (indices into points) and the weights
// of their values in its value at c = 0.
struct AngleFit {
    int angle = 0;
    std::vector<int> entries;
    std::vector<double> interceptRow;
    double value = 0.0;
    double halfBar = 1.0;  // of its summary record
};

// The fit of the c -> 0 or q -> 0 line: rows for the value and the slope at 0.
struct LineFit {
    std::vector<double> valueRow, slopeRow;
};

bool fitLine(const std::vector<double>& x, const std::vector<double>& w, int order, LineFit& out) {
    PolynomialDesign d;
    if (order < 1 || static_cast<int>(x.size()) <= order || !d.Build(order, x.data(), w.data(), static_cast<int>(x.size())))
        return false;
    out.valueRow = d.Row(0.0, 0);
    out.slopeRow = d.Row(0.0, 1);
    return true;
}

} // namespace

LinearizedExtrapolation::LinearizedExtrapolation(const MeasurementSet& set, const LinearizationSettings& s)
    : settings(s) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    quantities = {nan, nan, nan, nan};
    const int nc = std::max<int>(set.lastConcIndex, 0), na = std::max<int>(set.lastAngleIndex, 0);
    const int plotType = PlotTypeNumber(s.plotType);
    const std::size_t stride = static_cast<std::size_t>(na) + 1;
    std::vector<int> pointAt((static_cast<std::size_t>(nc) + 1) * stride, -1);
    std::vector<PolynomialDesign> concDesign(static_cast<std::size_t>(nc) + 1);
    std::vector<std::array<double, kMaxFitOrder + 1>> concCoefficients(static_cast<std::size_t>(nc) + 1);
    std::vector<double> concHalfBar(static_cast<std::size_t>(nc) + 1, 1.0);
    std::vector<double> x, w, y, fitted;

    // Fits over q², one per concentration.
    for (int c = 1; c <= nc; ++c) {
        LinearConcentration lc;
        lc.index = c;
        lc.concentrationGPerCm3 = set.concentration[c];
        lc.first = static_cast<int>(points.size());
        for (int a = 1; a <= na; ++a) {
            const DataPoint* cell = set.cell(c, a);
            if (!usableCell(cell)) continue;
            LinearPoint p;
            p.concentration = c;
            p.angle = a;
            p.y = p.fitted = p.cInput = cell->y();
            p.halfBar = (cell->yHi() - cell->yLo()) / 2.0;
            p.sigma = s.weighting ? p.halfBar : 1.0;
            pointAt[static_cast<std::size_t>(c) * stride + a] = static_cast<int>(points.size());
            points.push_back(p);
        }
        lc.count = static_cast<int>(points.size()) - lc.first;
        x.clear(), w.clear(), y.clear();
        for (int k = lc.first; k < lc.first + lc.count; ++k) {
            x.push_back(set.q2[points[k].angle]);
            w.push_back(weightFor(s.weighting, points[k].sigma));
            y.push_back(points[k].y);
        }
        PolynomialDesign& d = concDesign[static_cast<std::size_t>(c)];
        if (s.qOrder >= 1 && lc.count > s.qOrder && set.cell(c, 0) && d.Build(s.qOrder, x.data(), w.data(), lc.count)) {
            lc.fitted = true;
            lc.dof = d.residualDof();
            fitted.resize(static_cast<std::size_t>(lc.count));
            lc.chi2 = d.Chi2(y.data(), fitted.data());
            const std::vector<double> row = d.Row(0.0, 0);
            lc.intercept = dot(row, y);
            d.CoefficientsInT(y.data(), concCoefficients[static_cast<std::size_t>(c)].data());
            for (int k = 0; k < lc.count; ++k) {
                LinearPoint& p = points[static_cast<std::size_t>(lc.first + k)];
                p.inQ2Fit = true;
                p.fitted = fitted[static_cast<std::size_t>(k)];
                p.leverage = d.Leverage(k);
                p.interceptWeight = row[static_cast<std::size_t>(k)];
            }
            concHalfBar[static_cast<std::size_t>(c)] =
                summaryHalfBar(plotType, lc.intercept, std::sqrt(d.FormalVariance(row.data())));
            ++overQ2.fits;
            overQ2.dof += lc.dof;
            overQ2.chi2 += lc.chi2;
        }
        concentrations.push_back(lc);
    }
    auto concOf = [&](int c) -> const LinearConcentration& { return concentrations[static_cast<std::size_t>(c) - 1]; };

    // Fits over c, one per angle; with smoothing over the concentrations' polynomials.
    std::vector<AngleFit> angleFits;
    std::vector<double> basis(kMaxFitOrder + 1);
    for (int a = 1; a <= na; ++a) {
        AngleFit f;
        f.angle = a;
        x.clear(), y.clear();
        double barSum = 0.0;
        for (int c = 1; c <= nc; ++c) {
            const int idx = pointAt[static_cast<std::size_t>(c) * stride + a];
            if (idx < 0) continue;
            if (s.smoothing && !concOf(c).fitted) continue;
            LinearPoint& p = points[static_cast<std::size_t>(idx)];
            p.cInput = s.smoothing ? concDesign[static_cast<std::size_t>(c)].ValueFromT(
                                         concCoefficients[static_cast<std::size_t>(c)].data(), set.q2[a])
                                   : p.y;
            f.entries.push_back(idx);
            x.push_back(set.concentration[c]);
            y.push_back(p.cInput);
            barSum += p.halfBar;
        }
        const int n = static_cast<int>(f.entries.size());
        w.clear();
        for (int k = 0; k < n; ++k) {
            const double sigma = s.smoothing ? barSum / n : points[static_cast<std::size_t>(f.entries[k])].halfBar;
            w.push_back(weightFor(s.weighting, sigma));
        }
        PolynomialDesign d;
        if (s.cOrder < 1 || n <= s.cOrder || !set.cell(0, a) || !d.Build(s.cOrder, x.data(), w.data(), n)) continue;
        fitted.resize(static_cast<std::size_t>(n));
        const double chi2 = d.Chi2(y.data(), fitted.data());
        f.interceptRow = d.Row(0.0, 0);
        f.value = dot(f.interceptRow, y);
        f.halfBar = summaryHalfBar(plotType, f.value, std::sqrt(d.FormalVariance(f.interceptRow.data())));
        for (int k = 0; k < n; ++k) {
            LinearPoint& p = points[static_cast<std::size_t>(f.entries[k])];
            p.inCFit = true;
            p.cFitted = fitted[static_cast<std::size_t>(k)];
        }
        ++overC.fits;
        overC.dof += d.residualDof();
        overC.chi2 += chi2;
        if (set.cell(0, a)->active == 1) angleFits.push_back(std::move(f));
    }

    // The c -> 0 line over q² of the angles' values at c = 0.
    LineFit toC0;
    x.clear(), y.clear(), w.clear();
    for (const AngleFit& f : angleFits) {
        x.push_back(set.q2[f.angle]);
        y.push_back(f.value);
        w.push_back(weightFor(s.weighting, f.halfBar));
    }
    lineC0 = fitLine(x, w, s.qOrder, toC0);
    if (lineC0) {
        quantities[kY0q] = dot(toC0.valueRow, y);
        quantities[kSlopeQ] = dot(toC0.slopeRow, y);
    }

    // The q -> 0 line over c of the concentrations' values at q² = 0.
    std::vector<int> lineConcs;
    LineFit toQ0;
    x.clear(), y.clear(), w.clear();
    for (const LinearConcentration& lc : concentrations) {
        const DataPoint* summary = set.cell(lc.index, 0);
        if (!lc.fitted || !summary || summary->active != 1) continue;
        lineConcs.push_back(lc.index);
        x.push_back(lc.concentrationGPerCm3);
        y.push_back(lc.intercept);
        w.push_back(weightFor(s.weighting, concHalfBar[static_cast<std::size_t>(lc.index)]));
    }
    lineQ0 = fitLine(x, w, s.cOrder, toQ0);
    if (lineQ0) {
        quantities[kY0c] = dot(toQ0.valueRow, y);
        quantities[kSlopeC] = dot(toQ0.slopeRow, y);
    }

    // J: the q -> 0 line through the concentrations' values at q² = 0.
    if (lineQ0) {
        for (std::size_t j = 0; j < lineConcs.size(); ++j) {
            const LinearConcentration& lc = concOf(lineConcs[j]);
            for (int k = lc.first; k < lc.first + lc.count; ++k) {
                LinearPoint& p = points[static_cast<std::size_t>(k)];
                p.jacobian[kY0c] += toQ0.valueRow[j] * p.interceptWeight;
                p.jacobian[kSlopeC] += toQ0.slopeRow[j] * p.interceptWeight;
            }
        }
    }
    // J: the c -> 0 line through the angles' values at c = 0 (and, with
    // smoothing, through the concentrations' polynomials).
    if (lineC0) {
        const int M = s.qOrder + 1;
        std::vector<double> lambda(s.smoothing ? (static_cast<std::size_t>(nc) + 1) * 2 * M : 0, 0.0);
        for (std::size_t j = 0; j < angleFits.size(); ++j) {
            const AngleFit& f = angleFits[j];
            for (std::size_t e = 0; e < f.entries.size(); ++e) {
                LinearPoint& p = points[static_cast<std::size_t>(f.entries[e])];
                const double dv = toC0.valueRow[j] * f.interceptRow[e], ds = toC0.slopeRow[j] * f.interceptRow[e];
                if (!s.smoothing) {
                    p.jacobian[kY0q] += dv;
                    p.jacobian[kSlopeQ] += ds;
                    continue;
                }
                concDesign[static_cast<std::size_t>(p.concentration)].BasisAt(set.q2[f.angle], basis.data());
                double* l = &lambda[static_cast<std::size_t>(p.concentration) * 2 * M];
                for (int m = 0; m < M; ++m) {
                    l[m] += dv * basis[static_cast<std::size_t>(m)];
                    l[M + m] += ds * basis[static_cast<std::size_t>(m)];
                }
            }
        }
        for (const LinearConcentration& lc : concentrations) {
            if (!s.smoothing || !lc.fitted) continue;
            const PolynomialDesign& d = concDesign[static_cast<std::size_t>(lc.index)];
            const double* l = &lambda[static_cast<std::size_t>(lc.index) * 2 * M];
            for (int m = 0; m < M; ++m) {
                const double* proj = d.Projection(m);
                for (int k = 0; k < lc.count; ++k) {
                    LinearPoint& p = points[static_cast<std::size_t>(lc.first + k)];
                    p.jacobian[kY0q] += l[m] * proj[k];
                    p.jacobian[kSlopeQ] += l[M + m] * proj[k];
                }
            }
        }
    }

    // The scale of the scatter, per concentration and pooled.
    double chi2Sum = 0.0;
    for (const LinearConcentration& lc : concentrations)
        if (lc.fitted && lc.dof >= 1) {
            chi2Sum += lc.chi2;
            pooledDof += lc.dof;
        }
    pooledScale2 = pooledDof > 0 ? chi2Sum / pooledDof : nan;
    for (LinearConcentration& lc : concentrations) {
        const bool own = lc.fitted && lc.dof >= 1;
        lc.scale2 = own ? lc.chi2 / lc.dof : pooledScale2;
        lc.scaleDof = own ? lc.dof : pooledDof;
    }
}

double LinearizedExtrapolation::PointVariance(const LinearPoint& p, const LinearConcentration& c) const {
    return c.scale2 * p.sigma * p.sigma;
}

ScaledVariance LinearizedExtrapolation::VarianceOf(const LineVector& g) const {
    if (!hasScatter()) return {std::numeric_limits<double>::quiet_NaN(), 0.0};
    double total = 0.0, denominator = 0.0;
    for (const LinearConcentration& c : concentrations) {
        double contribution = 0.0;
        for (int k = c.first; k < c.first + c.count; ++k) {
            const LinearPoint& p = points[static_cast<std::size_t>(k)];
            double d = 0.0;
            for (int q = 0; q < kLineQuantities; ++q) d += g[q] * p.jacobian[q];
            contribution += PointVariance(p, c) * d * d;
        }
        total += contribution;
        if (c.scaleDof > 0.0) denominator += contribution * contribution / c.scaleDof;
    }
    return {total, denominator > 0.0 ? total * total / denominator : std::numeric_limits<double>::infinity()};
}

ScaledVariance LinearizedExtrapolation::InterceptVariance(const LinearConcentration& c) const {
    if (!hasScatter() || !c.fitted) return {std::numeric_limits<double>::quiet_NaN(), 0.0};
    double v = 0.0;
    for (int k = c.first; k < c.first + c.count; ++k) {
        const LinearPoint& p = points[static_cast<std::size_t>(k)];
        v += PointVariance(p, c) * p.interceptWeight * p.interceptWeight;
    }
    return {v, c.scaleDof};
}

} // namespace zeb
