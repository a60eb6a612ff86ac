// The scripted double answers, delivers frames and loses the camera exactly as scripted.
#include "monitor/libs/YsCapture/StillCapture.h"

#include "media/avi/AviReader.h"
#include "monitor/libs/YsCapture/double/CaptureScript.h"
#include "tests/monitor/capture/TempFile.h"

#include <gtest/gtest.h>

using namespace yscap_double;

namespace {
uint32_t g_now = 1000;
}

class CaptureDoubleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetScript();
        g_now = 1000;
        Script().clock = [] { return g_now; };
    }
};

TEST_F(CaptureDoubleTest, FramesArriveAtScriptedMomentsAndLossAtItsMoment) {
    Script().firstFrameMs = 100;
    Script().frameIntervalMs = 100;
    Script().lostAtMs = 450;
    CStillCapture c;
    ASSERT_TRUE(c.Init(0, 320, 240));
    EXPECT_EQ(c.m_strDevice, "Test Pattern Camera");
    c.Capture();
    EXPECT_EQ(c.m_nFrameReady, 0);  // 0 ms: nothing yet
    g_now += 100;
    c.Capture();
    ASSERT_EQ(c.m_nFrameReady, 1);
    const BYTE first = c.m_pFrame[2];  // red channel carries the frame number
    EXPECT_EQ(first, 0);
    g_now += 50;
    c.Capture();
    EXPECT_EQ(c.m_pFrame[2], 0);  // no new frame: the old one stays
    g_now += 200;                 // 350 ms: frames 1 and 2 are due, the newest is taken
    c.Capture();
    EXPECT_EQ(c.m_pFrame[2], 2);
    EXPECT_EQ(c.m_bLost, 0);
    g_now += 100;  // 450 ms
    c.Capture();
    EXPECT_EQ(c.m_bLost, 1);
    EXPECT_EQ(Script().framesDelivered, 2);
}

TEST_F(CaptureDoubleTest, AnswersComeFromTheScriptAndCallsAreLogged) {
    Script().initResults = {false, true};
    Script().lostAtCapture = 3;
    CStillCapture c;
    EXPECT_FALSE(c.Init(0, 640, 480));
    EXPECT_TRUE(c.Init(0, 640, 480));
    c.Capture();
    c.Capture();
    EXPECT_EQ(c.m_bLost, 0);
    c.Capture();
    EXPECT_EQ(c.m_bLost, 1);
    c.Release();
    // The loss happened once: the reopened camera keeps running.
    ASSERT_TRUE(c.Init(0, 640, 480));
    for (int i = 0; i < 5; ++i) c.Capture();
    EXPECT_EQ(c.m_bLost, 0);
    ASSERT_EQ(Script().calls.size(), 4u);
    EXPECT_EQ(Script().calls[0].operation, "Init");
    EXPECT_EQ(Script().calls[0].numbers, (std::vector<long>{0, 640, 480}));
    EXPECT_EQ(Script().calls[2].operation, "Release");
}

TEST_F(CaptureDoubleTest, ARecordingLogsItsArgumentsAndWritesTheDeliveredFrames) {
    Script().audioFallbackOnRecord = true;
    const std::string path = capture_test::TempFile("ys_double.avi");
    CStillCapture c;
    ASSERT_TRUE(c.GetAviFromCam(0, 320, 240, 1, 0, 255, 1, 1, path));
    EXPECT_EQ(c.m_bAudioFallback, 1);
    for (int i = 0; i < 5; ++i) c.Capture();
    c.Release();
    const CaptureCall& call = Script().calls[0];
    EXPECT_EQ(call.operation, "GetAviFromCam");
    EXPECT_EQ(call.numbers, (std::vector<long>{0, 320, 240, 1, 0, 255, 1, 1}));
    EXPECT_EQ(call.text, path);
    avi::AviFileInfo avi;
    std::string error;
    ASSERT_TRUE(avi::ParseAviFile(path, avi, error)) << error;
    EXPECT_EQ(avi.main.totalFrames, 5u);
    ::DeleteFileA(path.c_str());

    Script().recordResults = {false};
    EXPECT_FALSE(c.GetAviFromCam(0, 320, 240, 0, 0, 1, 0, 1, path));
}
