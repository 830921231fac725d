// The evaluation of one measurement set, apart from any window: the options
// (plot type, fit orders over q² and c, k, smoothing, weighting, switched-off
// points) go in, typed results come out: per concentration the apparent values
// and the fit with its coefficients and their errors, the two extrapolated
// lines, Mw(c), Mw(q²), Rg, <S²>, A2 (or Dz(c), Dz(q²), C<S²>, kD, Rh), the
// relative errors, the results text, and the messages for the user as data.
//
// Two levels. PreparePlottedPoints and Calculate work on a set in place, step by
// step as the plot window runs them (the window prepares the points again only
// when the plot type or k change). An Evaluation runs the whole pipeline on a
// copy of the loaded set and keeps it with the results: nothing is shared with
// the set it came from.
#pragma once

#include "analysis/EvaluationResults.h"
#include "analysis/Extrapolation.h"
#include "analysis/PlotType.h"
#include "data/MeasurementSet.h"
#include "evaluation/EvaluationOptions.h"
#include "texts/Message.h"

#include <optional>
#include <vector>

namespace zeb {

// One fitted polynomial: y = a1 + a2 x + a3 x² ... over q² (a concentration)
// or over c (an angle), with the errors of its coefficients.
struct FittedLine {
    bool fitted = false;                // false: refused (order 0, too few points, no finite result)
    std::vector<double> coefficients;   // a1, a2, ... (order + 1 of them) when fitted
    std::vector<double> errors;         // the error of each coefficient
    int lastIndex = 0;                  // where the curve ends: angle (over q²) or concentration (over c) index
};

// The fits of one calculation as values: index 0 is the extrapolated line (to
// c = 0 over q², to q = 0 over c), then concentrations 1.. and angles 1...
struct FittedLines {
    std::vector<FittedLine> overQ2;  // per concentration
    std::vector<FittedLine> overC;   // per angle
};

// What one calculation gives.
struct Calculation {
    ExtrapolationResult fits;   // the two extrapolated lines, curve ends, coefficient errors
    FittedLines lines;          // the same fits as values
    EvaluationResults results;  // the derived values, labels, result lines and results text
    std::vector<Message> messages;
    bool completed = false;     // false: memory ran out (the last message says so)
};

// ---- Step by step, on a set in place

// The scale of k for this set (the largest q² over the largest concentration)
// and the k a load starts with.
double KScaleOf(const MeasurementSet& set);
double AutomaticK(const MeasurementSet& set);
// A k (internal units) the chart of this set can show: finite, not zero, and
// within the range a user may type.
bool KAcceptableFor(const MeasurementSet& set, double kInternal);

// The plotted y (and, with recomputeX, x = q² + k c) of every measured point
// for the plot type. Berry and Guinier refuse points they cannot plot, each with
// a message.
std::vector<Message> PreparePlottedPoints(MeasurementSet& set, PlotType plotType, double kInternal, bool recomputeX);

// The fits over the prepared points and everything derived from them, with the
// options' plot type, orders, smoothing (in effect), weighting and k (none: the
// automatic k). The points are taken as the set holds them: switchedOff is not
// applied here. Writes the coefficient tables and the summary records (c, 0)
// and (0, a) of the set.
Calculation Calculate(MeasurementSet& set, const EvaluationOptions& options);

// ---- The whole pipeline on a copy

class Evaluation {
    MessageLog setMessages_;  // what the copy of the set says (before set: it outlives it)

public:
    // Evaluates a copy of the loaded set. A set without data, a switched-off point that is not a
    // measured point of the set, or a given k the chart cannot show are refused
    // with std::invalid_argument saying which; nothing is calculated then.
    Evaluation(const MeasurementSet& loaded, const EvaluationOptions& options);
    // Evaluates the loaded set itself, taken over without a copy (it is left without data),
    // for a caller that has no more use for it; refused as above, the set then kept.
    Evaluation(MeasurementSet&& loaded, const EvaluationOptions& options);
    Evaluation(const Evaluation&) = delete;
    Evaluation& operator=(const Evaluation&) = delete;

    MeasurementSet set;         // the loaded set with the points switched off, prepared and fitted
    EvaluationOptions options;  // as used: k is the automatic one when none was given
    ExtrapolationResult fits;
    FittedLines lines;
    EvaluationResults results;
    std::vector<Message> messages;  // in the order they arose
    bool completed = false;         // false: memory ran out (the last message says so)

private:
    void evaluate(const EvaluationOptions& options);
};

} // namespace zeb
