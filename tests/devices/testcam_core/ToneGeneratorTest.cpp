#include "devices/testcam/ToneGenerator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

TEST(ToneGenerator, BuffersJoinWithoutAPhaseJump) {
    testcam::ToneGenerator whole(440.0, 44100, 1, 0.5), pieces(440.0, 44100, 1, 0.5);
    std::vector<int16_t> a(8820), b(8820);
    whole.Fill(a.data(), 8820);
    pieces.Fill(b.data(), 4410);
    pieces.Fill(b.data() + 4410, 4410);
    EXPECT_EQ(a, b);
}

TEST(ToneGenerator, AmplitudeFrequencyAndChannels) {
    testcam::ToneGenerator tone(1000.0, 48000, 2, 0.5);
    std::vector<int16_t> s(2 * 4800);
    tone.Fill(s.data(), 4800);
    int peak = 0, crossings = 0;
    for (size_t i = 0; i < 4800; ++i) {
        EXPECT_EQ(s[2 * i], s[2 * i + 1]);
        peak = std::max(peak, std::abs(int(s[2 * i])));
        if (i > 0 && s[2 * (i - 1)] < 0 && s[2 * i] >= 0) ++crossings;
    }
    EXPECT_NEAR(16384, peak, 10);
    EXPECT_NEAR(100, crossings, 1);  // 1 kHz over 100 ms
}

TEST(ToneGenerator, RestartBeginsAtZero) {
    testcam::ToneGenerator tone(440.0, 44100, 1, 1.0);
    int16_t first[4], again[4];
    tone.Fill(first, 4);
    tone.Restart();
    tone.Fill(again, 4);
    EXPECT_EQ(0, first[0]);
    EXPECT_EQ(std::vector<int16_t>(first, first + 4), std::vector<int16_t>(again, again + 4));
}

}  // namespace
