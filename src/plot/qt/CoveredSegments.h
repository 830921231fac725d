// The parts of a black polyline that would change pixels of the picture.
//
// On the largest charts most of every fitted curve runs over the solid black
// of the symbols, and stroking it there changes nothing: black blended over
// black at any coverage stays black. A segment whose whole reach (everything
// the stroke, its joins, caps and antialiased edge can touch) lies on black
// pixels is left out, and the rest of the line is drawn as pieces.
//
// The pieces give the same picture as the whole line: the outline of each
// piece is the outline of the whole line except inside the reach of left-out
// segments (joins become caps there). Those differences are closed figures
// inside black areas that are convex row by row, so for every pixel outside
// them the rasteriser's accumulated coverage is the same (a closed figure
// entirely to the left of a pixel adds nothing), and the pixels inside them
// stay black either way. Pieces that could touch a common pixel (a line
// coming back near itself) would blend their edges there twice: they are
// joined again. A line or piece that closes on its first point (which the
// stroker would join instead of capping) is drawn whole.
#pragma once

#include <QPolygon>
#include <QTransform>

#include <vector>

namespace zeb {

class ColourRuns;

struct PolylinePiece {
    int first = 0;  // index of the first point
    int last = 0;   // index of the last point (inclusive)
};

// The pieces of `points` (mapped to device pixels by toDevice) to stroke with
// a pen of the colour of `picture` (opaque) whose stroke reaches at most
// `reachPx` device pixels from the line (half its width with square caps,
// plus the antialiased edge): the whole line when nothing can be left out,
// no piece when all of it lies on pixels of that colour.
std::vector<PolylinePiece> VisiblePieces(ColourRuns& picture, const QTransform& toDevice, const QPolygon& points,
                                         double reachPx);

// True when every pixel the reach of the segment a-b (device pixels) can
// touch holds the colour of `picture`.
bool SegmentCovered(ColourRuns& picture, QPointF a, QPointF b, double reachPx);

} // namespace zeb
