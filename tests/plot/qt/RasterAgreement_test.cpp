// The metafile and the picture on the screen are one drawing: a raster of our
// WMF made by an independent reader (ImageMagick with libwmf) shows the frame
// and the ticks where the Qt canvas puts them.
#include "plot/ChartExport.h"
#include "data/CFormat.h"
#include "plot/ChartFixture.h"
#include "plot/qt/ChartRaster.h"
#include "plot/qt/QtCanvas.h"
#include "plot/qt/QtTestApp.h"
#include "support/TestSupport.h"

#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

// In sanitizer builds: fontconfig keeps a small cache for the whole run,
// which the leak checker would otherwise report.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }

namespace zeb {
namespace {

bool Dark(const QImage& img, int x, int y) { return qGray(img.pixel(x, y)) < 110; }

struct Frame {
    int left = -1, right = -1, top = -1, bottom = -1;
};

// The rows and columns holding the frame: the only long straight dark runs.
Frame FindFrame(const QImage& img) {
    Frame f;
    for (int y = 0; y < img.height(); ++y) {
        int run = 0, best = 0;
        for (int x = 0; x < img.width(); ++x) {
            run = Dark(img, x, y) ? run + 1 : 0;
            best = std::max(best, run);
        }
        if (best > img.width() / 2) {
            if (f.top < 0) f.top = y;
            f.bottom = y;
        }
    }
    for (int x = 0; x < img.width(); ++x) {
        int run = 0, best = 0;
        for (int y = 0; y < img.height(); ++y) {
            run = Dark(img, x, y) ? run + 1 : 0;
            best = std::max(best, run);
        }
        if (best > img.height() * 2 / 5) {
            if (f.left < 0) f.left = x;
            f.right = x;
        }
    }
    return f;
}

// Centres of the dark runs of one row between two columns.
std::vector<double> RunCentres(const QImage& img, int y, int from, int to) {
    std::vector<double> centres;
    int start = -1;
    for (int x = from; x <= to; ++x) {
        const bool d = Dark(img, x, y);
        if (d && start < 0) start = x;
        if (!d && start >= 0) {
            centres.push_back((start + x - 1) / 2.0);
            start = -1;
        }
    }
    return centres;
}

TEST(RasterAgreement, WmfRasterMatchesTheQtPicture) {
    if (!std::filesystem::exists("/usr/bin/convert")) GTEST_SKIP() << "ImageMagick is not installed";
    test::EnsureGuiApplication();
    test::ChartFixture f(6, 9);
    f.in.qOrder = 1;
    f.in.cOrder = 1;
    const int width = 1456;
    const int height = static_cast<int>(width * 13941.0 / 16383.0 + 0.5);
    ChartDrawResult screen;
    const QImage qt = RenderChartImage(f.in, QSize(width, height), &screen);

    test::TempDir dir;
    const std::vector<std::uint8_t> wmf = ChartToPlaceableWmf(f.in, &screen.metrics);
    test::WriteFile(dir.file("chart.wmf"), std::string(wmf.begin(), wmf.end()));
    const std::string command = "/usr/bin/convert -density " + CFormat("%.3f", width / 6.0) + " '" +
                                dir.file("chart.wmf") + "' -background white -flatten '" + dir.file("wmf.png") +
                                "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    QImage raster(QString::fromStdString(dir.file("wmf.png")));
    ASSERT_FALSE(raster.isNull());
    ASSERT_NEAR(raster.width(), width, 2);
    ASSERT_NEAR(raster.height(), height, 2);

    const Frame a = FindFrame(qt), b = FindFrame(raster);
    ASSERT_GE(a.left, 0);
    ASSERT_GE(b.left, 0);
    EXPECT_NEAR(a.left, b.left, 3);
    EXPECT_NEAR(a.right, b.right, 3);
    EXPECT_NEAR(a.top, b.top, 3);
    EXPECT_NEAR(a.bottom, b.bottom, 3);
    // The frame is where the layout says: 16383 logical units across the width.
    const double perPixel = 16383.0 / width;
    EXPECT_NEAR(a.left, screen.layout.frameLeft() / perPixel, 3);
    EXPECT_NEAR(a.bottom, (screen.layout.frameTop() + screen.layout.frameHeight()) / perPixel, 3);

    // x ticks: short marks just inside the bottom edge.
    const int row = std::min(a.bottom, b.bottom) - 7;
    const auto ta = RunCentres(qt, row, a.left + 4, a.right - 4);
    const auto tb = RunCentres(raster, row, b.left + 4, b.right - 4);
    ASSERT_EQ(ta.size(), tb.size());
    ASSERT_EQ(ta.size(), f.in.axes.x.ticks.size());
    for (std::size_t i = 0; i < ta.size(); ++i) EXPECT_NEAR(ta[i], tb[i], 3.0) << i;
}

TEST(QtCanvas, TextSizesFollowTheLogicalFont) {
    test::EnsureGuiApplication();
    QImage image(800, 600, QImage::Format_RGB32);
    QPainter painter(&image);
    QtCanvas canvas(painter, QRect(0, 0, 800, 600), 16383, 13941);
    LogFont font;
    font.height = 380;
    font.width = 152;
    font.weight = 400;
    canvas.setFont(font);
    const TextSize one = canvas.textExtent("1A");
    EXPECT_NEAR(one.height, 380, 4) << "a positive height is the cell height";
    const TextSize estimate = EstimateTextExtent(font, "Mw(c): 5.000e+05 g/mol");
    const TextSize measured = canvas.textExtent("Mw(c): 5.000e+05 g/mol");
    EXPECT_NEAR(measured.width, estimate.width, estimate.width * 0.05) << "Liberation Sans has Arial's widths";
    font.height = -300;
    canvas.setFont(font);
    EXPECT_GT(canvas.textExtent("1A").height, 300) << "a negative height is the em size";
}

} // namespace
} // namespace zeb
