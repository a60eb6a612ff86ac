#include "tools/sounds/Synth.h"

#include <algorithm>
#include <cmath>

namespace sounds {

namespace {
constexpr double kTwoPi = 6.283185307179586;
}

Track::Track(double seconds, int sampleRate)
    : rate_(sampleRate), data_(size_t(seconds * sampleRate + 0.5), 0.0f) {}

void Track::AddTone(double start, double length, const std::function<double(double)>& frequency,
                    const std::function<double(double)>& wave,
                    const std::function<double(double)>& envelope) {
    const size_t first = size_t(std::max(0.0, start) * rate_);
    const size_t count = size_t(length * rate_);
    double phase = 0;
    for (size_t i = 0; i < count && first + i < data_.size(); ++i) {
        const double t = double(i) / rate_;
        data_[first + i] += float(wave(phase) * envelope(t));
        phase += frequency(t) / rate_;
        phase -= std::floor(phase);
    }
}

void Track::AddNoise(double start, double length, const std::function<double(double)>& envelope,
                     uint32_t seed) {
    const size_t first = size_t(std::max(0.0, start) * rate_);
    const size_t count = size_t(length * rate_);
    for (size_t i = 0; i < count && first + i < data_.size(); ++i) {
        seed = seed * 1664525u + 1013904223u;
        const double white = double(seed >> 8) / double(1u << 24) * 2.0 - 1.0;
        data_[first + i] += float(white * envelope(double(i) / rate_));
    }
}

void Track::BandPass(double start, double length, double centreHz, double q) {
    const double w0 = kTwoPi * centreHz / rate_;
    const double alpha = std::sin(w0) / (2 * q);
    const double a0 = 1 + alpha;
    const double b0 = alpha / a0, b2 = -alpha / a0;
    const double a1 = -2 * std::cos(w0) / a0, a2 = (1 - alpha) / a0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    const size_t first = size_t(std::max(0.0, start) * rate_);
    const size_t count = size_t(length * rate_);
    for (size_t i = first; i < first + count && i < data_.size(); ++i) {
        const double x = data_[i];
        const double y = b0 * x + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        data_[i] = float(y);
    }
}

void Track::Saturate(double drive) {
    for (float& s : data_) s = float(std::tanh(s * drive) / std::tanh(drive));
}

std::vector<int16_t> Track::Render(double peak) const {
    float top = 0;
    for (float s : data_) top = std::max(top, std::fabs(s));
    const double gain = top > 0 ? peak / top : 0;
    const size_t fade = size_t(rate_ * 0.004);
    std::vector<int16_t> out(data_.size());
    for (size_t i = 0; i < data_.size(); ++i) {
        double v = data_[i] * gain;
        if (i < fade) v *= double(i) / fade;
        if (data_.size() - 1 - i < fade) v *= double(data_.size() - 1 - i) / fade;
        out[i] = int16_t(std::lround(std::clamp(v, -1.0, 1.0) * 32767));
    }
    return out;
}

double Sine(double phase) {
    return std::sin(kTwoPi * phase);
}

double Triangle(double phase) {
    return 1.0 - 4.0 * std::fabs(phase - 0.5);
}

double SoftSquare(double phase) {
    double v = 0;
    for (int k = 1; k <= 7; k += 2) v += std::sin(kTwoPi * k * phase) / k;
    return v * 0.9;
}

double Saw(double phase) {
    double v = 0;
    for (int k = 1; k <= 8; ++k) v += std::sin(kTwoPi * k * phase) / k;
    return v * 0.6;
}

std::function<double(double)> AttackRelease(double length, double attack, double release) {
    return [=](double t) {
        if (t < attack) return t / attack;
        if (t > length - release) return std::max(0.0, (length - t) / release);
        return 1.0;
    };
}

std::function<double(double)> AttackDecay(double attack, double decayTime) {
    return [=](double t) { return t < attack ? t / attack : std::exp(-(t - attack) / decayTime); };
}

}  // namespace sounds
