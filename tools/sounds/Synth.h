#pragma once
// A tiny additive synthesiser: a float track that tones, noise and filters are mixed into.
#include <cstdint>
#include <functional>
#include <vector>

namespace sounds {

class Track {
  public:
    Track(double seconds, int sampleRate);

    int SampleRate() const { return rate_; }
    size_t Size() const { return data_.size(); }
    double Seconds() const { return double(data_.size()) / rate_; }
    float& operator[](size_t i) { return data_[i]; }

    // Adds a tone from `start` lasting `length` seconds. `frequency(t)` gives Hz at time t (seconds
    // from the tone's start), `wave(phase)` the waveform over one cycle (phase 0..1), `envelope(t)`
    // the gain.
    void AddTone(double start, double length, const std::function<double(double)>& frequency,
                 const std::function<double(double)>& wave, const std::function<double(double)>& envelope);
    // Adds deterministic white noise shaped by `envelope`.
    void AddNoise(double start, double length, const std::function<double(double)>& envelope, uint32_t seed);

    // Resonant band-pass over a span (second-order, constant peak gain).
    void BandPass(double start, double length, double centreHz, double q);
    // Soft saturation of the whole track; `drive` above 1 adds grit.
    void Saturate(double drive);

    // Scales to the given peak, fades the ends by a few milliseconds and converts to 16 bits.
    std::vector<int16_t> Render(double peak = 0.85) const;

  private:
    int rate_;
    std::vector<float> data_;
};

// Waveforms over one cycle.
double Sine(double phase);
double Triangle(double phase);
double SoftSquare(double phase);  // odd harmonics 1, 3, 5, 7
double Saw(double phase);         // harmonics 1 to 8

// Envelopes.
std::function<double(double)> AttackRelease(double length, double attack, double release);
std::function<double(double)> AttackDecay(double attack, double decayTime);

}  // namespace sounds
