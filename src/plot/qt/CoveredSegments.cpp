#include "plot/qt/CoveredSegments.h"

#include "plot/qt/ColourRuns.h"

#include <algorithm>
#include <cmath>

namespace zeb {

bool SegmentCovered(ColourRuns& picture, QPointF a, QPointF b, double reachPx) {
    constexpr double kFar = 1e8;  // beyond any picture
    if (!(std::abs(a.x()) < kFar && std::abs(a.y()) < kFar && std::abs(b.x()) < kFar && std::abs(b.y()) < kFar &&
          reachPx >= 0 && reachPx < kFar))
        return false;
    // Every point of the segment lies in a pixel of the rows it crosses, at
    // most r pixels from everything within reachPx of it in x and in y (a
    // square around it, which holds the round and the square reach); r has
    // room for the rounding of the points computed below.
    const int r = static_cast<int>(std::ceil(reachPx + 1e-6));
    const QPointF& low = a.y() <= b.y() ? a : b;
    const QPointF& high = a.y() <= b.y() ? b : a;
    const double xMin = std::min(a.x(), b.x()), xMax = std::max(a.x(), b.x());
    const double height = high.y() - low.y();
    const double xPerY = height > 0 ? (high.x() - low.x()) / height : 0.0;
    const int firstRow = static_cast<int>(std::floor(low.y())), lastRow = static_cast<int>(std::floor(high.y()));
    // Most covered segments lie well inside the black: all their rows hold
    // the pixels of the whole width of the segment.
    const int boxLeft = static_cast<int>(std::floor(xMin)), boxRight = static_cast<int>(std::floor(xMax));
    int y = firstRow;
    while (y <= lastRow && picture.holdsAround(y, boxLeft, boxRight, r)) ++y;
    if (y > lastRow) return true;
    // Otherwise row by row, the part of the segment in each (rows passed so
    // far hold even the whole width).
    for (; y <= lastRow; ++y) {
        double xFrom = xMin, xTo = xMax;
        if (height > 0) {
            // The part of the segment within the row [y, y + 1].
            const double from = std::max<double>(y, low.y()), to = std::min<double>(y + 1, high.y());
            xFrom = std::clamp(low.x() + (from - low.y()) * xPerY, xMin, xMax);
            xTo = std::clamp(low.x() + (to - low.y()) * xPerY, xMin, xMax);
            if (xFrom > xTo) std::swap(xFrom, xTo);
        }
        if (!picture.holdsAround(y, static_cast<int>(std::floor(xFrom)), static_cast<int>(std::floor(xTo)), r))
            return false;
    }
    return true;
}

namespace {

// The device pixels a piece of the line can touch: its points' bounds
// widened by its reach.
QRectF CoveredPieceReach(const std::vector<QPointF>& device, const PolylinePiece& piece, double reachPx) {
    double left = device[static_cast<std::size_t>(piece.first)].x(), right = left;
    double top = device[static_cast<std::size_t>(piece.first)].y(), bottom = top;
    for (int i = piece.first + 1; i <= piece.last; ++i) {
        const QPointF& p = device[static_cast<std::size_t>(i)];
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    // Whole pixels, and one more for the rounding of the outline.
    return QRectF(QPointF(std::floor(left - reachPx) - 1, std::floor(top - reachPx) - 1),
                  QPointF(std::floor(right + reachPx) + 2, std::floor(bottom + reachPx) + 2));
}

} // namespace

std::vector<PolylinePiece> VisiblePieces(ColourRuns& picture, const QTransform& toDevice, const QPolygon& points,
                                         double reachPx) {
    const int n = static_cast<int>(points.size());
    const std::vector<PolylinePiece> whole{{0, n - 1}};
    if (n < 2 || picture.width() <= 0 || points.first() == points.last()) return whole;
    std::vector<QPointF> device(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) device[static_cast<std::size_t>(i)] = toDevice.map(QPointF(points[i]));
    std::vector<bool> covered(static_cast<std::size_t>(n - 1));
    bool any = false;
    for (int i = 0; i + 1 < n; ++i) {
        const bool c = SegmentCovered(picture, device[static_cast<std::size_t>(i)],
                                      device[static_cast<std::size_t>(i + 1)], reachPx);
        covered[static_cast<std::size_t>(i)] = c;
        any = any || c;
    }
    if (!any) return whole;
    std::vector<PolylinePiece> pieces;
    for (int i = 0; i + 1 < n;) {
        if (covered[static_cast<std::size_t>(i)]) {
            ++i;
            continue;
        }
        const int first = i;
        while (i + 1 < n && !covered[static_cast<std::size_t>(i)]) ++i;
        pieces.push_back({first, i});
    }
    // Pieces that could touch the same pixel would each blend their
    // antialiased edge there, where the whole line blends once: such pieces
    // are joined again, with what lies between them.
    std::vector<QRectF> reach;
    for (const PolylinePiece& piece : pieces) reach.push_back(CoveredPieceReach(device, piece, reachPx));
    for (bool joined = true; joined;) {
        joined = false;
        for (std::size_t i = 0; i < pieces.size() && !joined; ++i)
            for (std::size_t j = i + 1; j < pieces.size() && !joined; ++j)
                if (reach[i].intersects(reach[j])) {
                    pieces[i].last = pieces[j].last;
                    pieces.erase(pieces.begin() + static_cast<std::ptrdiff_t>(i + 1),
                                 pieces.begin() + static_cast<std::ptrdiff_t>(j + 1));
                    reach.erase(reach.begin() + static_cast<std::ptrdiff_t>(i + 1),
                                reach.begin() + static_cast<std::ptrdiff_t>(j + 1));
                    reach[i] = CoveredPieceReach(device, pieces[i], reachPx);
                    joined = true;
                }
    }
    // A piece ending on its first point would be stroked as a closed figure.
    for (const PolylinePiece& piece : pieces)
        if (points[piece.first] == points[piece.last]) return whole;
    return pieces;
}

} // namespace zeb
