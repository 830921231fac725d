// Where the frame and its plot windows go: the frame inside the room the
// screen offers, and the plot windows cascaded so that every one of them,
// however many there are, lies wholly inside the frame's window area.
#pragma once

#include <vector>

namespace zeb {

struct WindowRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const WindowRect&) const = default;
};

// The frame's size at start (its client area, without the window system's frame).
inline constexpr int kFrameWidth = 1100;
inline constexpr int kFrameHeight = 800;

// The frame's client rectangle: its start size, smaller where the available
// area (less the window system's frame of `frameLeft` .. `frameBottom` around
// the client area) has less room, centred in that area.
WindowRect FitFrame(const WindowRect& available, int frameLeft, int frameTop, int frameRight, int frameBottom);

// n windows cascaded in an area of width × height: each one `step` right and
// down of the one before, starting again at the top left when the next one
// would begin beyond half the area; all of one size, the preferred size or
// less, so that the last of a run still ends inside the area.
std::vector<WindowRect> CascadeWindows(int n, int width, int height, int step, int preferredWidth,
                                       int preferredHeight);

} // namespace zeb
