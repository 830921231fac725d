#include "plot/SelectionGeometry.h"
#include "data/CLocaleScope.h"

#include "texts/SelectionTexts.h"
#include "data/CFormat.h"
#include "data/MeasurementSet.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zeb {

namespace {

constexpr std::size_t kFileNameChars = 15;

bool IsContinuationByte(unsigned char ch) { return (ch & 0xC0) == 0x80; }

// The name and extension of a path, whichever separator it was written with.
std::string FileNameOfPath(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The first n characters of a UTF-8 text and how many characters they are.
std::string FirstCharacters(const std::string& text, std::size_t n, std::size_t& count) {
    std::size_t end = 0;
    count = 0;
    while (end < text.size() && count < n) {
        ++end;
        while (end < text.size() && IsContinuationByte(static_cast<unsigned char>(text[end]))) ++end;
        ++count;
    }
    return text.substr(0, end);
}

} // namespace

SelectionMapping SelectionMapping::From(const PlotLayout& layout, const AxesState& axes) {
    SelectionMapping m;
    m.x0 = layout.x0;
    m.y0 = layout.y0;
    m.width = layout.width;
    m.height = layout.height;
    m.xMin = axes.x.minimum;
    m.xMax = axes.x.maximum;
    m.xSpan = axes.x.span;
    m.yMin = axes.y.minimum;
    m.yMax = axes.y.maximum;
    m.ySpan = axes.y.span;
    return m;
}

double SelectionMapping::DataX(double logicalX) const {
    if (width == 0) return xMin;  // no data area: on the border, so outside
    return xMin + (logicalX - x0) * xSpan / width;
}

double SelectionMapping::DataY(double logicalY) const {
    if (height == 0) return yMax;
    return yMax + (logicalY - y0) * (yMin - yMax) / height;
}

bool SelectionMapping::Inside(double x, double y) const {
    return x > xMin && x < xMax && y > yMin && y < yMax;
}

bool IsSelectable(const MeasurementSet& set, int c, int a) {
    if (c == 0 && a == 0) return false;
    if (c > set.lastConcIndex || a > set.lastAngleIndex) return false;
    const DataPoint* p = set.cell(c, a);
    return p && p->hasData == 1;
}

GridPoint HitTest(const MeasurementSet& set, const SelectionMapping& mapping, double x, double y) {
    const double r2 = kHitRadius * kHitRadius;
    GridPoint best;
    double bestD2 = 0.0;
    for (int c = 0; c <= set.lastConcIndex; ++c)
        for (int a = 0; a <= set.lastAngleIndex; ++a) {
            if (!IsSelectable(set, c, a)) continue;
            const DataPoint& p = *set.cell(c, a);
            const double dx = (p.x() - x) / mapping.xSpan;
            const double dy = (p.y() - y) / mapping.ySpan;
            const double d2 = dx * dx + dy * dy;
            // A value that is not a number compares false and is never hit.
            if (d2 <= r2 && (best.none() || d2 < bestD2)) {
                best = {c, a};
                bestD2 = d2;
            }
        }
    return best;
}

int PlainSymbolCode(const DataPoint& p, bool extrapolated) {
    if (p.active != 1 && p.symbolState > 1) return extrapolated ? 5 * p.symbolState : p.symbolState;
    return extrapolated ? (p.active + 4) * p.symbolState : p.active * p.symbolState;
}

double RoundToSignificant(double x, int n) {
    if (x == 0.0 || !std::isfinite(x) || n < 1) return x;
    CLocaleScope scope;
    char text[64];
    std::snprintf(text, sizeof text, "%.*e", n - 1, x);
    return std::strtod(text, nullptr);
}

std::string PointDescription(const MeasurementSet& set, int c, int a) {
    if (c < 0 || c >= MeasurementSet::kConcSlots || a < 0 || a >= MeasurementSet::kAngleSlots) return {};
    const DataPoint* p = set.cell(c, a);
    const double y = p ? p->y() : 0.0;
    const double concentration = RoundToSignificant(set.concentration[static_cast<std::size_t>(c)] * 1000.0, 3);
    const double q2 = RoundToSignificant(set.q2[static_cast<std::size_t>(a)] * 1e-8, 3);
    std::size_t chars = 0;
    std::string name =
        FirstCharacters(FileNameOfPath(set.sourceName[static_cast<std::size_t>(c)]), kFileNameChars, chars);
    // "%-15s" pads by bytes: a name with characters of several bytes is padded
    // to 15 characters here, so that the columns still line up.
    if (chars < kFileNameChars && name.size() != chars) name.append(kFileNameChars - chars, ' ');
    return CFormat(tx::SelectPointFormat, c, concentration, a, q2, y, name.c_str());
}

} // namespace zeb
