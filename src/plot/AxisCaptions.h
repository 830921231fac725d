// Built-in axis captions and label scales of the six measurement plot types and
// the twelve form-factor representations, and the captions in use (a title
// from the settings file, when not empty, replaces the built-in one).
#pragma once

#include "settings/PlotSettings.h"

#include <string>

namespace zeb {

const char* BuiltInXCaption(int plotType);
const char* BuiltInYCaption(int plotType);
const char* BuiltInFormFactorXCaption(int representation);
const char* BuiltInFormFactorYCaption(int representation);

// The factor the tick labels apply to stored axis values.
double FormFactorXLabelScale(int representation);
double FormFactorYLabelScale(int representation);
inline constexpr double kMeasurementXLabelScale = 1e-8;  // q² + k·c from cm⁻² to µm⁻²

// Sets settings.xTitle / yTitle for a plot type, or for a form-factor
// representation when settings.formFactorMode is on.
void SelectAxisTitles(PlotSettings& settings, int plotType, int representation);

} // namespace zeb
