#include "export/ResultsRecord.h"

#include <gtest/gtest.h>

namespace zeb {
namespace {

TEST(AxesRecord, RangesTicksAndLabelsAsDrawn) {
    ManualRange x, y;
    AxesState s{ScaleAxis(0.0, 3.7e10, x, AxisDirection::X, 1e-8), ScaleAxis(2e-6, 3e-6, y, AxisDirection::Y, 1.0)};
    const std::string j = RecordJson(AxesRecord(s));
    EXPECT_EQ(j.substr(0, 101), "{\"x\": {\"min\": 0, \"max\": 40000000000, \"ticks\": [0, 10000000000, "
                                "20000000000, 30000000000, 40000000000]");
    EXPECT_NE(j.find("\"labels\": [\"0\", \"100\", \"200\", \"300\", \"400\"], \"multiplier\": \"\", \"exponent\": \"\"}"),
              std::string::npos);
    EXPECT_NE(j.find("\"labels\": [\"2.00\", \"2.25\", \"2.50\", \"2.75\", \"3.00\"], \"multiplier\": \"× 10\", "
                     "\"exponent\": \"-6\"}}"),
              std::string::npos);
}

TEST(AxesRecord, ManualRangeInLabelUnits) {
    const ManualRange r = ManualRangeFromLabelUnits(5, 1, 1e-8);
    EXPECT_EQ(r.on, 1);
    EXPECT_DOUBLE_EQ(r.minimum, 1e8);
    EXPECT_DOUBLE_EQ(r.maximum, 5e8);
    EXPECT_EQ(ManualRangeFromLabelUnits(2, 2, 1e-8).on, 0) << "equal limits leave the axis automatic";
    EXPECT_EQ(ManualRangeFromLabelUnits(0, 1e308, 1e-8).on, 0);
}

} // namespace
} // namespace zeb
