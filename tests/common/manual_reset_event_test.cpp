#include "common/ManualResetEvent.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using vt::ManualResetEvent;

TEST(ManualResetEvent, StaysSignalledUntilReset) {
    ManualResetEvent e(true);
    EXPECT_TRUE(e.WaitFor(0ms));
    EXPECT_TRUE(e.WaitFor(0ms)); // a wait does not consume it
    e.Reset();
    EXPECT_FALSE(e.IsSet());
    EXPECT_FALSE(e.WaitFor(20ms));
}

TEST(ManualResetEvent, SetReleasesEveryWaiter) {
    ManualResetEvent e;
    std::atomic<int> released{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 4; ++i)
        waiters.emplace_back([&] {
            e.Wait();
            ++released;
        });
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(released.load(), 0);
    e.Set();
    for (auto& t : waiters) t.join();
    EXPECT_EQ(released.load(), 4);
}

TEST(ManualResetEvent, TimedWaitEndsEarlyOnSet) {
    ManualResetEvent e;
    std::thread setter([&] {
        std::this_thread::sleep_for(10ms);
        e.Set();
    });
    EXPECT_TRUE(e.WaitFor(10s));
    setter.join();
}
