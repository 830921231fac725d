#include "plot/DamageCanvas.h"
#include "plot/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

TEST(DamageCanvas, PassesWhatTouchesTheRectangleAndKeepsThePenPosition) {
    RecordingCanvas inner;
    DamageCanvas d(inner, {1000, 1000, 2000, 2000}, 10);
    d.setPen(40, kBlack);
    d.polygon({{0, 0}, {100, 0}, {100, 100}, {0, 100}});          // far away: dropped
    d.polygon({{950, 950}, {1050, 950}, {1050, 1050}, {950, 1050}}); // overlaps: passed
    d.polygon({{1960, 2005}, {1990, 2005}, {1990, 2025}, {1960, 2025}}); // within pen + margin: passed
    d.ellipse(3000, 3000, 3100, 3100);
    d.setPixel(1500, 1500, kBlack);
    d.setPixel(5, 5, kBlack);
    EXPECT_EQ(d.passed(), 3);
    EXPECT_EQ(d.dropped(), 3);

    // A curve that crosses the rectangle is passed on whole, joins included;
    // one that stays outside is dropped and only moves the pen to its end.
    d.moveTo(0, 1500);
    d.lineTo(500, 1500);
    d.lineTo(1500, 1500);
    d.lineTo(4000, 4000);
    d.moveTo(0, 5000);
    d.lineTo(800, 5000);
    d.lineTo(900, 6000);
    d.setPen(1, kBlack);
    EXPECT_EQ(d.passed(), 4);
    EXPECT_EQ(d.dropped(), 4);
    const auto& ops = inner.ops();
    std::vector<CanvasOp> lines;
    for (const auto& op : ops)
        if (op.kind == CanvasOp::Line) lines.push_back(op);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].points[0], (CanvasPoint{0, 1500}));  // the whole run, from its start
    EXPECT_EQ(lines[2].points[1], (CanvasPoint{4000, 4000}));
}

} // namespace
} // namespace zeb
