// The natural cubic smoothing spline that minimises
//   p * sum (y_i - s(x_i))² + (1 - p) * integral s''(x)² dx
// over ascending knots. With p = 0.9999999999 (what the form factors use) it is
// practically the natural interpolating spline. Outside the knots the end
// cubics continue.
#pragma once

#include <vector>

namespace zeb {

class SmoothingSpline {
public:
    // Builds the spline; false when there are fewer than 4 knots, the knots do
    // not ascend strictly, a value is not finite, or p is outside (0, 1].
    bool Setup(const std::vector<double>& x, const std::vector<double>& y, double p);
    double Evaluate(double x) const;
    void Release();
    bool ready() const { return !x_.empty(); }

    double xMin() const { return xMin_; }
    double xMax() const { return xMax_; }
    double yMin() const { return yMin_; }
    double yMax() const { return yMax_; }

    // Smoothed knot values and second derivatives at the knots.
    const std::vector<double>& knotValues() const { return s_; }
    const std::vector<double>& secondDerivatives() const { return c_; }

private:
    std::vector<double> x_, s_, c_, h_, b_, d_;
    double xMin_ = 0, xMax_ = 0, yMin_ = 0, yMax_ = 0;
};

} // namespace zeb
