#include "plot/PlotLayout.h"

#include <algorithm>
#include <cmath>

namespace zeb {

namespace {

// trunc() into an int; values far outside the drawing space are held at
// ±1e9 so that a point miles away still maps outside and never overflows.
int TruncToInt(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<int>(std::trunc(std::clamp(v, -1e9, 1e9)));
}

} // namespace

PlotLayout ComputeLayout(const LayoutInput& in) {
    PlotLayout l;
    l.ch = in.ch;
    l.extent = in.extent;
    l.captionGap = static_cast<int>(0.75 * in.ch);
    l.labelGap = static_cast<int>(0.1 * in.ch) + 174;
    const int a = l.captionGap, b = l.labelGap, ch = in.ch;
    l.x0 = a + 200 + ch + in.widestYLabel + b + 400;
    l.y0 = 400 + 400 + static_cast<int>(0.9 * ch) + ch + ch / 2;
    l.width = in.extent.width - l.x0 - 400 - in.lastXLabelWidth / 2 - 400;
    int text = 0;
    if (in.showFileName) text += static_cast<int>(in.fileNameLines * in.textLineHeight * 1.5);
    if (in.showResults) text += static_cast<int>(2 * in.textLineHeight * 1.5);
    l.textHeight = text;
    l.bottomBlock = std::max(500, text + ch + 400);
    l.height = in.extent.height - l.y0 - b - a - 2 * ch - l.bottomBlock - 400;
    return l;
}

int PlotMapping::X(double x) const {
    const auto& ax = axes_.x;
    const double f = ax.span != 0 ? (x - ax.minimum) / ax.span : 0.0;
    return layout_.x0 + TruncToInt(f * layout_.width);
}

int PlotMapping::Y(double y) const {
    const auto& ay = axes_.y;
    const double d = ay.minimum - ay.maximum;
    const double f = d != 0 ? (y - ay.maximum) / d : 0.0;
    return layout_.y0 + TruncToInt(f * layout_.height);
}

double PlotMapping::DataX(double logicalX) const {
    if (layout_.width == 0) return axes_.x.minimum;
    return axes_.x.minimum + (logicalX - layout_.x0) * axes_.x.span / layout_.width;
}

double PlotMapping::DataY(double logicalY) const {
    if (layout_.height == 0) return axes_.y.maximum;
    return axes_.y.maximum + (logicalY - layout_.y0) * (axes_.y.minimum - axes_.y.maximum) / layout_.height;
}

} // namespace zeb
