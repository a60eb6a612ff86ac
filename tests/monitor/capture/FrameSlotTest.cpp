#include "monitor/libs/YsCapture/core/FrameSlot.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

using yscap::FrameSlot;

TEST(FrameSlot, TakesOnlyNewFramesAndKeepsTheOldOneMeanwhile) {
    FrameSlot slot;
    slot.Reset(6);
    EXPECT_FALSE(slot.TakeNewest());
    std::memset(slot.ProducerBuffer(), 1, 6);
    slot.Publish();
    std::memset(slot.ProducerBuffer(), 2, 6);
    slot.Publish();  // replaces the untaken frame 1
    ASSERT_TRUE(slot.TakeNewest());
    uint8_t* front = slot.Front();
    EXPECT_EQ(front[0], 2);
    EXPECT_FALSE(slot.TakeNewest());
    EXPECT_EQ(slot.Front(), front);
    EXPECT_EQ(front[5], 2);
    EXPECT_EQ(slot.Published(), 2u);
}

TEST(FrameSlot, ConsumerNeverSeesATornFrameWhileTheProducerRuns) {
    FrameSlot slot;
    const size_t bytes = 64 * 1024;
    slot.Reset(bytes);
    std::atomic<bool> stop{false};
    std::thread producer([&] {
        for (uint8_t v = 1; !stop; ++v) {
            std::memset(slot.ProducerBuffer(), v, bytes);
            slot.Publish();
        }
    });
    int taken = 0;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (taken < 200 && std::chrono::steady_clock::now() < until) {
        if (!slot.TakeNewest()) {
            std::this_thread::yield();
            continue;
        }
        ++taken;
        const uint8_t* f = slot.Front();
        const uint8_t first = f[0];
        for (size_t k = 0; k < bytes; k += 997) ASSERT_EQ(f[k], first) << "torn at " << k;
        ASSERT_EQ(f[bytes - 1], first);
    }
    stop = true;
    producer.join();
    EXPECT_GT(taken, 0);
}
