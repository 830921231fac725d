// An independent evaluation of a measurement set, for checking the batch
// tool's numbers: it starts from the set as `eval --dump` prints it and
// recomputes the double extrapolation and every derived value in long double,
// fitting the polynomials by Householder QR of the weighted design matrix in
// a centred and scaled abscissa (the program solves normal equations). Only
// the rules of the evaluation are shared, no code.
#pragma once

#include "support/JsonReader.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace zeb::test {

using LD = long double;

struct RefCell {
    bool exists = false;  // hasData != 0 in the dump
    int presence = 0;
    bool active = false;
    double kcr = 0, kcrError = 0;
    std::array<double, 3> dapp{}, dappError{};
};

struct RefData {
    int nc = 0, na = 0;
    std::vector<double> conc, q2, temperature, viscosity;  // index 1..n (0 unused)
    std::vector<std::vector<RefCell>> cells;               // [c][a], 0..nc x 0..na

    static RefData FromDump(const JsonValue& d) {
        RefData r;
        r.nc = static_cast<int>(d["lastConcIndex"].num());
        r.na = static_cast<int>(d["lastAngleIndex"].num());
        r.conc.assign(static_cast<std::size_t>(r.nc) + 1, 0.0);
        r.temperature = r.viscosity = r.conc;
        for (const auto& c : d["concentrations"].items) {
            const auto i = static_cast<std::size_t>(c["index"].num());
            r.conc.at(i) = c["cGPerCm3"].num();
            r.temperature.at(i) = c["temperature"].num();
            r.viscosity.at(i) = c["viscosity"].num();
        }
        r.q2 = d["q2PerCm2"].numbers();
        r.cells.assign(static_cast<std::size_t>(r.nc) + 1, std::vector<RefCell>(static_cast<std::size_t>(r.na) + 1));
        for (const auto& cell : d["cells"].items) {
            RefCell& x = r.cells.at(static_cast<std::size_t>(cell["c"].num())).at(static_cast<std::size_t>(cell["a"].num()));
            x.exists = cell["hasData"].num() != 0;
            x.presence = static_cast<int>(cell["presence"].num());
            x.active = cell["active"].num() == 1;
            x.kcr = cell["kcr"].num();
            x.kcrError = cell["kcrError"].num();
            const char* names[3] = {"dappI", "dappII", "dappIII"};
            for (int k = 0; k < 3; ++k) {
                x.dapp[static_cast<std::size_t>(k)] = cell[names[k]].num();
                x.dappError[static_cast<std::size_t>(k)] = cell[std::string(names[k]) + "Error"].num();
            }
        }
        return r;
    }
};

// A polynomial fitted in t = (x - centre) / scale, with its coefficients in
// powers of x and their standard errors.
struct RefFit {
    bool made = false;
    // Weighted, or with more points than coefficients: unweighted errors come
    // from the scatter, which an exact fit does not have.
    bool errorsKnown = false;
    LD centre = 0, scale = 1;
    std::vector<LD> beta;     // in powers of t
    std::vector<LD> a, err;   // in powers of x, constant first
    LD at(LD x) const {
        const LD t = (x - centre) / scale;
        LD v = 0;
        for (std::size_t k = beta.size(); k-- > 0;) v = v * t + beta[k];
        return v;
    }
};

inline RefFit RefPolyFit(const std::vector<double>& x, const std::vector<double>& y, const std::vector<double>& sigma,
                         int order, bool weighted) {
    RefFit f;
    const std::size_t n = x.size(), M = static_cast<std::size_t>(order) + 1;
    if (order < 1 || n <= static_cast<std::size_t>(order)) return f;
    LD mean = 0;
    for (double v : x) mean += v;
    mean /= static_cast<LD>(n);
    LD spread = 0;
    for (double v : x) spread = std::max(spread, std::fabs(static_cast<LD>(v) - mean));
    f.centre = mean;
    f.scale = spread > 0 ? spread : 1;
    // Weighted design matrix and right-hand side.
    std::vector<std::vector<LD>> A(n, std::vector<LD>(M));
    std::vector<LD> b(n), w(n);
    for (std::size_t i = 0; i < n; ++i) {
        w[i] = weighted ? 1.0L / sigma[i] : 1.0L;
        const LD t = (static_cast<LD>(x[i]) - mean) / f.scale;
        LD p = 1;
        for (std::size_t k = 0; k < M; ++k, p *= t) A[i][k] = w[i] * p;
        b[i] = w[i] * y[i];
    }
    // Householder QR. A column that leaves (nearly) nothing beside the ones
    // before it makes the fit singular (fewer distinct x than coefficients).
    std::vector<LD> columnNorm(M, 0);
    for (std::size_t k = 0; k < M; ++k)
        for (std::size_t i = 0; i < n; ++i) columnNorm[k] += A[i][k] * A[i][k];
    for (std::size_t k = 0; k < M; ++k) {
        LD norm = 0;
        for (std::size_t i = k; i < n; ++i) norm += A[i][k] * A[i][k];
        norm = std::sqrt(norm);
        if (norm == 0) return f;
        const LD alpha = A[k][k] > 0 ? -norm : norm;
        std::vector<LD> v(n, 0);
        for (std::size_t i = k; i < n; ++i) v[i] = A[i][k];
        v[k] -= alpha;
        LD vv = 0;
        for (std::size_t i = k; i < n; ++i) vv += v[i] * v[i];
        if (vv == 0) continue;
        auto reflect = [&](auto&& get) {
            LD dot = 0;
            for (std::size_t i = k; i < n; ++i) dot += v[i] * get(i);
            const LD s = 2 * dot / vv;
            for (std::size_t i = k; i < n; ++i) get(i) -= s * v[i];
        };
        for (std::size_t j = k; j < M; ++j) reflect([&](std::size_t i) -> LD& { return A[i][j]; });
        reflect([&](std::size_t i) -> LD& { return b[i]; });
    }
    // R beta = (Q'b)[0..M-1]; R^-1 for the covariance (R'R)^-1 = R^-1 R^-T.
    std::vector<std::vector<LD>> Rinv(M, std::vector<LD>(M, 0));
    for (std::size_t k = 0; k < M; ++k)
        if (std::fabs(A[k][k]) <= 1e-10L * std::sqrt(columnNorm[k])) return f;
    f.beta.assign(M, 0);
    for (std::size_t k = M; k-- > 0;) {
        LD s = b[k];
        for (std::size_t j = k + 1; j < M; ++j) s -= A[k][j] * f.beta[j];
        f.beta[k] = s / A[k][k];
    }
    for (std::size_t col = 0; col < M; ++col)
        for (std::size_t k = col + 1; k-- > 0;) {
            LD s = k == col ? 1 : 0;
            for (std::size_t j = k + 1; j <= col; ++j) s -= A[k][j] * Rinv[j][col];
            Rinv[k][col] = s / A[k][k];
        }
    std::vector<std::vector<LD>> covT(M, std::vector<LD>(M, 0));
    for (std::size_t i = 0; i < M; ++i)
        for (std::size_t j = 0; j < M; ++j)
            for (std::size_t k = std::max(i, j); k < M; ++k) covT[i][j] += Rinv[i][k] * Rinv[j][k];
    // Chi-square from the residuals of the data.
    LD chi2 = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const LD r = w[i] * (y[i] - f.at(x[i]));
        chi2 += r * r;
    }
    const LD reduced = n == M ? 0 : chi2 / static_cast<LD>(n - M);
    // Powers of t to powers of x: T[j][k] = C(k, j) (-centre)^(k-j) / scale^k.
    std::vector<std::vector<LD>> T(M, std::vector<LD>(M, 0));
    for (std::size_t k = 0; k < M; ++k) {
        LD binom = 1;
        for (std::size_t j = 0; j <= k; ++j) {
            T[j][k] = binom * std::pow(-mean, static_cast<LD>(k - j)) / std::pow(f.scale, static_cast<LD>(k));
            binom = binom * static_cast<LD>(k - j) / static_cast<LD>(j + 1);
        }
    }
    f.a.assign(M, 0);
    f.err.assign(M, 0);
    for (std::size_t j = 0; j < M; ++j) {
        LD var = 0;
        for (std::size_t k = 0; k < M; ++k) {
            f.a[j] += T[j][k] * f.beta[k];
            for (std::size_t l = 0; l < M; ++l) var += T[j][k] * covT[k][l] * T[j][l];
        }
        f.err[j] = std::sqrt(weighted ? var : var * reduced);
    }
    f.made = true;
    f.errorsKnown = weighted || n > M;
    return f;
}

struct RefSettings {
    int plotType = 1, qOrder = 0, cOrder = 0;
    bool smoothing = false, weighting = false;
};

struct RefConc {
    std::optional<LD> mwApp, s2App, rgAppNm, dzApp, cs2App, rhNm;
};

struct RefResult {
    std::vector<RefFit> concFits;   // 1..nc over q²; [0] the c -> 0 line
    std::vector<RefFit> angleFits;  // 1..na over c; [0] the q -> 0 line
    std::optional<LD> mwC, mwQ2, rgNm, s2Cm2, a2, dzC, dzQ2, cs2, kD;
    std::array<std::optional<LD>, 4> relErrPercent;
    std::vector<RefConc> conc;      // 1..nc
};

// The plotted value of a point and the ends of its error bar, when the plot type has one.
struct RefPoint {
    double y, hi, lo;
    double half() const { return (hi - lo) / 2.0; }
};

inline std::optional<RefPoint> RefTransform(const RefCell& p, int plotType) {
    if (plotType >= 4) {
        const int k = plotType - 4;
        if (!(p.presence & (4 << k))) return std::nullopt;
        const double y = p.dapp[static_cast<std::size_t>(k)], e = p.dappError[static_cast<std::size_t>(k)];
        return RefPoint{y, y + e, y - e};
    }
    if (!(p.presence & 1)) return std::nullopt;
    const double k = p.kcr, e = p.kcrError;
    if (plotType == 1) return RefPoint{k, k + e, k - e};
    if (plotType == 2) {
        if (k < 0) return std::nullopt;
        const double y = std::sqrt(k), hi = std::sqrt(k + e);
        return RefPoint{y, hi, k - e >= 0 ? std::sqrt(k - e) : 2 * y - hi};
    }
    if (k <= 0) return std::nullopt;
    const double y = std::log(k), hi = std::log(k + e);
    return RefPoint{y, hi, k - e > 0 ? std::log(k - e) : 2 * y - hi};
}

// A fit's extrapolated point (value a, error e): the plotted y and bar, and the
// value and error of Kc/R (or Dapp) the relative errors use.
struct RefExtrapolated {
    RefPoint point;
    LD value, error;
};

inline RefExtrapolated RefSetExtrapolated(LD aL, LD eL, int plotType) {
    const double a = static_cast<double>(aL), e = static_cast<double>(eL);
    if (plotType == 2) {
        const double K = a * a, E = (a + e) * (a + e) - a * a;
        double hi = std::sqrt(K + E), lo = K - E >= 0 ? std::sqrt(K - E) : 0.0;
        if (a < 0) hi = -hi, lo = -lo;
        return {{a, hi, lo}, aL * aL, (aL + eL) * (aL + eL) - aL * aL};
    }
    if (plotType == 3) {
        const double K = std::exp(a), E = std::exp(a + e) - std::exp(a);
        return {{a, K + E > 0 ? std::log(K + E) : a, K - E > 0 ? std::log(K - E) : a},
                std::exp(aL),
                std::exp(aL + eL) - std::exp(aL)};
    }
    return {{a, a + e, a - e}, aL, eL};
}

inline RefResult RefEvaluate(const RefData& d, const RefSettings& s) {
    RefResult r;
    const int nc = d.nc, na = d.na, type = s.plotType;
    const bool smoothing = s.smoothing && s.qOrder >= 1;
    auto cell = [&](int c, int a) -> const RefCell& {
        return d.cells[static_cast<std::size_t>(c)][static_cast<std::size_t>(a)];
    };
    auto point = [&](int c, int a) -> std::optional<RefPoint> {
        const RefCell& p = cell(c, a);
        if (!p.exists || !p.active) return std::nullopt;
        return RefTransform(p, type);
    };
    r.concFits.assign(static_cast<std::size_t>(nc) + 1, {});
    r.angleFits.assign(static_cast<std::size_t>(na) + 1, {});
    std::vector<std::optional<RefExtrapolated>> concX(static_cast<std::size_t>(nc) + 1), angleX(static_cast<std::size_t>(na) + 1);

    for (int c = 1; c <= nc; ++c) {
        std::vector<double> x, y, sg;
        for (int a = 1; a <= na; ++a)
            if (const auto p = point(c, a)) {
                x.push_back(d.q2[static_cast<std::size_t>(a)]);
                y.push_back(p->y);
                sg.push_back(p->half());
            }
        RefFit& f = r.concFits[static_cast<std::size_t>(c)];
        f = RefPolyFit(x, y, sg, s.qOrder, s.weighting);
        if (f.made) concX[static_cast<std::size_t>(c)] = RefSetExtrapolated(f.a[0], f.err[0], type);
    }
    for (int a = 1; a <= na; ++a) {
        std::vector<double> x, y, sg;
        for (int c = 1; c <= nc; ++c) {
            const auto p = point(c, a);
            if (!p) continue;
            const RefFit& own = r.concFits[static_cast<std::size_t>(c)];
            if (smoothing && !own.made) continue;
            x.push_back(d.conc[static_cast<std::size_t>(c)]);
            y.push_back(smoothing ? static_cast<double>(own.at(d.q2[static_cast<std::size_t>(a)])) : p->y);
            sg.push_back(p->half());
        }
        if (smoothing && !sg.empty()) {
            double mean = 0;
            for (double v : sg) mean += v;
            mean /= static_cast<double>(sg.size());
            for (double& v : sg) v = mean;
        }
        RefFit& f = r.angleFits[static_cast<std::size_t>(a)];
        f = RefPolyFit(x, y, sg, s.cOrder, s.weighting);
        if (f.made) angleX[static_cast<std::size_t>(a)] = RefSetExtrapolated(f.a[0], f.err[0], type);
    }
    // The c -> 0 line over q² and the q -> 0 line over c.
    std::vector<double> x, y, sg;
    for (int a = 1; a <= na; ++a)
        if (angleX[static_cast<std::size_t>(a)] && cell(0, a).active) {
            x.push_back(d.q2[static_cast<std::size_t>(a)]);
            y.push_back(angleX[static_cast<std::size_t>(a)]->point.y);
            sg.push_back(angleX[static_cast<std::size_t>(a)]->point.half());
        }
    r.concFits[0] = RefPolyFit(x, y, sg, s.qOrder, s.weighting);
    x.clear(), y.clear(), sg.clear();
    for (int c = 1; c <= nc; ++c)
        if (concX[static_cast<std::size_t>(c)] && cell(c, 0).active) {
            x.push_back(d.conc[static_cast<std::size_t>(c)]);
            y.push_back(concX[static_cast<std::size_t>(c)]->point.y);
            sg.push_back(concX[static_cast<std::size_t>(c)]->point.half());
        }
    r.angleFits[0] = RefPolyFit(x, y, sg, s.cOrder, s.weighting);

    const RefFit& c0 = r.concFits[0];   // Y0q = its a1
    const RefFit& q0 = r.angleFits[0];  // Y0c = its a1
    if (type <= 3) {
        if (q0.made) {
            const LD Y = q0.a[0], s2 = q0.a[1];
            r.mwC = type == 1 ? 1 / Y : type == 2 ? 1 / (Y * Y) : 1 / std::exp(Y);
            r.a2 = type == 1 ? s2 * 1e-3L / 2 : type == 2 ? s2 * 1e-3L * Y : std::exp(Y) * s2 * 1e-3L / 2;
        }
        if (c0.made) {
            const LD Y = c0.a[0], s2 = c0.a[1];
            r.mwQ2 = type == 1 ? 1 / Y : type == 2 ? 1 / (Y * Y) : 1 / std::exp(Y);
            r.s2Cm2 = type == 1 ? 3 * s2 / Y : type == 2 ? 6 * s2 / Y : 3 * s2;
            if (*r.s2Cm2 >= 0) r.rgNm = std::sqrt(*r.s2Cm2) * 1e7L;
        }
    } else {
        if (q0.made) {
            r.dzC = q0.a[0];
            r.kD = q0.a[1] * 1e-3L / q0.a[0];
        }
        if (c0.made) {
            r.dzQ2 = c0.a[0];
            r.cs2 = c0.a[1] / c0.a[0] * 1e8L;
        }
    }
    // Relative errors in percent, given when both lines were fitted.
    if (q0.made && c0.made) {
        const RefExtrapolated eq = RefSetExtrapolated(q0.a[0], q0.err[0], type);
        const RefExtrapolated ec = RefSetExtrapolated(c0.a[0], c0.err[0], type);
        const LD p1 = 100 * eq.error / eq.value, p2 = 100 * ec.error / ec.value;
        if (q0.errorsKnown) r.relErrPercent[0] = std::fabs(p1);
        if (c0.errorsKnown) r.relErrPercent[1] = std::fabs(p2);
        LD rr = c0.err[1] / c0.a[1], t = p2 / 100;
        const bool rgShown = type >= 4 || r.rgNm.has_value();
        if (rgShown && c0.errorsKnown) {
            const LD p3 = type == 1   ? 50 * std::sqrt(rr * rr + t * t)
                          : type == 2 ? 100 * std::sqrt(rr * rr / 4 + t * t / 16)
                          : type == 3 ? std::fabs(50 * rr)
                                      : 100 * std::sqrt(rr * rr + t * t);
            r.relErrPercent[2] = std::fabs(p3);
        }
        rr = q0.err[1] / q0.a[1], t = p1 / 100;
        const LD p4 = type == 1 ? std::fabs(100 * rr)
                      : type == 2 ? 100 * std::sqrt(rr * rr + (t / 2) * (t / 2))
                                  : 100 * std::sqrt(rr * rr + t * t);
        if (q0.errorsKnown) r.relErrPercent[3] = std::fabs(p4);
    }
    // Apparent values per concentration.
    r.conc.assign(static_cast<std::size_t>(nc) + 1, {});
    for (int c = 1; c <= nc; ++c) {
        const RefFit& f = r.concFits[static_cast<std::size_t>(c)];
        if (!f.made) continue;
        RefConc& v = r.conc[static_cast<std::size_t>(c)];
        const LD a1 = f.a[0], a2 = f.a[1];
        if (type <= 3) {
            v.mwApp = type == 1 ? 1 / a1 : type == 2 ? 1 / (a1 * a1) : 1 / std::exp(a1);
            v.s2App = type == 1 ? 3 * a2 / a1 : type == 2 ? 6 * a2 / a1 : 3 * a2;
            if (*v.s2App >= 0) v.rgAppNm = std::sqrt(*v.s2App) * 1e7L;
        } else {
            v.dzApp = a1;
            v.cs2App = a2 * 1e8L / a1;
            const LD T = d.temperature[static_cast<std::size_t>(c)], eta = d.viscosity[static_cast<std::size_t>(c)];
            if (T != 0 && eta != 0) v.rhNm = 1.380622e-23L * T / (eta * 0.01L * 18.849555921538197L * a1) * 1e22L;
        }
    }
    return r;
}

} // namespace zeb::test
