#include "plot/NiceScale.h"

#include <algorithm>
#include <cmath>

namespace zeb {

namespace {

// Candidate divisions in multiples of the unit: range length (with 0.00001
// added so that the last tick survives rounding), step and tick count. The
// values are single-precision numbers on purpose: the ticks are reproducible
// only with exactly these values. Pass lengths (length ± step) are formed in
// double precision from them.
struct Candidate {
    float length;
    float step;
    int ticks;
};
constexpr Candidate kCandidates[16] = {
    {1.00001f, 0.25f, 5}, {2.00001f, 0.5f, 5}, {3.00001f, 1.0f, 4}, {4.00001f, 1.0f, 5},
    {4.00001f, 1.0f, 5},  {6.00001f, 2.0f, 4}, {6.00001f, 2.0f, 4}, {8.00001f, 2.0f, 5},
    {8.00001f, 2.0f, 5},  {1.20001f, 0.3f, 5}, {1.50001f, 0.5f, 4}, {2.40001f, 0.6f, 5},
    {3.20001f, 0.8f, 5},  {4.50001f, 1.5f, 4}, {7.50001f, 2.5f, 4}, {6.00001f, 1.5f, 5},
};

double ExponentOfLog(double L) {
    if (L >= 0) return std::trunc(L);
    return -std::nearbyint(std::fabs(L) + 0.5);  // default rounding: ties to even
}

// Rounds |v|/unit half up, keeping the sign; frac receives the fraction.
double RoundToUnit(double v, double unit, double& frac) {
    const double q = std::fabs(v) / unit;
    const double whole = std::floor(q);
    frac = q - whole;
    const double n = frac >= 0.5 ? whole + 1 : whole;
    return v < 0 ? -n * unit : n * unit;
}

double SnapToStep(double lo, double stepUnits, double unit) {
    if (lo == 0) return 0;
    const double a = std::fabs(lo);
    const double stepValue = stepUnits * unit;
    const double d = std::pow(10.0, std::floor(std::log10(stepValue)));
    const double q = a / d;
    const double o = std::trunc(q);
    const double v = q - o;
    double added;
    if (d * v / stepValue <= 1.0 / 7.0)
        added = std::nearbyint(v);
    else
        added = v < 0.25 ? 0.0 : v < 0.75 ? 0.5 : 1.0;
    const double start = d * (o + added);
    return lo < 0 ? -start : start;
}

struct Best {
    double cost = 1e300;
    int row = -1;
    double start = 0;
};

} // namespace

int ScaleExponent(double v) {
    const double L = v == 0 ? -30.0 : std::log10(std::fabs(v));
    if (!std::isfinite(L)) return 0;
    return static_cast<int>(std::clamp(ExponentOfLog(L), -400.0, 400.0));
}

NiceTicks NiceScale(double minimum, double maximum, int maxTicks) {
    NiceTicks out;
    if (!std::isfinite(minimum) || !std::isfinite(maximum)) {
        out.ticks = {0.0, 1.0};
        return out;
    }
    if (maximum < minimum) std::swap(minimum, maximum);
    if (maximum == minimum) {
        minimum -= 1;
        maximum += 1;
    }
    const double span = maximum - minimum;
    const int e = ScaleExponent(span);
    const int em = ScaleExponent(minimum);
    const bool fine = em < e;
    double unit = fine ? std::pow(10.0, e) * 0.1 : std::pow(10.0, e);

    double fmin = 0, fmax = 0;
    double lo = RoundToUnit(minimum, unit, fmin);
    double hi = RoundToUnit(maximum, unit, fmax);
    // Narrow ranges may start and end on half units (of the fine unit when the
    // unit was refined); the unit itself goes on as the decade.
    const double boundUnit = unit;
    if (fine) unit = unit * 10;
    if ((hi - lo) / unit <= 2) {
        if (fmin > 0.25 && fmin < 0.75) {
            const double n = (std::trunc(std::fabs(minimum) / boundUnit) + 0.5) * boundUnit;
            lo = minimum < 0 ? -n : n;
        }
        if (fmax > 0.25 && fmax < 0.75) {
            const double n = (std::trunc(std::fabs(maximum) / boundUnit) + 0.5) * boundUnit;
            hi = maximum < 0 ? -n : n;
        }
    }

    // Pass 0 uses the rows as listed, pass 1 one step less, pass 2 one step more.
    Best best[3];
    for (int pass = 0; pass < 3; ++pass) {
        for (int r = 0; r < 16; ++r) {
            const Candidate& c = kCandidates[r];
            const double s = c.step;
            double length = c.length;
            int n = c.ticks;
            if (pass == 1) length -= s, n -= 1;
            if (pass == 2) length += s, n += 1;
            const double start = SnapToStep(lo, s, unit);
            const double cost = std::fabs(maximum - length * unit - start) + 0.3 * s * unit * std::abs(n - 5);
            if (cost < best[pass].cost) best[pass] = {cost, r, start};
        }
    }
    int pass = 0;
    if (best[1].cost < best[pass].cost) pass = 1;
    if (best[2].cost < best[pass].cost) pass = 2;
    const Best& chosen = best[pass];
    if (chosen.row < 0) {  // only when every cost was not a number
        out.ticks = {minimum, maximum};
        return out;
    }
    const double step = kCandidates[chosen.row].step;
    double length = kCandidates[chosen.row].length;
    if (pass == 1) length -= step;
    if (pass == 2) length += step;

    maxTicks = std::max(2, maxTicks);
    for (double t = 0; t <= length && static_cast<int>(out.ticks.size()) < maxTicks; t += step)
        out.ticks.push_back(t * unit + chosen.start);
    if (chosen.start - minimum > step * unit) {
        out.ticks.insert(out.ticks.begin(), chosen.start - step * unit);
        if (static_cast<int>(out.ticks.size()) > maxTicks) out.ticks.pop_back();
    }
    return out;
}

} // namespace zeb
