// The distribution functions the confidence intervals and the order tests
// need: the standard normal, Student's t (also for a fractional number of
// degrees of freedom, as a Satterthwaite combination gives it) and the F
// distribution, through the regularised incomplete beta function.
#pragma once

namespace zeb {

double NormalCdf(double x);
// x with NormalCdf(x) = p, for 0 < p < 1 (NaN outside).
double NormalQuantile(double p);

// I_x(a, b) for a, b > 0 and 0 <= x <= 1 (NaN outside).
double RegularizedIncompleteBeta(double a, double b, double x);

// Student's t with dof > 0 degrees of freedom; an infinite dof is the normal.
double StudentTCdf(double t, double dof);
double StudentTQuantile(double p, double dof);

// P(F > f) for F with (d1, d2) degrees of freedom.
double FUpperTail(double f, double d1, double d2);

} // namespace zeb
