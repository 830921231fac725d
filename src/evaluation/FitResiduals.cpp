#include "evaluation/FitResiduals.h"

#include "evaluation/Evaluation.h"
#include "evaluation/LinearizedExtrapolation.h"

#include <algorithm>

namespace zeb {

FitResiduals ResidualsOf(const Evaluation& e) {
    FitResiduals out;
    const LinearizedExtrapolation lin(e.set, LinearizationOf(e.options));
    auto pointOf = [&](const LinearPoint& p, double fitted, double residual) {
        return ResidualPoint{p.concentration, p.angle, e.set.q2[p.angle], e.set.concentration[p.concentration],
                             fitted, residual};
    };
    for (const LinearConcentration& c : lin.concentrations) {
        if (!c.fitted) continue;
        ResidualSeries series;
        series.index = c.index;
        series.concentrationGPerCm3 = c.concentrationGPerCm3;
        for (int k = c.first; k < c.first + c.count; ++k) {
            const LinearPoint& p = lin.points[static_cast<std::size_t>(k)];
            series.points.push_back(pointOf(p, p.fitted, p.y - p.fitted));
        }
        std::sort(series.points.begin(), series.points.end(),
                  [](const ResidualPoint& x, const ResidualPoint& y) { return x.q2PerCm2 < y.q2PerCm2; });
        out.overQ2.push_back(std::move(series));
    }
    // Over c: the points of each angle, gathered from the concentrations.
    std::vector<ResidualSeries> byAngle(static_cast<std::size_t>(std::max<int>(e.set.lastAngleIndex, 0)) + 1);
    for (const LinearPoint& p : lin.points)
        if (p.inCFit) byAngle[static_cast<std::size_t>(p.angle)].points.push_back(pointOf(p, p.cFitted, p.cInput - p.cFitted));
    for (std::size_t a = 1; a < byAngle.size(); ++a) {
        if (byAngle[a].points.empty()) continue;
        byAngle[a].index = static_cast<int>(a);
        byAngle[a].q2PerCm2 = e.set.q2[a];
        std::sort(byAngle[a].points.begin(), byAngle[a].points.end(),
                  [](const ResidualPoint& x, const ResidualPoint& y) { return x.concentrationGPerCm3 < y.concentrationGPerCm3; });
        out.overC.push_back(std::move(byAngle[a]));
    }
    return out;
}

} // namespace zeb
