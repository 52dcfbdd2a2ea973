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

// The echo hand-over of a write, many times over: a set that slips in between a waiter's check
// and its sleep must never be lost (the waiter would sit out its whole time-out).
TEST(ManualResetEvent, PingPongNeverLosesAHandOver) {
    ManualResetEvent ping, pong;
    constexpr int kRounds = 20000;
    std::atomic<int> lost{0};
    std::thread echo([&] {
        for (int i = 0; i < kRounds; ++i) {
            if (!ping.WaitFor(5s)) ++lost;
            ping.Reset();
            pong.Set();
        }
    });
    for (int i = 0; i < kRounds; ++i) {
        pong.Reset(); // before the send, as the writer does
        ping.Set();
        if (!pong.WaitFor(5s)) ++lost;
    }
    echo.join();
    EXPECT_EQ(lost.load(), 0);
}

TEST(ManualResetEvent, TimedWaitLastsItsTimeWhenNotSet) {
    ManualResetEvent e;
    auto t0 = std::chrono::steady_clock::now();
    EXPECT_FALSE(e.WaitFor(30ms));
    EXPECT_GE(std::chrono::steady_clock::now() - t0, 30ms);
}
