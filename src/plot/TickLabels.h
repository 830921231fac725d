// Tick label texts of one axis: plain integers, integers relative to a base
// ("+ 123456"), fixed-point numbers, or numbers with a power of ten written
// once beside the axis ("× 10" with its exponent).
#pragma once

#include <string>
#include <vector>

namespace zeb {

struct TickLabelTexts {
    std::vector<std::string> labels;
    std::string multiplier;  // "× 10", "+ <base>" or empty
    std::string exponent;    // decimal exponent or empty
};

// ticks are the axis values already multiplied by the axis' label scale.
TickLabelTexts MakeTickLabels(const std::vector<double>& ticks);

} // namespace zeb
