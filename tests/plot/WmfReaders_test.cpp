// Our metafiles open in independent readers: libwmf's wmf2svg and
// ImageMagick. Skipped where a reader is not installed.
#include "plot/ChartExport.h"
#include "plot/ChartFixture.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace zeb {
namespace {

const char* kWmf2Svg = "/usr/bin/wmf2svg";
const char* kConvert = "/usr/bin/convert";

std::string WriteChartWmf(const test::TempDir& dir, bool formFactor = false) {
    test::ChartFixture f(6, 9);
    f.in.qOrder = 2;
    f.in.cOrder = 1;
    f.settings.showErrorBars = 1;
    f.settings.symbolType = formFactor ? 2 : 1;
    f.set.cell(2, 3)->active = 0;
    f.set.cell(3, 3)->symbolState = 100;
    const std::vector<std::uint8_t> bytes = ChartToPlaceableWmf(f.in, nullptr);
    const std::string path = dir.file(formFactor ? "cross.wmf" : "chart.wmf");
    test::WriteFile(path, std::string(bytes.begin(), bytes.end()));
    return path;
}

int RunTool(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()); }

TEST(WmfReaders, Wmf2SvgReadsOurMetafile) {
    if (!std::filesystem::exists(kWmf2Svg)) GTEST_SKIP() << "wmf2svg (libwmf-bin) is not installed";
    test::TempDir dir;
    for (bool cross : {false, true}) {
        const std::string wmf = WriteChartWmf(dir, cross);
        const std::string svg = dir.file("out.svg");
        ASSERT_EQ(RunTool(std::string(kWmf2Svg) + " -o '" + svg + "' '" + wmf + "'"), 0);
        const std::string text = test::ReadFile(svg);
        EXPECT_NE(text.find("<svg"), std::string::npos);
        // The y labels and the caption came through as text.
        EXPECT_NE(text.find("Kc/R"), std::string::npos);
        EXPECT_NE(text.find("4.00"), std::string::npos);
    }
}

TEST(WmfReaders, ImageMagickConvertsOurMetafile) {
    if (!std::filesystem::exists(kConvert)) GTEST_SKIP() << "ImageMagick is not installed";
    test::TempDir dir;
    const std::string wmf = WriteChartWmf(dir);
    const std::string png = dir.file("out.png");
    ASSERT_EQ(RunTool(std::string(kConvert) + " '" + wmf + "' '" + png + "'"), 0);
    const std::string bytes = test::ReadFile(png);
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
}

} // namespace
} // namespace zeb
