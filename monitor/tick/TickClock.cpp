#include "monitor/tick/TickClock.h"

#include <chrono>
#include <thread>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#endif

namespace tick {

namespace {
std::function<uint32_t()>& NowSource() {
    static std::function<uint32_t()> source;
    return source;
}
std::function<void(uint32_t)>& PauseSink() {
    static std::function<void(uint32_t)> sink;
    return sink;
}
}  // namespace

uint32_t Now() {
    if (NowSource()) return NowSource()();
#ifdef _WIN32
    return ::GetTickCount();
#else
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
#endif
}

void Pause(uint32_t milliseconds) {
    if (PauseSink()) {
        PauseSink()(milliseconds);
        return;
    }
#ifdef _WIN32
    ::Sleep(milliseconds);
#else
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
#endif
}

void SetClock(std::function<uint32_t()> now, std::function<void(uint32_t)> pause) {
    NowSource() = std::move(now);
    PauseSink() = std::move(pause);
}

}  // namespace tick
