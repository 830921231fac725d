#include "analysis/Extrapolation.h"

#include "analysis/PointTransform.h"
#include "texts/AnalysisTexts.h"
#include "texts/CommonTexts.h"
#include "texts/Message.h"

#include <cmath>
#include <vector>

namespace zeb {

namespace {

using Row = std::array<double, MeasurementSet::kCoefficients>;

constexpr int kPrefetchAhead = 16;

// The points of one fit, 1-based as FitPolynomial takes them. The arrays keep
// room for the largest fit (136 points) so that adding a point never allocates.
struct FitPoints {
    std::vector<double> x, y, sigma;
    int count = 0;
    FitPoints() : x(kMaxFitPoints + 1), y(kMaxFitPoints + 1), sigma(kMaxFitPoints + 1) {}
    void clear() { count = 0; }
    void add(double xv, double yv, double s) {
        if (count >= kMaxFitPoints) return;
        ++count;
        x[static_cast<std::size_t>(count)] = xv;
        y[static_cast<std::size_t>(count)] = yv;
        sigma[static_cast<std::size_t>(count)] = s;
    }
    int n() const { return count; }
};

double halfBar(const DataPoint& p) { return (p.yHi() - p.yLo()) / 2.0; }
bool usable(const DataPoint* p) { return p && p->active == 1 && p->hasData == 1; }

// Fits the points with the order when possible; on success stores the
// coefficients in row, their errors, the extrapolated value in the record and
// returns true. A refused or unusable fit leaves the record's hasData at 0.
bool fitInto(FitContext& ctx, FitPoints& pts, int order, int plotType, Row& row, LineErrors& errors,
             DataPoint& record, double xOffset) {
    record.hasData = 0;
    if (order < 1 || order >= pts.n()) return false;
    const PolyFitResult r = FitPolynomial(ctx, order, pts.sigma, pts.y, pts.x, pts.n());
    if (!r.usable()) return false;
    row.fill(0.0);
    errors.errors.fill(0.0);
    for (int k = 1; k <= order + 1; ++k) {
        row[static_cast<std::size_t>(k)] = r.a[static_cast<std::size_t>(k)];
        errors.errors[static_cast<std::size_t>(k)] = r.err[static_cast<std::size_t>(k)];
    }
    record.x() = xOffset;
    SetExtrapolated(record, plotType, r.a[1], r.err[1]);
    record.hasData = 1;
    return true;
}

} // namespace

void RunDoubleExtrapolation(MeasurementSet& set, const ExtrapolationSettings& s, FitContext& ctx,
                            ExtrapolationResult& out) {
    const int nc = set.lastConcIndex, na = set.lastAngleIndex;
    out.concCurveEnd.fill(0);
    out.angleCurveEnd.fill(0);
    for (auto& e : out.concErrors) e.errors.fill(0.0);
    for (auto& e : out.angleErrors) e.errors.fill(0.0);
    out.slopeErrorC0 = out.slopeErrorQ0 = 0.0;
    for (auto& row : set.calcTableA) row.fill(0.0);
    for (auto& row : set.calcTableB) row.fill(0.0);
    out.lineC0 = DataPoint{};
    out.lineQ0 = DataPoint{};
    out.lineC0.active = out.lineQ0.active = 1;
    out.lineC0.symbolState = out.lineQ0.symbolState = 1;
    FitPoints pts;
    // The usable points, gathered once in angle-major order so that the angle
    // fits read them contiguously: y (NaN when the point is not usable) and half
    // the height of its error bar.
    struct Gathered {
        double y, halfBar;
    };
    thread_local std::vector<Gathered> grid;
    const std::size_t stride = static_cast<std::size_t>(nc < 0 ? 0 : nc) + 1;
    grid.assign(stride * static_cast<std::size_t>(na < 0 ? 1 : na + 1), {NAN, 0.0});
    auto at = [&](int c, int a) -> Gathered& { return grid[static_cast<std::size_t>(a) * stride + c]; };

    // Concentration fits over q².
    std::array<const DataPoint*, MeasurementSet::kAngleSlots> cells{};
    for (int c = 1; c <= nc; ++c) {
        pts.clear();
        int end = 0;
        // Every cell is a record of its own: their addresses first, then each
        // fetched a few ahead of its use to hide the memory latency.
        for (int a = 1; a <= na; ++a) cells[static_cast<std::size_t>(a)] = set.cell(c, a);
        for (int a = 1; a <= na; ++a) {
            if (a + kPrefetchAhead <= na) __builtin_prefetch(cells[static_cast<std::size_t>(a + kPrefetchAhead)]);
            const DataPoint* p = cells[static_cast<std::size_t>(a)];
            if (!usable(p)) continue;
            at(c, a) = {p->y(), halfBar(*p)};
            pts.add(set.q2[a], p->y(), halfBar(*p));
            if (end == 0 || set.q2[a] > set.q2[end]) end = a;
        }
        out.concCurveEnd[c] = end;
        if (DataPoint* summary = set.cell(c, 0))
            fitInto(ctx, pts, s.qOrder, s.plotType, set.calcTableA[c], out.concErrors[c], *summary,
                    set.concentration[c] * s.k);
    }

    // Angle fits over c; with smoothing the values come from each concentration's q² polynomial.
    std::vector<char> ownFit(stride, 0);
    for (int c = 1; c <= nc; ++c) {
        const DataPoint* own = set.cell(c, 0);
        ownFit[static_cast<std::size_t>(c)] = own && own->hasData == 1;
    }
    for (int a = 1; a <= na; ++a) {
        pts.clear();
        int end = 0;
        double barSum = 0.0;
        // With smoothing each concentration's polynomial is evaluated at this q²: its powers once.
        double powers[kMaxFitOrder + 1] = {1.0};
        for (int k = 1; k <= s.qOrder && k <= kMaxFitOrder; ++k) powers[k] = powers[k - 1] * set.q2[a];
        for (int c = 1; c <= nc; ++c) {
            const Gathered& g = at(c, a);
            if (std::isnan(g.y)) continue;
            double y = g.y;
            if (s.smoothing) {
                // A concentration whose own q² fit was refused has no polynomial to offer.
                if (!ownFit[static_cast<std::size_t>(c)]) continue;
                const auto& row = set.calcTableA[static_cast<std::size_t>(c)];
                y = row[1];
                for (int k = 1; k <= s.qOrder; ++k) y += row[static_cast<std::size_t>(k) + 1] * powers[k];
            }
            pts.add(set.concentration[c], y, g.halfBar);
            barSum += g.halfBar;
            if (end == 0 || set.concentration[c] > set.concentration[end]) end = c;
        }
        if (s.smoothing && pts.n() > 0)
            for (int i = 1; i <= pts.n(); ++i) pts.sigma[i] = barSum / pts.n();
        out.angleCurveEnd[a] = end;
        if (DataPoint* summary = set.cell(0, a))
            fitInto(ctx, pts, s.cOrder, s.plotType, set.calcTableB[a], out.angleErrors[a], *summary, set.q2[a]);
    }

    // The c -> 0 line over q².
    pts.clear();
    int end = 0;
    for (int a = 1; a <= na; ++a) {
        const DataPoint* p = set.cell(0, a);
        if (!usable(p)) continue;
        pts.add(set.q2[a], p->y(), halfBar(*p));
        if (end == 0 || set.q2[a] > set.q2[end]) end = a;
    }
    out.concCurveEnd[0] = end;
    out.pointsC0 = pts.n();
    if (fitInto(ctx, pts, s.qOrder, s.plotType, set.calcTableA[0], out.concErrors[0], out.lineC0, 0.0))
        out.slopeErrorC0 = out.concErrors[0].errors[2];

    // The q -> 0 line over c.
    pts.clear();
    end = 0;
    for (int c = 1; c <= nc; ++c) {
        const DataPoint* p = set.cell(c, 0);
        if (!usable(p)) continue;
        pts.add(set.concentration[c], p->y(), halfBar(*p));
        if (end == 0 || set.concentration[c] > set.concentration[end]) end = c;
    }
    out.angleCurveEnd[0] = end;
    out.pointsQ0 = pts.n();
    if (fitInto(ctx, pts, s.cOrder, s.plotType, set.calcTableB[0], out.angleErrors[0], out.lineQ0, 0.0))
        out.slopeErrorQ0 = out.angleErrors[0].errors[2];

    if ((out.lineC0.hasData != 1 || out.lineQ0.hasData != 1) && s.qOrder >= 1 && s.cOrder >= 1)
        ctx.messages.inform(tx::ExtrapolationNotPossible, tx::CapInformation, MsgIcon::Stop);
}

} // namespace zeb
