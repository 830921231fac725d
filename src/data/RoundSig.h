#pragma once

namespace zeb {

// Rounds x to the decimal grid 10^(trunc(log10|x|) - n). Two q² or concentration
// values are the same when their RoundSig(., 6) agree: 7 significant digits for
// values of at least 1, 6 below 1.
double RoundSig(double x, int n);

} // namespace zeb
