#include "camera/libs/PelUtility/FrameHandoff.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

std::vector<uint8_t> Frame(size_t bytes, uint8_t value) {
    return std::vector<uint8_t>(bytes, value);
}

TEST(FrameHandoffTest, OneArmTakesExactlyOneFrame) {
    pelutil::FrameHandoff handoff;
    handoff.SetSize(4, 2);  // rows of 12 bytes, no padding
    auto first = Frame(24, 1), second = Frame(24, 2);
    EXPECT_FALSE(handoff.Offer(first.data(), first.size()));  // not armed
    ASSERT_TRUE(handoff.Arm());
    EXPECT_FALSE(handoff.Arm());  // still pending
    EXPECT_TRUE(handoff.Offer(first.data(), first.size()));
    EXPECT_FALSE(handoff.Offer(second.data(), second.size()));
    EXPECT_EQ(std::vector<uint8_t>(handoff.Frame(), handoff.Frame() + 24), first);
    ASSERT_TRUE(handoff.Arm());
    EXPECT_TRUE(handoff.Offer(second.data(), second.size()));
    EXPECT_EQ(std::vector<uint8_t>(handoff.Frame(), handoff.Frame() + 24), second);
}

TEST(FrameHandoffTest, PaddedRowsAreCopiedWithoutPaddingAndShortBuffersAreSafe) {
    pelutil::FrameHandoff handoff;
    handoff.SetSize(3, 2);  // 9 bytes a row, 12 in the source
    EXPECT_EQ(handoff.PaddedStride(), 12u);
    std::vector<uint8_t> source(24);
    for (size_t i = 0; i < source.size(); ++i) source[i] = static_cast<uint8_t>(i);
    ASSERT_TRUE(handoff.Arm());
    ASSERT_TRUE(handoff.Offer(source.data(), source.size()));
    const uint8_t* frame = handoff.Frame();
    for (int x = 0; x < 9; ++x) {
        EXPECT_EQ(frame[x], x);
        EXPECT_EQ(frame[9 + x], 12 + x);
    }
    ASSERT_TRUE(handoff.Arm());
    EXPECT_TRUE(handoff.Offer(source.data(), 5));  // shorter than a row: only what is there
    EXPECT_EQ(handoff.Width(), 3);
    EXPECT_EQ(handoff.Height(), 2);
}

// The streaming thread offers frames all the time; every frame the window thread reads after
// being told must be one whole frame, never a mix of two.
TEST(FrameHandoffTest, ReadFramesAreNeverTorn) {
    pelutil::FrameHandoff handoff;
    handoff.SetSize(64, 48);
    const size_t bytes = 64 * 3 * 48;
    std::atomic<int> told{0};
    std::atomic<bool> stop{false};
    std::thread streaming([&] {
        std::vector<uint8_t> frame(bytes);
        for (uint8_t n = 0; !stop.load(); ++n) {
            std::fill(frame.begin(), frame.end(), n);
            if (handoff.Offer(frame.data(), frame.size())) told.fetch_add(1);
        }
    });
    int seen = 0;
    for (int shot = 0; shot < 100; ++shot) {
        while (!handoff.Arm()) std::this_thread::yield();
        // Read the frame of the previous grab while this one may be copied.
        if (told.load() > 0) {
            const uint8_t* frame = handoff.Frame();
            for (size_t i = 1; i < bytes; ++i) ASSERT_EQ(frame[i], frame[0]) << i;
            ++seen;
        }
    }
    stop = true;
    streaming.join();
    EXPECT_GT(seen, 0);
}

}  // namespace
