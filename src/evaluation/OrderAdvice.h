// Advice on the orders of the fits. For each direction (the fits over q² per
// concentration, over c per angle) the chosen order is compared with its
// neighbours: an F test of the term one order adds, pooled over the fits of
// that direction, and the change of every result against its interval
// (propagated, Intervals.h).
//
// A higher order is advised when its added term is significant and it moves a
// result by more than shiftInIntervals times the half-width of the interval
// the chosen order gives that result ("the q² fit of order 1 leaves
// curvature: order 2 gives Rg = 45.0 nm ± 4.9 nm, 6 % lower"). Nothing is
// advised when the chosen orders suit the data, nor towards a lower order: a
// lower order narrows the interval but cannot show what curvature it hides.
// The F test of the chosen order's highest term is in the tests all the same.
// Values in the units the results show (Uncertainty.h).
//
// How much the data can tell: with 4 concentrations x 13 angles and 0.5 %
// noise the curvature of a monodisperse coil of Rg 45 nm (q² Rg² up to 1.3)
// is at the edge of what the points resolve; the advice then comes only for
// some sets of such data, and for nearly all at 0.1 % noise.
#pragma once

#include "evaluation/Uncertainty.h"

#include <string>
#include <vector>

namespace zeb {

class Evaluation;

enum class FitDirection { OverQ2, OverC };
// The F test of the terms one order adds to the fits of a direction.
struct OrderTest {
    FitDirection direction = FitDirection::OverQ2;
    FitOrder lower = FitOrder::One, higher = FitOrder::Two;
    int terms = 0;  // fits at the higher order: numerator degrees of freedom
    int dof = 0;    // their residual degrees of freedom
    double f = 0.0;
    double pValue = 1.0;
    bool determined = false;
};

struct OrderAdviceItem {
    FitDirection direction = FitDirection::OverQ2;
    FitOrder chosen = FitOrder::One, suggested = FitOrder::Two;
    ResultKind result = ResultKind::Rg;
    double chosenValue = 0.0;
    double suggestedValue = 0.0;
    Interval chosenInterval;     // propagated, at the level
    Interval suggestedInterval;
    double changePercent = 0.0;  // (suggested - chosen) / chosen, in %
    double pValue = 1.0;         // of the F test of the added term
    std::string text;            // in plain words
};

struct OrderAdviceOptions {
    double level = 0.95;
    double shiftInIntervals = 2.0;  // a change beyond this many half-widths of the chosen interval counts
    double significance = 0.01;     // an added term below this p-value is real
    double minimumChangePercent = 1.0;  // a smaller change of a result is not worth an advice
};

struct OrderAdvice {
    std::vector<OrderTest> tests;        // every comparison made
    std::vector<OrderAdviceItem> items;  // empty when the chosen orders suit the data
};

// Nothing to advise when either order is "no" (no extrapolation is made).
OrderAdvice AdviseOrders(const Evaluation& e, const OrderAdviceOptions& options = {});

} // namespace zeb
