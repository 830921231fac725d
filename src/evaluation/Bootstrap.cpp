#include "evaluation/Bootstrap.h"

#include "analysis/Distributions.h"
#include "analysis/RandomStream.h"
#include "evaluation/Evaluation.h"
#include "evaluation/Intervals.h"
#include "evaluation/LinearizedExtrapolation.h"

#include <algorithm>
#include <cmath>

namespace zeb {

namespace {

// What one resample needs of a point, packed.
struct Drawn {
    LineVector jacobian;
    double sigma;
    double interceptWeight;
};

// The points of one concentration and the residuals they draw from.
struct DrawGroup {
    int begin = 0, end = 0;  // into the packed points
    int pool = 0;            // offset of its residuals
    std::uint32_t poolSize = 0;
    int rhSlot = -1;         // where its value at q² = 0 goes, when Rh of it is tracked
};

// The resampled pivots of one result.
struct Track {
    ResultFormula formula;
    ResultInterval shown;
    double pivot = 0.0;
    std::vector<double> influence;  // per packed point: d pivot / d y times its own residual
    std::vector<double> values;
    int failed = 0;
    double dof = 0.0;  // of the scatter behind the result (Satterthwaite)
    int rhSlot = -1;  // per-concentration Rh: its slot; -1: a result of the lines
    int concentration = 0;
    double concentrationGPerCm3 = 0.0;
};

double quantileOfSorted(const std::vector<double>& v, double p) {
    const double h = p * static_cast<double>(v.size() - 1);
    const std::size_t lo = static_cast<std::size_t>(std::clamp(std::floor(h), 0.0, static_cast<double>(v.size() - 1)));
    const std::size_t hi = std::min(lo + 1, v.size() - 1);
    return v[lo] + (h - static_cast<double>(lo)) * (v[hi] - v[lo]);
}

// The percentile and BCa intervals of one tracked result.
void intervalsOf(Track& t, int completed, double level, ResultInterval& percentile, ResultInterval& bca) {
    percentile = bca = t.shown;
    if (!t.shown.estimate) return;
    auto refuse = [&](NotDeterminedReason both, NotDeterminedReason bcaOnly) {
        if (both != NotDeterminedReason::None) percentile.why = Because(both);
        bca.why = Because(both != NotDeterminedReason::None ? both : bcaOnly);
    };
    // The expanded percentile: the tails at the normal probability of
    // Student's t quantile for the scatter's degrees of freedom, since the
    // resamples take the scatter of few residuals for the true one.
    const double tail = NormalCdf(StudentTQuantile((1.0 - level) / 2.0, t.dof));
    if (t.failed * 100 > completed) return refuse(NotDeterminedReason::FailedResamples, {});
    std::vector<double>& v = t.values;
    if (!(static_cast<double>(v.size()) * tail >= 2.0)) return refuse(NotDeterminedReason::TooFewResamples, {});
    std::sort(v.begin(), v.end());
    percentile.interval = t.formula.IntervalOf(quantileOfSorted(v, tail), quantileOfSorted(v, 1.0 - tail));
    if (!percentile.interval) percentile.why = Because(NotDeterminedReason::Unbounded);

    const auto below = std::lower_bound(v.begin(), v.end(), t.pivot) - v.begin();
    const auto notAbove = std::upper_bound(v.begin(), v.end(), t.pivot) - v.begin();
    const double z0 = NormalQuantile((static_cast<double>(below) + 0.5 * static_cast<double>(notAbove - below)) /
                                     static_cast<double>(v.size()));
    if (!std::isfinite(z0)) return refuse({}, NotDeterminedReason::EstimateOutsideResamples);
    double u2 = 0.0, u3 = 0.0;
    for (double u : t.influence) {
        u2 += u * u;
        u3 += u * u * u;
    }
    const double a = u2 > 0.0 ? u3 / (6.0 * std::pow(u2, 1.5)) : 0.0;
    auto adjusted = [&](double p) {
        const double z = z0 + NormalQuantile(p);
        return NormalCdf(z0 + z / (1.0 - a * z));
    };
    bca.interval = t.formula.IntervalOf(quantileOfSorted(v, adjusted(tail)), quantileOfSorted(v, adjusted(1.0 - tail)));
    if (!bca.interval) bca.why = Because(NotDeterminedReason::Unbounded);
}

} // namespace

BootstrapOutcome BootstrapIntervals(const Evaluation& e, const BootstrapOptions& options,
                                    const BootstrapProgress& progress) {
    BootstrapOutcome out;
    out.requested = std::max(options.resamples, 0);
    const LinearizedExtrapolation lin(e.set, LinearizationOf(e.options));
    const LineVector L0 = LineQuantitiesOf(e);
    const PlotType type = e.options.plotType;

    // The residuals to draw from: per concentration, and all of them together.
    std::vector<double> pool, own(lin.points.size(), 0.0);
    std::vector<int> poolBegin(lin.concentrations.size(), 0), poolEnd(lin.concentrations.size(), 0);
    for (std::size_t ci = 0; ci < lin.concentrations.size(); ++ci) {
        const LinearConcentration& c = lin.concentrations[ci];
        poolBegin[ci] = static_cast<int>(pool.size());
        if (c.fitted && c.dof >= 1) {
            double mean = 0.0;
            int n = 0;
            for (int k = c.first; k < c.first + c.count; ++k) {
                const LinearPoint& p = lin.points[static_cast<std::size_t>(k)];
                if (p.leverage > 1.0 - 1e-9) continue;
                own[static_cast<std::size_t>(k)] = (p.y - p.fitted) / p.sigma / std::sqrt(1.0 - p.leverage);
                mean += own[static_cast<std::size_t>(k)];
                ++n;
            }
            mean /= std::max(n, 1);
            for (int k = c.first; k < c.first + c.count; ++k) {
                const LinearPoint& p = lin.points[static_cast<std::size_t>(k)];
                if (p.leverage > 1.0 - 1e-9) continue;
                own[static_cast<std::size_t>(k)] -= mean;
                pool.push_back(own[static_cast<std::size_t>(k)]);
            }
        }
        poolEnd[ci] = static_cast<int>(pool.size());
    }
    const std::uint32_t allResiduals = static_cast<std::uint32_t>(pool.size());

    // The results to follow.
    std::vector<Track> tracks;
    auto addTrack = [&](ResultKind kind, StokesEinstein se, std::optional<double> estimate, NotDeterminedReason missing) {
        Track t{ResultFormula(kind, type, se), {}, 0.0, {}, {}, 0, 0.0, -1, 0, 0.0};
        t.shown.result = kind;
        t.shown.estimate = estimate;
        if (!estimate) t.shown.why = Because(missing);
        else if (allResiduals == 0) t.shown.why = Because(NotDeterminedReason::NoScatterEstimate);
        tracks.push_back(std::move(t));
        return &tracks.back();
    };
    for (ResultKind kind : ResultsOf(type)) {
        Track* t = addTrack(kind, StokesEinsteinOf(e.set, 0), EstimateOf(e.results, kind),
                            MissingEstimateReason(e.results, kind));
        t->pivot = t->formula.Pivot(L0);
        if (t->shown.estimate && !std::isfinite(t->pivot)) {
            t->shown.estimate.reset();
            t->shown.why = Because(NotDeterminedReason::NoEstimate);
        }
    }
    std::vector<double> rhStart;
    std::vector<int> rhSlotOf(lin.concentrations.size(), -1);
    if (IsDynamicPlot(type))
        for (std::size_t ci = 0; ci < lin.concentrations.size(); ++ci) {
            const LinearConcentration& c = lin.concentrations[ci];
            const auto& shown = e.results.conc;
            if (!c.fitted || static_cast<std::size_t>(c.index) >= shown.size() ||
                !shown[static_cast<std::size_t>(c.index)].rhNm)
                continue;
            Track* t = addTrack(ResultKind::Rh, StokesEinsteinOf(e.set, c.index),
                                shown[static_cast<std::size_t>(c.index)].rhNm, NotDeterminedReason::NoViscosity);
            t->pivot = c.intercept;
            t->rhSlot = rhSlotOf[ci] = static_cast<int>(rhStart.size());
            t->concentration = c.index;
            t->concentrationGPerCm3 = c.concentrationGPerCm3;
            rhStart.push_back(c.intercept);
        }

    // The points that receive residuals, packed by concentration, and each
    // result's influence of them.
    std::vector<Drawn> drawn;
    std::vector<DrawGroup> groups;
    std::vector<LineVector> gradients;
    for (Track& t : tracks) {
        gradients.push_back(t.formula.Gradient(L0));
        t.dof = t.rhSlot >= 0 ? lin.concentrations[static_cast<std::size_t>(t.concentration) - 1].scaleDof
                              : lin.VarianceOf(gradients.back()).dof;
    }
    for (std::size_t ci = 0; ci < lin.concentrations.size(); ++ci) {
        const LinearConcentration& c = lin.concentrations[ci];
        DrawGroup g;
        g.begin = static_cast<int>(drawn.size());
        const bool ownPool = poolEnd[ci] > poolBegin[ci];
        g.pool = ownPool ? poolBegin[ci] : 0;
        g.poolSize = static_cast<std::uint32_t>(ownPool ? poolEnd[ci] - poolBegin[ci] : allResiduals);
        g.rhSlot = rhSlotOf[ci];
        for (int k = c.first; k < c.first + c.count; ++k) {
            const LinearPoint& p = lin.points[static_cast<std::size_t>(k)];
            if (!p.inQ2Fit) {
                ++out.pointsHeld;
                continue;
            }
            drawn.push_back({p.jacobian, p.sigma, p.interceptWeight});
            const double r = p.sigma * own[static_cast<std::size_t>(k)];
            for (std::size_t ti = 0; ti < tracks.size(); ++ti) {
                Track& t = tracks[ti];
                if (t.rhSlot >= 0) {
                    if (t.rhSlot == g.rhSlot) t.influence.push_back(p.interceptWeight * r);
                    continue;
                }
                double d = 0.0;
                for (int q = 0; q < kLineQuantities; ++q) d += gradients[ti][q] * p.jacobian[q];
                t.influence.push_back(d * r);
            }
        }
        g.end = static_cast<int>(drawn.size());
        if (g.end > g.begin && g.poolSize > 0) groups.push_back(g);
    }
    out.pointsResampled = static_cast<int>(drawn.size());

    bool anyTracked = false;
    for (Track& t : tracks)
        if (t.shown.estimate && t.shown.why.reason == NotDeterminedReason::None) {
            t.values.reserve(static_cast<std::size_t>(out.requested));
            anyTracked = true;
        }

    RandomStream random(options.seed);
    const int step = std::max(1, out.requested / 100);
    std::vector<double> rh(rhStart.size());
    for (int b = 0; anyTracked && b < out.requested; ++b) {
        LineVector L = L0;
        std::copy(rhStart.begin(), rhStart.end(), rh.begin());
        for (const DrawGroup& g : groups) {
            const double* residuals = pool.data() + g.pool;
            double intercept = 0.0;
            for (int k = g.begin; k < g.end; ++k) {
                const Drawn& p = drawn[static_cast<std::size_t>(k)];
                const double r = p.sigma * residuals[random.Below(g.poolSize)];
                L[0] += p.jacobian[0] * r;
                L[1] += p.jacobian[1] * r;
                L[2] += p.jacobian[2] * r;
                L[3] += p.jacobian[3] * r;
                intercept += p.interceptWeight * r;
            }
            if (g.rhSlot >= 0) rh[static_cast<std::size_t>(g.rhSlot)] += intercept;
        }
        for (Track& t : tracks) {
            if (t.values.capacity() == 0) continue;
            const double v = t.rhSlot >= 0 ? rh[static_cast<std::size_t>(t.rhSlot)] : t.formula.Pivot(L);
            if (std::isfinite(v)) t.values.push_back(v);
            else ++t.failed;
        }
        out.completed = b + 1;
        if (progress && (out.completed % step == 0 || out.completed == out.requested) &&
            !progress(out.completed, out.requested)) {
            out.cancelled = true;
            break;
        }
    }

    out.percentile.method = IntervalMethod::BootstrapPercentile;
    out.bca.method = IntervalMethod::BootstrapBCa;
    out.percentile.level = out.bca.level = options.level;
    for (Track& t : tracks) {
        ResultInterval percentile, bca;
        if (out.cancelled && t.shown.estimate && t.shown.why.reason == NotDeterminedReason::None) {
            percentile = bca = t.shown;
            percentile.why = bca.why = Because(NotDeterminedReason::Cancelled);
        } else if (t.shown.why.reason != NotDeterminedReason::None) {
            percentile = bca = t.shown;
        } else {
            intervalsOf(t, out.completed, options.level, percentile, bca);
        }
        if (t.rhSlot >= 0) {
            out.percentile.rhPerConcentration.push_back({t.concentration, t.concentrationGPerCm3, percentile});
            out.bca.rhPerConcentration.push_back({t.concentration, t.concentrationGPerCm3, bca});
        } else {
            out.percentile.results.push_back(percentile);
            out.bca.results.push_back(bca);
        }
    }
    return out;
}

} // namespace zeb
