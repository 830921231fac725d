// The Qt canvas writes the fills of whole device pixels straight into a
// picture in memory and leaves out the parts of black lines that lie on
// black. Every picture it makes that way must be the picture the painter
// alone makes, pixel for pixel: charts at device pixel ratios 1, 1.5 and 2 and
// odd sizes, symbols cut by the clip rectangle and by the picture's edges,
// lines of every kind over black shapes. On other devices (or with painter
// settings the shortcut cannot copy) everything goes through the painter.
#include "plot/ChartDrawing.h"
#include "plot/ChartFixture.h"
#include "plot/PlotLayout.h"
#include "plot/qt/QtCanvas.h"
#include "plot/qt/QtTestApp.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

namespace zeb {
namespace {

// The first pixel where two pictures differ, as text; empty when they agree.
std::string FirstPixelDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.format() != b.format()) return "sizes or formats differ";
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + "): " +
                       std::to_string(a.pixel(x, y)) + " against " + std::to_string(b.pixel(x, y));
    return {};
}

struct DrawnPicture {
    QImage image;
    QtCanvas::Shortcuts shortcuts;
};

// A picture of `size` target pixels at `ratio`, drawn by `draw` on a canvas
// over the logical space w x h placed at origin; through the painter only
// when `painterOnly`.
template <class Draw>
DrawnPicture DrawShortcutPicture(QSize size, double ratio, bool painterOnly, Draw draw, QPointF origin = {},
                                 QImage::Format format = QImage::Format_ARGB32_Premultiplied) {
    DrawnPicture d;
    d.image = QImage((QSizeF(size) * ratio).toSize(), format);
    d.image.setDevicePixelRatio(ratio);
    d.image.fill(Qt::white);
    QPainter painter(&d.image);
    {
        QtCanvas canvas(painter, origin, QSizeF(size), kLogicalWidth, kLogicalHeight);
        if (painterOnly) canvas.drawThroughPainterOnly();
        draw(canvas, painter);
        d.shortcuts = canvas.shortcuts();
    }
    painter.end();
    return d;
}

// The largest kind of chart in small: a dense grid whose symbols merge into
// black, with error bars and curves of order 1 over it.
test::ChartFixture& DenseShortcutChart() {
    static test::ChartFixture* f = [] {
        auto* c = new test::ChartFixture(45, 70, 4e11);
        c->settings.showErrorBars = 1;
        c->settings.fitDisplay = 1;
        c->in.qOrder = 1;
        c->in.cOrder = 1;
        c->rescale();
        return c;
    }();
    return *f;
}

TEST(QtCanvasShortcuts, ChartsAreTheSameAsThroughThePainter) {
    test::EnsureGuiApplication();
    test::ChartFixture& f = DenseShortcutChart();
    long leftOut = 0;
    for (const double ratio : {1.0, 1.5, 2.0})
        for (const QSize size : {QSize(733, 517), QSize(1001, 853), QSize(1456, 1239), QSize(317, 271)}) {
            auto chart = [&f](QtCanvas& canvas, QPainter&) { DrawChart(canvas, f.in, {ChartTarget::Screen}); };
            const DrawnPicture quick = DrawShortcutPicture(size, ratio, false, chart);
            const DrawnPicture plain = DrawShortcutPicture(size, ratio, true, chart);
            EXPECT_EQ(FirstPixelDifference(quick.image, plain.image), "") << "ratio " << ratio << ", " << size.width()
                                                                     << " x " << size.height();
            EXPECT_GT(quick.shortcuts.directFills, 1000);
            EXPECT_EQ(plain.shortcuts.directFills, 0);
            EXPECT_EQ(plain.shortcuts.segmentsLeftOut, 0);
            leftOut += quick.shortcuts.segmentsLeftOut;
        }
    EXPECT_GT(leftOut, 100) << "the curves over the black grid were not cut";
}

TEST(QtCanvasShortcuts, PiecesOfAPictureMatchThePainterToo) {
    // A part of the picture drawn on its own, its origin between pixels (as
    // the window redraws the parts where points changed).
    test::EnsureGuiApplication();
    test::ChartFixture& f = DenseShortcutChart();
    auto chart = [&f](QtCanvas& canvas, QPainter&) { DrawChart(canvas, f.in, {ChartTarget::Screen}); };
    for (const double ratio : {1.0, 1.5, 2.0})
        for (const QPointF origin : {QPointF(-101.0 / 3, -57.5), QPointF(-400.25, -301.75), QPointF(0.5, 0.5)}) {
            const DrawnPicture quick = DrawShortcutPicture(QSize(331, 223), ratio, false, chart, origin);
            const DrawnPicture plain = DrawShortcutPicture(QSize(331, 223), ratio, true, chart, origin);
            EXPECT_EQ(FirstPixelDifference(quick.image, plain.image), "") << "ratio " << ratio << ", origin "
                                                                     << origin.x() << ", " << origin.y();
        }
}

// Squares, error bars, ticks and single pixels placed across the edges of a
// clip rectangle and of the picture.
void DrawSymbolsAcrossEdges(QtCanvas& canvas, const QRect& clip, bool clipped) {
    canvas.setPen(23, kBlack);
    if (clipped) canvas.setClipRect(clip.left(), clip.top(), clip.right(), clip.bottom());
    const int m = 87;
    const std::vector<int> xs = {-60, 0, 40, clip.left() - 90, clip.left() - 13, clip.left(), clip.left() + 71,
                                 clip.right() - 50, clip.right(), clip.right() + 33, 16383 - 40, 16383 + 20};
    const std::vector<int> ys = {-60, 10, clip.top() - 87, clip.top() + 5, clip.bottom() - 20, clip.bottom() + 60,
                                 13941 - 30, 13941 + 50};
    int n = 0;
    for (const int x : xs)
        for (const int y : ys) {
            ++n;
            canvas.setBrush(n % 3 == 0 ? kBlack : n % 3 == 1 ? kFuchsia : kWhite);
            canvas.moveTo(x, y - 400);  // an error bar
            canvas.lineTo(x, y + 400);
            canvas.polygon({{x - m, y - m}, {x + m, y - m}, {x + m, y + m}, {x - m, y + m}});
            canvas.setPixel(x, y, n % 2 ? kBlack : kRed);
            canvas.moveTo(x - 300, y + 150);  // a tick
            canvas.lineTo(x + 180, y + 150);
        }
    if (clipped) canvas.resetClip();
    canvas.setPen(40, kGrey);
    canvas.polygon({{clip.left() - 500, clip.top() - 500}, {clip.left() + 700, clip.top() - 500},
                    {clip.left() + 700, clip.top() + 300}, {clip.left() - 500, clip.top() + 300}});
}

TEST(QtCanvasShortcuts, FillsAreCutWhereThePainterCutsThem) {
    test::EnsureGuiApplication();
    const std::vector<QRect> clips = {QRect(QPoint(1200, 900), QPoint(15100, 12001)),
                                      QRect(QPoint(333, 251), QPoint(7777, 6661)),
                                      QRect(QPoint(-200, -200), QPoint(16583, 14141)),
                                      QRect(QPoint(5000, 5000), QPoint(5001, 5001))};
    for (const double ratio : {1.0, 1.5, 2.0})
        for (const QSize size : {QSize(728, 515), QSize(1001, 853), QSize(417, 389)})
            for (const QRect& clip : clips)
                for (const bool clipped : {true, false}) {
                    auto draw = [&](QtCanvas& canvas, QPainter&) { DrawSymbolsAcrossEdges(canvas, clip, clipped); };
                    const DrawnPicture quick = DrawShortcutPicture(size, ratio, false, draw);
                    const DrawnPicture plain = DrawShortcutPicture(size, ratio, true, draw);
                    EXPECT_EQ(FirstPixelDifference(quick.image, plain.image), "")
                        << "ratio " << ratio << ", " << size.width() << " x " << size.height() << ", clip "
                        << clip.left() << ", " << clip.top() << (clipped ? "" : " (unused)");
                    EXPECT_GT(quick.shortcuts.directFills, 100);
                }
}

TEST(QtCanvasShortcuts, AnUnfitPainterKeepsEverythingOnThePainter) {
    test::EnsureGuiApplication();
    test::ChartFixture& f = DenseShortcutChart();
    auto chart = [&f](QtCanvas& canvas, QPainter&) { DrawChart(canvas, f.in, {ChartTarget::Screen}); };
    const QSize size(733, 517);
    // A picture without premultiplied alpha, a painter at half opacity, one
    // that multiplies, one that clips already: the canvas must not write
    // pixels itself, and the picture is the painter's.
    struct Case {
        const char* name;
        QImage::Format format;
        std::function<void(QPainter&)> set;
    };
    const std::vector<Case> cases = {
        {"ARGB32", QImage::Format_ARGB32, [](QPainter&) {}},
        {"RGB888", QImage::Format_RGB888, [](QPainter&) {}},
        {"opacity", QImage::Format_ARGB32_Premultiplied, [](QPainter& p) { p.setOpacity(0.5); }},
        {"multiply", QImage::Format_ARGB32_Premultiplied,
         [](QPainter& p) { p.setCompositionMode(QPainter::CompositionMode_Multiply); }},
        {"clipped", QImage::Format_ARGB32_Premultiplied, [](QPainter& p) { p.setClipRect(50, 40, 400, 300); }},
    };
    for (const Case& c : cases) {
        // The painter's settings are made before the canvas takes it.
        auto picture = [&](bool painterOnly) {
            DrawnPicture d;
            d.image = QImage(size, c.format);
            d.image.fill(Qt::white);
            QPainter painter(&d.image);
            c.set(painter);
            {
                QtCanvas canvas(painter, QRect(QPoint(0, 0), size), kLogicalWidth, kLogicalHeight);
                if (painterOnly) canvas.drawThroughPainterOnly();
                chart(canvas, painter);
                d.shortcuts = canvas.shortcuts();
            }
            return d;
        };
        const DrawnPicture quick = picture(false), plain = picture(true);
        EXPECT_EQ(quick.shortcuts.directFills, 0) << c.name;
        EXPECT_EQ(quick.shortcuts.segmentsLeftOut, 0) << c.name;
        EXPECT_EQ(FirstPixelDifference(quick.image, plain.image), "") << c.name;
    }
    // The format the batch tool writes its PNG files from takes the shortcut.
    const DrawnPicture rgb = DrawShortcutPicture(size, 1.0, false, chart, {}, QImage::Format_RGB32);
    const DrawnPicture rgbPlain = DrawShortcutPicture(size, 1.0, true, chart, {}, QImage::Format_RGB32);
    EXPECT_GT(rgb.shortcuts.directFills, 0);
    EXPECT_EQ(FirstPixelDifference(rgb.image, rgbPlain.image), "");
}

// Black shapes, then black lines of every width the canvas strokes over and
// around them: random walks, lines that return onto themselves or close on
// their first point, repeated points, lines leaving the picture, a clip.
void DrawLinesOverBlack(QtCanvas& canvas, unsigned seed) {
    std::mt19937 rng(seed);
    auto uniform = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    canvas.setPen(23, kBlack);
    canvas.setBrush(kBlack);
    for (int i = 0; i < 25; ++i) {
        const int x = uniform(-1000, 16000), y = uniform(-1000, 13500), w = uniform(300, 5000), h = uniform(300, 4000);
        canvas.polygon({{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}});
    }
    canvas.setPen(90, kBlack);
    for (int i = 0; i < 6; ++i) {  // black made by strokes: antialiased edges
        canvas.moveTo(uniform(0, 16000), uniform(0, 13000));
        canvas.lineTo(uniform(0, 16000), uniform(0, 13000));
        canvas.lineTo(uniform(0, 16000), uniform(0, 13000));
    }
    canvas.setBrush(kWhite);
    for (int i = 0; i < 8; ++i) {  // holes in the black
        const int x = uniform(0, 16000), y = uniform(0, 13500), w = uniform(50, 900), h = uniform(50, 900);
        canvas.polygon({{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}});
    }
    if (seed % 3 == 0)
        canvas.setClipRect(uniform(0, 3000), uniform(0, 3000), uniform(9000, 16383), uniform(8000, 13941));
    for (const int width : {10, 23, 30, 40, 60, 120, 400}) {
        canvas.setPen(width, kBlack);
        for (int line = 0; line < 12; ++line) {
            int x = uniform(-500, 16500), y = uniform(-500, 14000);
            const int sx = x, sy = y;
            canvas.moveTo(x, y);
            const int steps = uniform(2, 40);
            for (int s = 0; s < steps; ++s) {
                if (uniform(0, 9) == 0) {
                    canvas.lineTo(x, y);  // a repeated point
                    continue;
                }
                const int step = uniform(20, 1200);
                x += uniform(-step, step);
                y += uniform(-step, step);
                canvas.lineTo(x, y);
            }
            if (line % 4 == 0) canvas.lineTo(sx, sy);  // back to its first point
            if (line % 4 == 1) {                       // back over itself
                canvas.lineTo(x - 700, y);
                canvas.lineTo(x, y);
            }
        }
    }
}

TEST(QtCanvasShortcuts, BlackLinesOverBlackAreTheSameCut) {
    test::EnsureGuiApplication();
    long leftOut = 0;
    unsigned seed = 1;
    for (const double ratio : {1.0, 1.5, 2.0})
        for (const QSize size : {QSize(733, 517), QSize(1318, 994), QSize(401, 333)})
            for (int round = 0; round < 3; ++round, ++seed) {
                auto draw = [seed](QtCanvas& canvas, QPainter&) { DrawLinesOverBlack(canvas, seed); };
                const DrawnPicture quick = DrawShortcutPicture(size, ratio, false, draw);
                const DrawnPicture plain = DrawShortcutPicture(size, ratio, true, draw);
                EXPECT_EQ(FirstPixelDifference(quick.image, plain.image), "")
                    << "seed " << seed << ", ratio " << ratio << ", " << size.width() << " x " << size.height();
                leftOut += quick.shortcuts.segmentsLeftOut;
            }
    EXPECT_GT(leftOut, 500) << "hardly any line was cut: the comparison proves little";
}

TEST(QtCanvasShortcuts, OnlyLinesOnTheirOwnColourAreCut) {
    test::EnsureGuiApplication();
    // A red line over red is drawn in full; a black line over black is cut,
    // and after a blue line has come over the black, a black line across it
    // is drawn where it crosses the blue.
    auto zigzag = [](QtCanvas& canvas, int y) {
        canvas.moveTo(2000, y);
        for (int i = 1; i <= 20; ++i) canvas.lineTo(2000 + 600 * i, y + (i % 2 ? 1500 : -1500));
    };
    // Lines of two pixels, which the canvas strokes as outlines.
    auto draw = [&](QtCanvas& canvas, QPainter&, bool blue) {
        canvas.setPen(45, kRed);
        canvas.setBrush(kRed);
        canvas.polygon({{1000, 1000}, {15000, 1000}, {15000, 5000}, {1000, 5000}});
        zigzag(canvas, 3000);
        canvas.setPen(45, kBlack);
        canvas.setBrush(kBlack);
        canvas.polygon({{1000, 6000}, {15000, 6000}, {15000, 12000}, {1000, 12000}});
        zigzag(canvas, 8000);
        if (blue) {
            canvas.setPen(200, kBlue);
            canvas.moveTo(1000, 9000);
            canvas.lineTo(15000, 9000);
            canvas.lineTo(8000, 6500);
        }
        canvas.setPen(45, kBlack);
        zigzag(canvas, 9500);
    };
    for (const bool blue : {false, true}) {
        auto scene = [&](QtCanvas& canvas, QPainter& painter) { draw(canvas, painter, blue); };
        const DrawnPicture quick = DrawShortcutPicture(QSize(728, 515), 1.0, false, scene);
        const DrawnPicture plain = DrawShortcutPicture(QSize(728, 515), 1.0, true, scene);
        EXPECT_EQ(FirstPixelDifference(quick.image, plain.image), "")
            << (blue ? "with" : "without") << " the blue line";
        // The two black lines lie on black with all their 40 segments, but
        // where the second crosses the blue.
        if (blue) {
            EXPECT_GE(quick.shortcuts.segmentsLeftOut, 20);
            EXPECT_LT(quick.shortcuts.segmentsLeftOut, 40);
        } else {
            EXPECT_EQ(quick.shortcuts.segmentsLeftOut, 40);
        }
    }
}

} // namespace
} // namespace zeb
