#include "plot/ChartPrimitives.h"

#include <algorithm>
#include <cmath>

namespace zeb {

namespace {

struct Look {
    bool circle;
    Rgb fill;
    int crossWidth;
    Rgb crossColor;
};

// The look of a symbol code; false for codes that draw only the centre pixel.
bool LookOf(int code, Look& look) {
    switch (code) {
    case 0: look = {false, kWhite, 1, kBlack}; return true;
    case 1: look = {false, kBlack, 40, kBlack}; return true;
    case 2: look = {false, kRed, 40, kRed}; return true;
    case 4: look = {true, kWhite, 1, kBlack}; return true;
    case 5: look = {true, kBlue, 40, kBlack}; return true;
    case 6: look = {true, kRed, 40, kRed}; return true;
    case 100: look = {false, kFuchsia, 40, kFuchsia}; return true;
    case 500: look = {true, kFuchsia, 40, kFuchsia}; return true;
    case 1000: look = {false, kGrey, 40, kGrey}; return true;
    case 5000: look = {true, kGrey, 40, kGrey}; return true;
    default: return false;
    }
}

bool Inside(const ClipRect& c, int x, int y) { return x >= c.left && x <= c.right && y >= c.top && y <= c.bottom; }

} // namespace

int SymbolHalfSize(int size) {
    // Sizes other than 1..3 (from a hand-edited settings file) draw as the nearest one.
    size = std::clamp(size, 1, 3);
    return static_cast<int>((0.2 * (size - 2) + 0.8) * 109);
}

bool DrawSymbol(Canvas& canvas, const SymbolStyle& st, const ClipRect& clip, int code, int x, int y,
                bool withErrorBar, int yTop, int yBottom) {
    const int m = st.halfSize;
    if (!Inside(clip, x - m, y - m) || !Inside(clip, x + m, y + m)) return false;
    Look look{};
    if (!LookOf(code, look)) {
        canvas.setPixel(x, y, kBlack);
        return true;
    }
    if (st.cross) {
        canvas.setPen(look.crossWidth, look.crossColor);
        if (withErrorBar) {
            canvas.moveTo(x, yTop);
            canvas.lineTo(x, yBottom);
        }
        if (look.circle) {  // upright cross for extrapolated points
            canvas.moveTo(x, y - m);
            canvas.lineTo(x, y + m);
            canvas.moveTo(x - m, y);
            canvas.lineTo(x + m, y);
        } else {
            canvas.moveTo(x - m, y - m);
            canvas.lineTo(x + m, y + m);
            canvas.moveTo(x + m, y - m);
            canvas.lineTo(x - m, y + m);
        }
        canvas.setPen(st.squarePenWidth, st.squarePenColor);
        return true;
    }
    if (withErrorBar) {
        canvas.moveTo(x, yTop);
        canvas.lineTo(x, yBottom);
    }
    canvas.setBrush(look.fill);
    if (look.circle)
        canvas.ellipse(x - m, y - m, x + m, y + m);
    else {
        // One list of corners for every square of a chart.
        thread_local std::vector<CanvasPoint> square(4);
        square.assign({{x - m, y - m}, {x + m, y - m}, {x + m, y + m}, {x - m, y + m}});
        canvas.polygon(square);
    }
    canvas.setPixel(x, y, kBlack);
    canvas.setBrush(kBlack);
    return true;
}

void ClippedPath::moveTo(int x, int y) {
    cx_ = x;
    cy_ = y;
    penAtCurrent_ = false;
}

void ClippedPath::lineTo(int x, int y) {
    // Liang-Barsky: the part of the segment inside the rectangle.
    const double x0 = cx_, y0 = cy_, dx = x - x0, dy = y - y0;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - clip_.left, clip_.right - x0, y0 - clip_.top, clip_.bottom - y0};
    bool visible = true;
    for (int i = 0; i < 4 && visible; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) visible = false;
        } else {
            const double t = q[i] / p[i];
            if (p[i] < 0) {
                if (t > t1) visible = false;
                else if (t > t0) t0 = t;
            } else {
                if (t < t0) visible = false;
                else if (t < t1) t1 = t;
            }
        }
    }
    if (visible) {
        const int ax = static_cast<int>(std::lround(x0 + t0 * dx)), ay = static_cast<int>(std::lround(y0 + t0 * dy));
        const int bx = static_cast<int>(std::lround(x0 + t1 * dx)), by = static_cast<int>(std::lround(y0 + t1 * dy));
        if (!(penAtCurrent_ && t0 == 0)) canvas_.moveTo(ax, ay);
        canvas_.lineTo(bx, by);
        penAtCurrent_ = t1 == 1;
    } else {
        penAtCurrent_ = false;
    }
    cx_ = x;
    cy_ = y;
}

} // namespace zeb
