// The options an evaluation is made with, in one type for every program: the
// plot window keeps them, the batch tool and the Python module fill them from
// their arguments, a saved evaluation (.zeb) stores them.
#pragma once

#include "analysis/PlotType.h"

#include <optional>
#include <string>
#include <vector>

namespace zeb {

class MeasurementSet;

// A measured point: concentration and angle index, both from 1.
struct PointIndex {
    int concentration = 0;
    int angle = 0;
    bool operator==(const PointIndex&) const = default;
};

struct EvaluationOptions {
    PlotType plotType = PlotType::Zimm;
    FitOrder qOrder = FitOrder::None;      // the fits over q² (None: no fit)
    FitOrder cOrder = FitOrder::None;      // the fits over c
    // As chosen: the angle fits go over the concentrations' q² polynomials. It
    // works on the fits over q², so without them it is off (smoothingInEffect).
    Smoothing smoothing = Smoothing::Off;
    Weighting weighting = Weighting::Off;  // On: the fits weight each point with 1/sigma²
    // k in cm⁻² per g/cm³: the abscissa is q² + k c (the window's field shows
    // 1e-11 of it). None: the automatic k of the data, as after loading.
    std::optional<double> kInternal;
    // Measured points left out of the fits (the plot window keeps them in its
    // set instead: its options list none).
    std::vector<PointIndex> switchedOff;

    Smoothing smoothingInEffect() const { return qOrder != FitOrder::None ? smoothing : Smoothing::Off; }
};

// Whether the point is a point of the set's grid (the one check of point
// indices that every program makes), and the indices the set has, as a refusal
// names them: "(concentrations 1..3, angles 1..13)".
bool IsPointOf(const MeasurementSet& set, const PointIndex& point);
std::string PointRangeText(const MeasurementSet& set);

// The measured points (with data) that are switched off, concentration by
// concentration, as a saved evaluation lists them.
std::vector<PointIndex> SwitchedOffPoints(const MeasurementSet& set);

// The k (internal units) of a k typed in the displayed unit (1e-11 of the
// internal one), or nothing when the chart of this set cannot show it. A zero
// becomes 1.0 in the displayed unit: it would pile all concentrations onto one
// abscissa.
std::optional<double> KFromDisplayed(const MeasurementSet& set, double kDisplayed);
// Why KFromDisplayed refused a k: a number beyond the limit of this set's chart
// is too large (the text names the limit); anything else is no number.
std::string KRefusalText(const MeasurementSet& set, double kDisplayed);

} // namespace zeb
