#include "app/WindowArrangement.h"

#include <algorithm>

namespace zeb {

WindowRect FitFrame(const WindowRect& available, int frameLeft, int frameTop, int frameRight, int frameBottom) {
    const int roomWidth = std::max(1, available.width - frameLeft - frameRight);
    const int roomHeight = std::max(1, available.height - frameTop - frameBottom);
    WindowRect r;
    r.width = std::min(kFrameWidth, roomWidth);
    r.height = std::min(kFrameHeight, roomHeight);
    r.x = available.x + frameLeft + (roomWidth - r.width) / 2;
    r.y = available.y + frameTop + (roomHeight - r.height) / 2;
    return r;
}

std::vector<WindowRect> CascadeWindows(int n, int width, int height, int step, int preferredWidth,
                                       int preferredHeight) {
    std::vector<WindowRect> out;
    if (n <= 0) return out;
    step = std::max(1, step);
    width = std::max(1, width);
    height = std::max(1, height);
    // Positions 0 .. run-1 down the diagonal, none starting beyond half the area.
    const int room = std::min(width, height) / 2;
    const int run = std::max(1, std::min(n, room / step + 1));
    const int offset = (run - 1) * step;
    const int w = std::max(1, std::min(preferredWidth, width - offset));
    const int h = std::max(1, std::min(preferredHeight, height - offset));
    for (int i = 0; i < n; ++i) {
        const int k = i % run;
        out.push_back({k * step, k * step, w, h});
    }
    return out;
}

} // namespace zeb
