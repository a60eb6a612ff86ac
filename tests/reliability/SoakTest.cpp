// Each program runs for SOAK_MINUTES (default 1) on the test camera: a recording started and
// stopped in every 30 s cycle, with a snapshot or photo in each half of the cycle. What it holds
// (GDI and USER objects, windows, handles, private bytes) after the first cycle, the warm-up, is
// compared with what it holds at the end. A counter may still move by a few objects from what
// happens to be open at the moment of reading, so objects and handles may grow by max(16, 5 %) and
// private bytes by max(4 MiB, 10 %): a leak of one handle per cycle exceeds that in a 10-minute run
// (20 cycles). Wine answers GetGuiResources with 0, so its windows are counted instead, handles in
// the system handle list, private bytes as the committed private regions. Each end figure is the
// lowest of three readings a second apart. What the system itself leaves open (PlatformLeak.h) is
// measured in this process first and taken off up to what the cycles' work explains.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>

#include "tests/e2e/driver/Files.h"
#include "tests/e2e/driver/Log.h"
#include "tests/e2e/driver/WindowFinder.h"
#include "tests/reliability/PlatformLeak.h"
#include "tests/reliability/ProcessCounters.h"
#include "tests/reliability/Sessions.h"

namespace reliability {
namespace {

constexpr DWORD kCycleMs = 30000;
constexpr GrowthBound kObjects{16, 0.05};
constexpr long kPrivateAbsolute = 4 * 1024 * 1024;
constexpr double kPrivateFraction = 0.10;

// Measured once, before the first program starts.
const PlatformRates& Rates() {
    static const PlatformRates rates = MeasurePlatformRates();
    return rates;
}

int Minutes() {
    const char* value = std::getenv("SOAK_MINUTES");
    int minutes = value ? std::atoi(value) : 1;
    return minutes > 0 ? minutes : 1;
}

struct Reading {
    ProcessCounters counters;
    std::map<std::string, long> handleTypes;
};

// The lowest of three readings a second apart, counter by counter.
Reading Settled(DWORD process) {
    Reading reading;
    reading.handleTypes = HandleTypeCounts(process);
    ProcessCounters& low = reading.counters;
    low = ReadCounters(process);
    for (int i = 0; i < 2; ++i) {
        e2e::Pause(1000);
        ProcessCounters now = ReadCounters(process);
        low.gdiObjects = std::min(low.gdiObjects, now.gdiObjects);
        low.userObjects = std::min(low.userObjects, now.userObjects);
        low.windows = std::min(low.windows, now.windows);
        low.handles = std::min(low.handles, now.handles);
        low.privateBytes = std::min(low.privateBytes, now.privateBytes);
        low.virtualBytes = std::min(low.virtualBytes, now.virtualBytes);
        low.workingSet = std::min(low.workingSet, now.workingSet);
        for (auto& [type, count] : HandleTypeCounts(process)) {
            auto known = reading.handleTypes.find(type);
            if (known != reading.handleTypes.end()) known->second = std::min(known->second, count);
        }
    }
    return reading;
}

long Growth(const std::map<std::string, long>& start, const std::map<std::string, long>& end,
            const char* type) {
    auto a = start.find(type), b = end.find(type);
    return (b == end.end() ? 0 : b->second) - (a == start.end() ? 0 : a->second);
}

void Report(const char* program, const Reading& start, const Reading& end, int cycles) {
    std::printf("SOAK %s minutes=%d cycles=%d\n", program, Minutes(), cycles);
    std::printf("SOAK %s start: %s\n", program, Describe(start.counters).c_str());
    std::printf("SOAK %s end:   %s\n", program, Describe(end.counters).c_str());
    std::string growth;
    std::map<std::string, long> all = start.handleTypes;
    all.insert(end.handleTypes.begin(), end.handleTypes.end());
    for (const auto& entry : all) {
        const long g = Growth(start.handleTypes, end.handleTypes, entry.first.c_str());
        if (g) growth += " " + entry.first + (g > 0 ? "+" : "") + std::to_string(g);
    }
    std::printf("SOAK %s handle growth by type:%s\n", program, growth.empty() ? " none" : growth.c_str());
    std::fflush(stdout);
}

// What the program does in one cycle that makes the system leave handles open.
struct CycleWork {
    int videoLists, compressorLists;  // opening a device by its place in the list is one
    int saveDialogs, filterGraphs;
};

// The lowest of what the handles of one type grew by and what the system leaves for work.
long SystemShare(const Reading& start, const Reading& end, const char* type, double allowed) {
    return std::max(0L, std::min(Growth(start.handleTypes, end.handleTypes, type), std::lround(allowed)));
}

void ExpectNoGrowth(const Reading& startReading, const Reading& endReading, int cycles, CycleWork work) {
    const ProcessCounters& start = startReading.counters;
    const ProcessCounters& end = endReading.counters;
    auto check = [](const char* name, long a, long b) {
        if (a < 0 || b < 0) return;  // not reported by this system
        EXPECT_LE(b - a, kObjects.For(a)) << name << " grew from " << a << " to " << b;
    };
    check("GDI objects", start.gdiObjects, end.gdiObjects);
    check("USER objects", start.userObjects, end.userObjects);
    check("windows", start.windows, end.windows);
    // The system's share, never more than it really gained.
    const PlatformRates& rates = Rates();
    const long systemKeys = SystemShare(startReading, endReading, "Key",
                                        cycles * (rates.keysPerVideoList * work.videoLists +
                                                  rates.keysPerCompressorList * work.compressorLists +
                                                  rates.keysPerSaveDialog * work.saveDialogs));
    const long systemEvents = SystemShare(startReading, endReading, "Event",
                                          cycles * rates.eventsPerFilterGraph * work.filterGraphs);
    std::printf(
        "SOAK the system's own: %ld registry keys (per list: video %.2f, compressors %.2f; "
        "per save dialog %.2f), %ld events (%.2f per filter graph)\n",
        systemKeys, rates.keysPerVideoList, rates.keysPerCompressorList, rates.keysPerSaveDialog,
        systemEvents, rates.eventsPerFilterGraph);
    check("handles (less the system's own)", start.handles, end.handles - systemKeys - systemEvents);
    if (start.privateBytes > 0 && end.privateBytes > 0) {
        int64_t allowed =
            std::max<int64_t>(kPrivateAbsolute, static_cast<int64_t>(start.privateBytes * kPrivateFraction));
        EXPECT_LE(end.privateBytes - start.privateBytes, allowed)
            << "private bytes grew from " << start.privateBytes << " to " << end.privateBytes;
    }
}

class Soak : public ::testing::Test {
  protected:
    void SetUp() override {
        e2e::TestCamCtl(L"plug");
        e2e::TestCamCtl(L"still off");
        e2e::TestCamCtl(L"refuse off");
        Rates();
    }
    void TearDown() override {
        e2e::TestCamCtl(L"plug");
        if (!HasFailure() && e2e::OutputFolder().empty()) e2e::RemoveTree(folder_);
    }
    std::wstring folder_;
};

TEST_F(Soak, OrvelloRecordsAndSnapsWithoutGrowing) {
    folder_ = e2e::FreshFolder(L"soak-orvello");
    OrvelloSession session;
    std::wstring error;
    ASSERT_TRUE(session.Start(folder_, error)) << e2e::Narrow(error);
    DWORD process = session.program.Id();
    int cycles = Minutes() * 2 + 1;  // the first cycle is the warm-up
    Reading start;
    for (int cycle = 0; cycle < cycles; ++cycle) {
        DWORD begin = GetTickCount();
        ASSERT_TRUE(session.StartRecording())
            << "cycle " << cycle << ": " << e2e::Narrow(e2e::FindMessageBox(process).text);
        e2e::Pause(4000);
        std::wstring snap = folder_ + L"\\snap-" + std::to_wstring(cycle) + (cycle % 2 ? L".bmp" : L".jpg");
        ASSERT_TRUE(session.Snapshot(snap)) << "cycle " << cycle << ": no save dialog while recording";
        e2e::Pause(4000);
        ASSERT_TRUE(session.StopRecording()) << "cycle " << cycle;
        e2e::Pause(1500);  // the camera is reopened after a recording
        ASSERT_TRUE(Responds(process)) << "cycle " << cycle << ": the window does not answer";
        e2e::MessageBoxSeen box = e2e::FindMessageBox(process);
        ASSERT_EQ(box.window, nullptr) << "cycle " << cycle << ": " << e2e::Narrow(box.text);
        EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::Exists(snap); }, 5000)) << "cycle " << cycle;
        // Each recording is checked and removed so that a long run does not fill the disk.
        for (const auto& name : e2e::FilesIn(folder_, L"brenik-*.avi")) {
            std::wstring avi = folder_ + L"\\" + name;
            EXPECT_EQ(AviProblem(avi), "") << e2e::Narrow(name);
            DeleteFileW(avi.c_str());
        }
        std::wstring second = folder_ + L"\\snap-b" + std::to_wstring(cycle) + L".jpg";
        ASSERT_TRUE(session.Snapshot(second)) << "cycle " << cycle;
        EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::Exists(second); }, 5000)) << "cycle " << cycle;
        DeleteFileW(snap.c_str());
        DeleteFileW(second.c_str());
        if (cycle == 0) start = Settled(process);
        DWORD spent = GetTickCount() - begin;
        if (cycle + 1 < cycles && spent < kCycleMs) e2e::Pause(kCycleMs - spent);
        ASSERT_TRUE(session.program.Running()) << "Orvello ended during cycle " << cycle;
    }
    Reading end = Settled(process);
    Report("Orvello", start, end, cycles - 1);
    // A recording reopens the camera at 640x480 and, when it stops, at the display size; two snapshots.
    ExpectNoGrowth(start, end, cycles - 1, {2, 0, 2, 2});
    session.Close();
}

TEST_F(Soak, PelCameraRecordsAndTakesPhotosWithoutGrowing) {
    folder_ = e2e::FreshFolder(L"soak-pelcamera");
    PelCameraSession session;
    std::wstring error;
    ASSERT_TRUE(session.Start(folder_, error)) << e2e::Narrow(error);
    DWORD process = session.program.Id();
    int cycles = Minutes() * 2 + 1;
    Reading start;
    for (int cycle = 0; cycle < cycles; ++cycle) {
        DWORD begin = GetTickCount();
        std::wstring photo = session.TakePhoto();
        ASSERT_FALSE(photo.empty()) << "cycle " << cycle << ": no photo";
        DeleteFileW(photo.c_str());
        std::wstring avi = folder_ + L"\\clip.avi";
        ASSERT_TRUE(session.StartRecording(avi)) << "cycle " << cycle << ": no save dialog";
        e2e::Pause(5000);
        e2e::MessageBoxSeen box = e2e::FindMessageBox(process);
        ASSERT_EQ(box.window, nullptr) << "cycle " << cycle << ": " << e2e::Narrow(box.text);
        ASSERT_TRUE(session.StopRecording()) << "cycle " << cycle << ": the preview did not come back";
        ASSERT_TRUE(Responds(process)) << "cycle " << cycle << ": the window does not answer";
        e2e::Pause(500);
        EXPECT_EQ(AviProblem(avi), "") << "cycle " << cycle;
        DeleteFileW(avi.c_str());
        std::wstring second = session.TakePhoto();
        ASSERT_FALSE(second.empty()) << "cycle " << cycle << ": no photo after the recording";
        DeleteFileW(second.c_str());
        if (cycle == 0) start = Settled(process);
        DWORD spent = GetTickCount() - begin;
        if (cycle + 1 < cycles && spent < kCycleMs) e2e::Pause(kCycleMs - spent);
        ASSERT_TRUE(session.program.Running()) << "PelCamera ended during cycle " << cycle;
    }
    Reading end = Settled(process);
    Report("PelCamera", start, end, cycles - 1);
    // The graph object lives as long as the device pair; each recording looks for a compressor.
    ExpectNoGrowth(start, end, cycles - 1, {0, 1, 1, 0});
    session.Close();
}

}  // namespace
}  // namespace reliability
