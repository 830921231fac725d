// A paste that runs out of memory at any allocation tells the user and leaves
// the receiving window's data exactly as they were. The test program's global
// operator new fails the n-th allocation after it has been armed.
#include "export/ClipboardExchange.h"
#include "export/ExportFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

namespace {

long gFailAfter = -1;  // allocations still allowed; -1 disarmed
bool gFired = false;

} // namespace

void* operator new(std::size_t size) {
    if (gFailAfter >= 0 && gFailAfter-- == 0) {
        gFailAfter = -1;
        gFired = true;
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
// Out of line, so that the compiler does not pair the standard operator new it
// assumes with this free().
[[gnu::noinline]] void Release(void* p) noexcept { std::free(p); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }

namespace zeb {
namespace {

// Pastes `block` with the n-th allocation failing, for n = 0, 1, ... until a
// paste goes through; returns the number of runs that failed.
int FailEachAllocation(const std::vector<std::uint8_t>& block) {
    for (int n = 0; n < 10000; ++n) {
        ScriptedPlatform platform;
        MeasurementSet set{platform};
        test::FillSmallSet(set);
        std::vector<int> chosen = {2};
        platform.clipboardBlocks["CF_ZEB_STAT_SPECIAL"] = block;
        const std::string before = test::Snapshot(set);

        gFired = false;
        gFailAfter = n;
        const bool pasted = PasteFromClipboard(set, chosen, platform);
        gFailAfter = -1;

        if (!gFired) {
            EXPECT_TRUE(pasted);
            EXPECT_TRUE(platform.messages.empty());
            return n;
        }
        EXPECT_FALSE(pasted) << "allocation " << n;
        EXPECT_EQ(test::Snapshot(set), before) << "allocation " << n;
        EXPECT_EQ(chosen, std::vector<int>{2}) << "allocation " << n;
        if (platform.messages.empty()) {
            ADD_FAILURE() << "no message at allocation " << n;
        } else {
            EXPECT_EQ(platform.lastMessage().text, "Error allocation memory");
            EXPECT_EQ(platform.lastMessage().caption, "ZEBstat Error");
            EXPECT_EQ(platform.lastMessage().icon, MsgIcon::Exclamation);
        }
    }
    ADD_FAILURE() << "the paste never went through";
    return -1;
}

TEST(ExchangePasteMemory, EveryFailedAllocationLeavesTheSetAsItWas) {
    ScriptedPlatform platform;
    MeasurementSet sender{platform};
    test::FillSmallSet(sender);
    sender.sourceName[1] = "/a/long/path/that/does/not/fit/into/a/short/string/buffer.sta";
    // Same rows: only new columns.
    EXPECT_GT(FailEachAllocation(BuildExchangeBlock(sender, {3, 1})), 6);
    // New rows as well: cells for the old columns too.
    sender.setQ2(1, 3e10);
    sender.setQ2(2, 4e10);
    EXPECT_GT(FailEachAllocation(BuildExchangeBlock(sender, {1})), 8);
}

} // namespace
} // namespace zeb
