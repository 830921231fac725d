// The "axes" member of the batch tool's --json output: per axis the plot
// range and ticks in stored units and the labels, multiplier and exponent as
// the chart draws them.
#pragma once

#include "cli/Json.h"
#include "plot/AxisScaling.h"

namespace zeb::json {

inline std::string axis(const AxisScale& a) {
    std::vector<std::string> labels;
    for (const auto& l : a.labels) labels.push_back(string(l));
    return object({{"min", number(a.minimum)},
                   {"max", number(a.maximum)},
                   {"ticks", numbers(a.ticks)},
                   {"labels", array(labels)},
                   {"multiplier", string(a.multiplier)},
                   {"exponent", string(a.exponent)}});
}

inline std::string axes(const AxesState& s) { return object({{"x", axis(s.x)}, {"y", axis(s.y)}}); }

} // namespace zeb::json
