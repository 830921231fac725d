// Work on several threads handed on in order, with a bounded number waiting.
#include "series/OrderedRunner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <stdexcept>
#include <string>

namespace zeb {
namespace {

TEST(OrderedRunner, ResultsComeInTheItemsOrderWhateverTheirSpeed) {
    for (unsigned jobs : {1u, 2u, 5u}) {
        std::vector<std::size_t> seen;
        std::atomic<int> busy{0}, mostBusy{0};
        RunOrdered<std::string>(
            60, jobs,
            [&](std::size_t i) {
                const int now = ++busy;
                for (int m = mostBusy; now > m && !mostBusy.compare_exchange_weak(m, now);) {
                }
                // Early items slow, late ones fast: results arrive out of order.
                std::this_thread::sleep_for(std::chrono::microseconds((60 - i) % 7 * 200));
                --busy;
                return std::to_string(i);
            },
            [&](std::size_t i, std::string&& r) {
                EXPECT_EQ(r, std::to_string(i));
                seen.push_back(i);
            });
        ASSERT_EQ(seen.size(), 60u) << jobs;
        for (std::size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(seen[i], i);
        EXPECT_LE(mostBusy.load(), static_cast<int>(jobs));
    }
}

TEST(OrderedRunner, TheCallingThreadWorksTooAndOneJobStartsNoThread) {
    for (unsigned jobs : {1u, 3u}) {
        std::mutex mutex;
        std::set<std::thread::id> workers;
        RunOrdered<int>(
            40, jobs,
            [&](std::size_t i) {
                std::this_thread::sleep_for(std::chrono::microseconds(i % 3 * 300));
                std::lock_guard<std::mutex> lock(mutex);
                workers.insert(std::this_thread::get_id());
                return 0;
            },
            [](std::size_t, int&&) {});
        EXPECT_LE(workers.size(), jobs);
        if (jobs == 1) {
            EXPECT_EQ(workers, std::set<std::thread::id>{std::this_thread::get_id()});
        }
    }
}

TEST(OrderedRunner, ASlowItemHoldsTheOthersBackInsteadOfPilingUpResults) {
    // Item 0 waits until every item the window lets start has started.
    std::atomic<std::size_t> started{0};
    std::atomic<std::size_t> mostStartedWhileWaiting{0};
    RunOrdered<int>(
        100, 3,
        [&](std::size_t i) {
            ++started;
            if (i == 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(30));
                mostStartedWhileWaiting = started.load();
            }
            return static_cast<int>(i);
        },
        [](std::size_t, int&&) {}, 8);
    EXPECT_LE(mostStartedWhileWaiting.load(), 8u);
    EXPECT_EQ(started.load(), 100u);
}

TEST(OrderedRunner, AFailureStopsTheRunAndIsRethrown) {
    std::size_t emitted = 0;
    EXPECT_THROW(RunOrdered<int>(
                     50, 2,
                     [](std::size_t i) -> int {
                         if (i == 10) throw std::runtime_error("item 10");
                         return 0;
                     },
                     [&](std::size_t, int&&) { ++emitted; }),
                 std::runtime_error);
    EXPECT_LE(emitted, 10u);
    RunOrdered<int>(0, 4, [](std::size_t) { return 0; }, [](std::size_t, int&&) { FAIL(); });
}

} // namespace
} // namespace zeb
