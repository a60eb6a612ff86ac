// The alarm sounds: valid short WAV files, one per entry of the sound list, clearly different.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/sounds/AlarmSounds.h"
#include "tools/sounds/WavFile.h"

namespace sounds {
namespace {

const std::vector<int16_t>& Alarm(int i) {
    static std::vector<std::vector<int16_t>> all;
    if (all.empty())
        for (int k = 0; k < kAlarmCount; ++k) all.push_back(MakeAlarm(k));
    return all.at(i);
}

TEST(AlarmSoundsTest, ListOrderNamesTheFiles) {
    const char* names[] = {"car alarm",       "police siren",       "smurf invasion", "barking dog",
                           "system overload", "system malfunction", "jail break"};
    for (int i = 0; i < kAlarmCount; ++i) EXPECT_STREQ(AlarmName(i), names[i]);
    EXPECT_STREQ(AlarmName(7), "");
    EXPECT_TRUE(MakeAlarm(-1).empty());
}

TEST(AlarmSoundsTest, ShortLoudWithoutClicksAtTheEnds) {
    for (int i = 0; i < kAlarmCount; ++i) {
        const auto& s = Alarm(i);
        const double seconds = double(s.size()) / kSampleRate;
        EXPECT_GE(seconds, 0.5) << i;
        EXPECT_LE(seconds, 2.0) << i;
        int peak = 0;
        double energy = 0;
        for (int16_t v : s) {
            peak = std::max(peak, std::abs(int(v)));
            energy += double(v) * v;
        }
        EXPECT_GT(peak, 20000) << i;
        EXPECT_LT(peak, 32767) << i;  // never at full scale: no hard clipping
        EXPECT_GT(std::sqrt(energy / s.size()), 2500) << i;
        EXPECT_LT(std::abs(int(s.front())), 500) << i;
        EXPECT_LT(std::abs(int(s.back())), 500) << i;
    }
}

// Zero crossings per 50 ms window: a coarse pitch contour over time.
std::vector<double> PitchContour(const std::vector<int16_t>& s) {
    const size_t window = kSampleRate / 20;
    std::vector<double> contour;
    for (size_t start = 0; start + window <= s.size(); start += window) {
        int crossings = 0;
        for (size_t i = start + 1; i < start + window; ++i) crossings += (s[i - 1] < 0) != (s[i] < 0);
        contour.push_back(crossings);
    }
    return contour;
}

TEST(AlarmSoundsTest, EverySoundIsClearlyDifferentFromEveryOther) {
    for (int a = 0; a < kAlarmCount; ++a)
        for (int b = a + 1; b < kAlarmCount; ++b) {
            const auto ca = PitchContour(Alarm(a)), cb = PitchContour(Alarm(b));
            const size_t n = std::max(ca.size(), cb.size());
            double difference = 0;
            for (size_t i = 0; i < n; ++i)
                difference += std::fabs((i < ca.size() ? ca[i] : 0) - (i < cb.size() ? cb[i] : 0));
            EXPECT_GT(difference / n, 5.0) << AlarmName(a) << " vs " << AlarmName(b);
        }
}

TEST(WavFileTest, EncodedSoundsDecodeAsSixteenBitMonoPcm) {
    for (int i = 0; i < kAlarmCount; ++i) {
        const std::vector<uint8_t> bytes = EncodeWav(Alarm(i));
        WavInfo info;
        ASSERT_TRUE(DecodeWav(bytes, info)) << i;
        EXPECT_EQ(info.formatTag, 1);
        EXPECT_EQ(info.channels, 1);
        EXPECT_EQ(info.sampleRate, 22050);
        EXPECT_EQ(info.bitsPerSample, 16);
        EXPECT_EQ(info.samples, Alarm(i));
        EXPECT_EQ(bytes.size(), 44 + 2 * Alarm(i).size());
    }
    std::vector<uint8_t> truncated = EncodeWav(Alarm(0));
    truncated.resize(truncated.size() - 10);
    WavInfo info;
    EXPECT_FALSE(DecodeWav(truncated, info));
}

TEST(WavFileTest, BuiltFilesAreTheSounds) {
    for (int i = 0; i < kAlarmCount; ++i) {
        const std::string path = std::string(ORVELLO_SOUNDS_DIR) + "/" + std::to_string(i) + ".wav";
        std::FILE* f = std::fopen(path.c_str(), "rb");
        ASSERT_NE(f, nullptr) << path << ": build the orvello_sounds target first";
        std::vector<uint8_t> bytes;
        int c;
        while ((c = std::fgetc(f)) != EOF) bytes.push_back(uint8_t(c));
        std::fclose(f);
        WavInfo info;
        ASSERT_TRUE(DecodeWav(bytes, info)) << path;
        EXPECT_EQ(info.samples, Alarm(i)) << path;
    }
}

}  // namespace
}  // namespace sounds
