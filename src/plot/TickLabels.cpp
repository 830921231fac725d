#include "plot/TickLabels.h"

#include "texts/PlotTexts.h"
#include "data/CFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zeb {

namespace {

int RoundEven(double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<int>(std::clamp(std::nearbyint(v), -400.0, 400.0));
}

int Trunc(double v) {
    if (!std::isfinite(v)) return 0;
    return static_cast<int>(std::clamp(std::trunc(v), -400.0, 400.0));
}

// round(|log10 |v|| + 0.5)
int DecadeOf(double v) { return RoundEven(std::fabs(std::log10(std::fabs(v))) + 0.5); }

// A label reading "-0.00" (a tick a rounding error below zero) loses its sign.
std::string Fixed(double v, int decimals) {
    std::string label = CFormat("%.*f", std::clamp(decimals, 0, 40), v);
    if (label.size() > 1 && label[0] == '-' && label.find_first_not_of("0.", 1) == std::string::npos)
        label.erase(0, 1);
    return label;
}

// Integer labels for ticks that are whole numbers; ticks on half or quarter
// steps (steps of 1.5 or 2.5) get the decimals they need instead of being
// rounded to a neighbouring integer.
int DecimalsForWholeSteps(const std::vector<double>& ticks, double base, double step) {
    for (int decimals = 0; decimals < 3; ++decimals) {
        const double f = std::pow(10.0, decimals);
        bool exact = true;
        for (double t : ticks) {
            const double v = (t - base) * f;
            if (std::fabs(v - std::nearbyint(v)) > 1e-6 * step * f) exact = false;
        }
        if (exact) return decimals;
    }
    return 3;
}

std::string Int(int v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d", v);
    return buf;
}

} // namespace

TickLabelTexts MakeTickLabels(const std::vector<double>& ticks) {
    TickLabelTexts out;
    if (ticks.empty()) return out;
    const double step = ticks.size() > 1 ? ticks[1] - ticks[0] : 0.0;
    const double first = ticks.front(), last = ticks.back();
    const bool lastLarger = std::fabs(last) >= std::fabs(first);
    const double amax = lastLarger ? last : first;
    const double amin = lastLarger ? first : last;

    if (step >= 1000 && std::fabs(amin) < step) {
        const int p = Trunc(std::log10(step));
        const int decimals = std::max(1, DecadeOf(amax) - p);
        const double factor = std::pow(10.0, -p);
        for (double t : ticks) out.labels.push_back(Fixed(t * factor, decimals));
        out.multiplier = tx::TimesTen;
        out.exponent = Int(p);
    } else if (step >= 1) {
        double base = 0;
        if (std::fabs(amin) >= 1e5) {
            base = std::trunc(amin);
            char buf[400];
            std::snprintf(buf, sizeof buf, "+ %.0f", base);
            out.multiplier = buf;
        }
        const int decimals = DecimalsForWholeSteps(ticks, base, step);
        for (double t : ticks) out.labels.push_back(Fixed(t - base, decimals));
    } else if (std::fabs(amax) < 0.001 && amax != 0) {
        int m = DecadeOf(amax);
        if (amin != 0) m = std::max(m, DecadeOf(amin));
        const int decimals = std::max(1, DecadeOf(step) + 1 - m);
        const double factor = std::pow(10.0, m);
        for (double t : ticks) out.labels.push_back(Fixed(t * factor, decimals));
        out.multiplier = tx::TimesTen;
        out.exponent = Int(-m);
    } else {
        const int decimals = step > 0 ? DecadeOf(step) + 1 : 1;
        for (double t : ticks) out.labels.push_back(Fixed(t, decimals));
    }
    return out;
}

} // namespace zeb
