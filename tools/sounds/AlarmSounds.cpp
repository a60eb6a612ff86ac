#include "tools/sounds/AlarmSounds.h"

#include <cmath>

#include "tools/sounds/Synth.h"
#include "tools/sounds/WavFile.h"

namespace sounds {

namespace {

constexpr double kPi = 3.141592653589793;

auto Constant(double hz) {
    return [hz](double) { return hz; };
}

// Rising whoops, then a fast two-tone warble.
std::vector<int16_t> CarAlarm() {
    Track track(1.8, kSampleRate);
    for (int i = 0; i < 4; ++i)
        track.AddTone(
            i * 0.225, 0.215, [](double t) { return 750 * std::pow(2.0, t / 0.215); }, SoftSquare,
            AttackRelease(0.215, 0.005, 0.01));
    for (int i = 0; i < 12; ++i)
        track.AddTone(0.9 + i * 0.075, 0.075, Constant(i % 2 ? 880 : 1320), SoftSquare,
                      AttackRelease(0.075, 0.003, 0.003));
    track.Saturate(1.6);
    return track.Render();
}

// A slow wail up and back down with a touch of vibrato.
std::vector<int16_t> PoliceSiren() {
    Track track(2.0, kSampleRate);
    auto wail = [](double t) {
        return 950 - 430 * std::cos(2 * kPi * t / 2.0) + 12 * std::sin(2 * kPi * 7 * t);
    };
    track.AddTone(
        0, 2.0, wail, [](double p) { return Sine(p) + 0.35 * Sine(2 * p) + 0.15 * Sine(3 * p); },
        AttackRelease(2.0, 0.06, 0.12));
    return track.Render();
}

// A squeaky, bouncy little tune sung very high.
std::vector<int16_t> SmurfInvasion() {
    Track track(1.6, kSampleRate);
    const double notes[] = {1568, 1760, 1568, 1319, 1568, 2093, 1976, 2093, 2349, 2637};
    const double lengths[] = {0.12, 0.12, 0.12, 0.12, 0.18, 0.14, 0.12, 0.12, 0.14, 0.30};
    double at = 0;
    for (int i = 0; i < 10; ++i) {
        const double f = notes[i], len = lengths[i];
        track.AddTone(
            at, len - 0.02,
            [f](double t) {
                return f * (1 + 0.025 * std::sin(2 * kPi * 9 * t)) * (t < 0.02 ? 0.93 + 3.5 * t : 1.0);
            },
            [](double p) { return Triangle(p) + 0.3 * Sine(2 * p); }, AttackRelease(len - 0.02, 0.01, 0.04));
        at += len;
    }
    return track.Render();
}

// Two barks and a shorter one: a buzzy voice falling in pitch, noise for the rasp, a mouth formant.
std::vector<int16_t> BarkingDog() {
    Track track(1.3, kSampleRate);
    const double starts[] = {0.02, 0.42, 0.90};
    const double lengths[] = {0.24, 0.24, 0.17};
    for (int i = 0; i < 3; ++i) {
        const double len = lengths[i];
        track.AddTone(
            starts[i], len, [len](double t) { return 560 - 260 * (t / len); }, Saw,
            AttackDecay(0.012, len * 0.45));
        track.AddNoise(
            starts[i], len,
            [len](double t) { return 0.45 * (t < 0.01 ? t / 0.01 : std::exp(-t / (len * 0.3))); },
            0xD06u + i);
        track.BandPass(starts[i], len + 0.05, 900, 1.6);
    }
    track.Saturate(2.5);
    return track.Render();
}

// A climbing buzz that pulses faster and faster until it chokes in noise.
std::vector<int16_t> SystemOverload() {
    Track track(1.5, kSampleRate);
    track.AddTone(
        0, 1.3, [](double t) { return 140 * std::pow(10.0, t / 1.3); }, SoftSquare,
        [](double t) {
            const double rate = 8 + 30 * t;  // tremolo quickens
            return (0.55 + 0.45 * std::sin(2 * kPi * rate * t * t / 1.3 + 2 * kPi * 8 * t)) *
                   (0.4 + 0.6 * t / 1.3);
        });
    track.AddNoise(1.22, 0.28, AttackDecay(0.01, 0.09), 0x0FEu);
    track.Saturate(3.0);
    return track.Render();
}

// Error beeps that stumble downwards, with stutters.
std::vector<int16_t> SystemMalfunction() {
    Track track(1.7, kSampleRate);
    const double notes[] = {1245, 1175, 1245, 880, 932, 622, 659, 440, 466, 311};
    const double gaps[] = {0.05, 0.03, 0.08, 0.05, 0.08, 0.05, 0.07, 0.05, 0.08, 0.0};
    double at = 0;
    for (int i = 0; i < 10; ++i) {
        const double f = notes[i];
        const double len = i == 9 ? 0.3 : 0.09;
        track.AddTone(
            at, len, [f, i](double t) { return i == 9 ? f * (1 - 0.4 * t / 0.3) : f; },
            [](double p) { return p < 0.5 ? 0.8 : -0.8; },  // raw square: a cheap beeper
            AttackRelease(len, 0.002, 0.005));
        at += len + gaps[i];
    }
    return track.Render(0.7);
}

// A prison klaxon: three harsh honks under a ringing bell.
std::vector<int16_t> JailBreak() {
    Track track(2.0, kSampleRate);
    for (int i = 0; i < 3; ++i) {
        const double start = 0.05 + i * 0.65;
        auto honk = AttackRelease(0.48, 0.03, 0.06);
        track.AddTone(start, 0.48, Constant(185), Saw, honk);
        track.AddTone(start, 0.48, Constant(277), Saw, [honk](double t) { return 0.7 * honk(t); });
    }
    track.Saturate(2.2);
    // Bell partials (inharmonic) ringing over it.
    const double partials[] = {1.0, 2.76, 5.40};
    for (int i = 0; i < 3; ++i) {
        const double f = 1046 * partials[i];
        track.AddTone(0.0, 1.6, Constant(f), Sine,
                      [i](double t) { return (0.55 / (i + 1)) * std::exp(-t / 0.5); });
        track.AddTone(0.65, 1.3, Constant(f), Sine,
                      [i](double t) { return (0.45 / (i + 1)) * std::exp(-t / 0.45); });
    }
    return track.Render();
}

}  // namespace

const char* AlarmName(int index) {
    static const char* const kNames[kAlarmCount] = {"car alarm",   "police siren",    "smurf invasion",
                                                    "barking dog", "system overload", "system malfunction",
                                                    "jail break"};
    return index >= 0 && index < kAlarmCount ? kNames[index] : "";
}

std::vector<int16_t> MakeAlarm(int index) {
    switch (index) {
        case 0:
            return CarAlarm();
        case 1:
            return PoliceSiren();
        case 2:
            return SmurfInvasion();
        case 3:
            return BarkingDog();
        case 4:
            return SystemOverload();
        case 5:
            return SystemMalfunction();
        case 6:
            return JailBreak();
    }
    return {};
}

}  // namespace sounds
