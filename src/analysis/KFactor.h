// The k factor that spreads the concentrations along the abscissa q² + k c:
// its default and the steps of the two k buttons. Q is the q² of the highest
// angle index and C the concentration of the highest concentration index.
#pragma once

namespace zeb {

inline constexpr int kInitialKStep = 10;
inline constexpr int kMinKStep = -10;
inline constexpr int kMaxKStep = 20;

// Q/C, the scale of k. When C is 0 or the ratio is not a finite non-zero
// number (a set whose last concentration is 0), the largest |q²| and |c| of the
// set are used instead, and failing those 1e13 (k then starts at 1e14).
double KScale(double q, double c, double largestQ2, double largestConc);

// RoundSig(Q/C * 10, 3): the k a load starts with.
double KDefault(double scale);

// The largest |k| a user may type, in multiples of the scale: a hundred times
// the default. Beyond it the q² dependence of each concentration shrinks to
// nothing on the abscissa (and at the limits of the numbers the chart would
// have no finite range at all).
inline constexpr double kMaxTypedKPerScale = 1000.0;

// A typed k (internal units) that the chart can show: finite and within
// kMaxTypedKPerScale times the scale.
bool KTypedAcceptable(double k, double scale);

// "<<": returns false (beep, nothing changes) at the lowest step.
bool KStepDown(double& k, int& step, double scale);
// ">>": returns false (beep, nothing changes) at the highest step.
bool KStepUp(double& k, int& step, double scale);

} // namespace zeb
