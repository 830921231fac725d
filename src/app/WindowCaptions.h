// The captions of the frame's plot windows. Each window names itself by its
// first file without the extension; where two windows would show the same
// caption (ps-toluene.sta and ps-toluene.plx), they show the file name with
// its extension, and where that still repeats, as much of the folder as tells
// them apart ("ps-toluene.sta (run2)"). The same file in two windows: the
// later ones are numbered ("ps-toluene:2").
#pragma once

#include <string>
#include <vector>

namespace zeb {

struct WindowCaption {
    std::string caption;  // the window's own caption
    std::string file;     // the file it names; empty while there is none
};

// One caption for each window, in the given order (the order the windows were made).
std::vector<std::string> DistinctCaptions(const std::vector<WindowCaption>& windows);

} // namespace zeb
