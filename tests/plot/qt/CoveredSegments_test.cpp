// Where a picture is black, and which segments of a line lie on black with
// everything their stroke can touch: checked against counting the pixels.
// And the canvas's own mapping of symbols onto the picture, checked against
// QTransform bit for bit.
#include "plot/qt/ColourRuns.h"
#include "plot/qt/CoveredSegments.h"
#include "plot/qt/ImagePixels.h"
#include "plot/qt/ScaleMapping.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace zeb {
namespace {

constexpr QRgb kOpaqueBlack = 0xff000000;

// A white picture with black rectangles, and a painter on it (the pixels are
// the painter's picture's).
struct BlackShapesPicture {
    QImage image;
    QPainter painter;

    BlackShapesPicture(int w, int h, const std::vector<QRect>& black)
        : image(w, h, QImage::Format_ARGB32_Premultiplied) {
        image.fill(Qt::white);
        for (const QRect& r : black)
            for (int y = std::max(0, r.top()); y <= std::min(h - 1, r.bottom()); ++y)
                for (int x = std::max(0, r.left()); x <= std::min(w - 1, r.right()); ++x)
                    image.setPixel(x, y, kOpaqueBlack);
        painter.begin(&image);
    }
    bool black(int x, int y) const { return image.rect().contains(x, y) && image.pixel(x, y) == kOpaqueBlack; }
    bool blackAround(int y, int x0, int x1, int r) const {
        for (int yy = y - r; yy <= y + r; ++yy)
            for (int x = x0 - r; x <= x1 + r; ++x)
                if (!black(x, yy)) return false;
        return true;
    }
};

std::vector<QRect> RandomBlackRects(std::mt19937& rng, int w, int h, int n) {
    std::vector<QRect> rects;
    for (int i = 0; i < n; ++i) {
        const int x = std::uniform_int_distribution<int>(-5, w)(rng);
        const int y = std::uniform_int_distribution<int>(-5, h)(rng);
        rects.emplace_back(x, y, std::uniform_int_distribution<int>(1, w * 2 / 3)(rng),
                           std::uniform_int_distribution<int>(1, h * 2 / 3)(rng));
    }
    return rects;
}

TEST(ColourRuns, AnswersAsCountingThePixels) {
    std::mt19937 rng(7);
    int yes = 0;
    for (int picture = 0; picture < 6; ++picture) {
        const int w = 37 + 11 * picture, h = 29 + 5 * picture;
        BlackShapesPicture shapes(w, h, RandomBlackRects(rng, w, h, 4 + picture));
        const ImagePixels pixels = ImagePixels::Of(shapes.painter);
        ASSERT_FALSE(pixels.isNull());
        ColourRuns runs(pixels, kOpaqueBlack);
        for (int q = 0; q < 4000; ++q) {
            const int y = std::uniform_int_distribution<int>(-3, h + 2)(rng);
            const int x0 = std::uniform_int_distribution<int>(-3, w + 2)(rng);
            const int x1 = x0 + std::uniform_int_distribution<int>(0, w / 3)(rng);
            const int r = std::uniform_int_distribution<int>(0, 4)(rng);  // radii change from question to question
            const bool expected = shapes.blackAround(y, x0, x1, r);
            ASSERT_EQ(runs.holdsAround(y, x0, x1, r), expected)
                << "y " << y << ", x " << x0 << ".." << x1 << ", r " << r;
            ASSERT_EQ(runs.holds(y, x0, x1), shapes.blackAround(y, x0, x1, 0))
                << "y " << y << ", x " << x0 << ".." << x1;
            yes += expected;
        }
    }
    EXPECT_GT(yes, 500) << "the questions hardly ever hit black";
}

TEST(ColourRuns, ForgetsWhenThePictureChanged) {
    BlackShapesPicture shapes(40, 30, {QRect(QPoint(5, 5), QPoint(34, 24))});
    const ImagePixels pixels = ImagePixels::Of(shapes.painter);
    ColourRuns runs(pixels, kOpaqueBlack);
    EXPECT_TRUE(runs.holds(15, 5, 34));
    EXPECT_TRUE(runs.holdsAround(15, 10, 20, 3));
    pixels.fill(QRect(15, 14, 1, 1), qRgb(0, 0, 255), pixels.rect());
    runs.forget();
    EXPECT_FALSE(runs.holds(14, 5, 34));
    EXPECT_TRUE(runs.holds(14, 16, 34));
    EXPECT_FALSE(runs.holdsAround(15, 10, 20, 3));
    EXPECT_TRUE(runs.holdsAround(20, 10, 20, 3));
}

// Everything within reach of the segment in x and in y, pixel by pixel.
bool ReachIsBlack(const BlackShapesPicture& shapes, QPointF a, QPointF b, double reach) {
    const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
    const int steps = static_cast<int>(length * 8) + 1;
    for (int i = 0; i <= steps; ++i) {
        const QPointF p = a + (b - a) * (static_cast<double>(i) / steps);
        for (double dy = -reach; dy <= reach + 1e-9; dy += reach / 8)
            for (double dx = -reach; dx <= reach + 1e-9; dx += reach / 8)
                if (!shapes.black(static_cast<int>(std::floor(p.x() + dx)), static_cast<int>(std::floor(p.y() + dy))))
                    return false;
    }
    return true;
}

TEST(CoveredSegments, ASegmentIsCoveredOnlyWhenAllItsReachIsBlack) {
    std::mt19937 rng(11);
    int covered = 0, tested = 0;
    for (int picture = 0; picture < 8; ++picture) {
        const int w = 120, h = 90;
        BlackShapesPicture shapes(w, h, RandomBlackRects(rng, w, h, 5));
        const ImagePixels pixels = ImagePixels::Of(shapes.painter);
        ColourRuns runs(pixels, kOpaqueBlack);
        std::uniform_real_distribution<double> x(-5, w + 5), y(-5, h + 5), d(-25, 25);
        for (int s = 0; s < 500; ++s) {
            const QPointF a(x(rng), y(rng));
            const QPointF b = s % 7 == 0 ? QPointF(a.x() + d(rng), a.y()) : s % 7 == 1 ? QPointF(a.x(), a.y() + d(rng))
                                       : s % 7 == 2 ? a : a + QPointF(d(rng), d(rng));
            const double reach = 1.0 + (s % 4) * 1.3;
            const bool c = SegmentCovered(runs, a, b, reach);
            if (c) {
                ASSERT_TRUE(ReachIsBlack(shapes, a, b, reach))
                    << "segment " << a.x() << "," << a.y() << " - " << b.x() << "," << b.y() << " reach " << reach;
                ++covered;
            }
            ++tested;
        }
    }
    EXPECT_GT(covered, tested / 20) << "almost nothing counted as covered";
}

TEST(CoveredSegments, OnePixelOfAnotherColourNearTheLineKeepsIt) {
    BlackShapesPicture shapes(100, 80, {QRect(0, 0, 100, 80)});
    const ImagePixels pixels = ImagePixels::Of(shapes.painter);
    ColourRuns runs(pixels, kOpaqueBlack);
    const QPointF a(20.3, 30.6), b(70.2, 45.1);
    EXPECT_TRUE(SegmentCovered(runs, a, b, 3.2));
    // One grey pixel a little below the middle of the segment.
    pixels.fill(QRect(45, 39, 1, 1), qRgb(128, 128, 128), pixels.rect());
    runs.forget();
    EXPECT_FALSE(SegmentCovered(runs, a, b, 3.2));
    EXPECT_TRUE(SegmentCovered(runs, QPointF(20.3, 60.6), QPointF(70.2, 75.1), 3.2));
    // Lines at or beyond the picture's edges are never covered.
    EXPECT_FALSE(SegmentCovered(runs, QPointF(1.5, 40), QPointF(30, 40), 3.2));
    EXPECT_FALSE(SegmentCovered(runs, QPointF(50, 40), QPointF(150, 40), 3.2));
    EXPECT_FALSE(SegmentCovered(runs, QPointF(qInf(), 40), QPointF(30, 40), 3.2));
}

TEST(CoveredSegments, ALineIsCutIntoThePiecesOffTheBlack) {
    // Black in the middle third of the picture.
    BlackShapesPicture shapes(300, 100, {QRect(100, 0, 100, 100)});
    const ImagePixels pixels = ImagePixels::Of(shapes.painter);
    ColourRuns runs(pixels, kOpaqueBlack);
    const QTransform identity;
    QPolygon line;
    for (int x = 10; x <= 290; x += 20) line << QPoint(x, 50);  // points at 10, 30, ..., 290
    const auto pieces = VisiblePieces(runs, identity, line, 3.0);
    ASSERT_EQ(pieces.size(), 2u);
    // Segments from 110 to 190 lie on black with their reach: points 5 to 9.
    EXPECT_EQ(pieces[0].first, 0);
    EXPECT_EQ(pieces[0].last, 5);
    EXPECT_EQ(pieces[1].first, 9);
    EXPECT_EQ(pieces[1].last, static_cast<int>(line.size()) - 1);

    // All on black: nothing to draw.
    QPolygon inside;
    inside << QPoint(110, 20) << QPoint(150, 80) << QPoint(190, 20);
    EXPECT_TRUE(VisiblePieces(runs, identity, inside, 3.0).empty());

    // A line closing on its first point is stroked as a closed figure: whole.
    QPolygon closed = line;
    closed << QPoint(150, 90) << line.first();
    const auto whole = VisiblePieces(runs, identity, closed, 3.0);
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_EQ(whole[0].last, static_cast<int>(closed.size()) - 1);

    // So is a line one of whose pieces would close on itself: the piece from
    // the second point out into the white and back to it.
    QPolygon loop;
    loop << QPoint(120, 50) << QPoint(180, 50) << QPoint(250, 50) << QPoint(250, 80) << QPoint(180, 50)
         << QPoint(130, 50);
    const auto looped = VisiblePieces(runs, identity, loop, 3.0);
    ASSERT_EQ(looped.size(), 1u);
    EXPECT_EQ(looped[0].first, 0);
    EXPECT_EQ(looped[0].last, 5);
}

TEST(ScaleMapping, MapsAsQTransformDoes) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> coordinate(-20000, 20000), size(-3000, 3000);
    std::vector<QTransform> transforms = {
        QTransform(),                                             // none
        QTransform::fromTranslate(0.5, -13.25),                   // a shift
        QTransform::fromScale(1318.0 / 16383, 1318.0 / 16383),    // the window's chart
        QTransform::fromScale(2636.0 / 16383, 2636.0 / 16383) * QTransform::fromTranslate(-301.5, 17),
        QTransform::fromScale(-1.5, 0.75),                        // mirrored
        QTransform().rotate(30).scale(0.3, 0.3),                  // turned: QTransform's own way
    };
    for (int i = 0; i < 20; ++i) {
        const double s = std::uniform_real_distribution<double>(0.01, 3)(rng);
        transforms.push_back(QTransform::fromScale(s, s * (i % 3 == 0 ? 1.0 : 1.5)) *
                             QTransform::fromTranslate(coordinate(rng) / 7, coordinate(rng) / 11));
    }
    for (const QTransform& t : transforms) {
        const ScaleMapping mapping(t);
        for (int i = 0; i < 500; ++i) {
            const QPointF p(coordinate(rng), coordinate(rng));
            const QRectF r(coordinate(rng), coordinate(rng), size(rng), size(rng));
            const QPointF mp = mapping.map(p), tp = t.map(p);
            ASSERT_EQ(mp.x(), tp.x());
            ASSERT_EQ(mp.y(), tp.y());
            const QRectF mr = mapping.mapRect(r), tr = t.mapRect(r);
            ASSERT_EQ(mr.x(), tr.x());
            ASSERT_EQ(mr.y(), tr.y());
            ASSERT_EQ(mr.width(), tr.width());
            ASSERT_EQ(mr.height(), tr.height());
        }
    }
}

} // namespace
} // namespace zeb
