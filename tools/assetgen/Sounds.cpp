#include "tools/assetgen/Sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace dd::assetgen {
namespace {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;
constexpr double kPeak = 0.891; // -1 dBFS

class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed) {}
    // Uniform in [-1, 1).
    double Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_ / 2147483648.0 - 1.0;
    }
    double Unit() { return (Next() + 1) / 2; }

private:
    std::uint32_t state_;
};

// A two-pole resonator at `frequency` Hz.
class Resonator {
public:
    Resonator(double frequency, double bandwidth) {
        const double r = std::exp(-kPi * bandwidth / kRate);
        a1_ = 2 * r * std::cos(2 * kPi * frequency / kRate);
        a2_ = -r * r;
        gain_ = 1 - r;
    }
    double Process(double x) {
        const double y = gain_ * x + a1_ * y1_ + a2_ * y2_;
        y2_ = y1_;
        y1_ = y;
        return y;
    }

private:
    double a1_, a2_, gain_, y1_ = 0, y2_ = 0;
};

class OnePole {
public:
    explicit OnePole(double cutoff) : a_(std::exp(-2 * kPi * cutoff / kRate)) {}
    double Process(double x) { return y_ = (1 - a_) * x + a_ * y_; }

private:
    double a_, y_ = 0;
};

// Normalises to the peak, fades the ends and converts to 16 bits.
WaveData Finish(std::vector<double> signal, double fadeSeconds) {
    double mean = 0;
    for (double s : signal)
        mean += s;
    mean /= static_cast<double>(signal.size());
    double peak = 1e-9;
    for (double& s : signal) {
        s -= mean;
        peak = std::max(peak, std::fabs(s));
    }
    const std::size_t fade = static_cast<std::size_t>(fadeSeconds * kRate);
    WaveData wave;
    wave.sampleRate = kRate;
    wave.channels = 1;
    wave.samples.resize(signal.size());
    for (std::size_t i = 0; i < signal.size(); ++i) {
        double g = 1;
        if (i < fade)
            g = static_cast<double>(i) / fade;
        if (signal.size() - 1 - i < fade)
            g = std::min(g, static_cast<double>(signal.size() - 1 - i) / fade);
        wave.samples[i] = static_cast<std::int16_t>(std::lround(signal[i] / peak * kPeak * g * 32767));
    }
    return wave;
}

} // namespace

WaveData SynthKlapper() {
    const int n = static_cast<int>(1.3 * kRate);
    Noise noise(0x5A11u);
    std::vector<double> out(static_cast<std::size_t>(n));
    Resonator body(520, 400), rustle(2400, 1800);
    OnePole low(3500);
    // Irregular flaps: each a snap followed by a rattling decay of the cloth.
    double nextFlap = 0.02;
    double envelope = 0, flapStrength = 0;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        if (t >= nextFlap) {
            flapStrength = 0.45 + 0.55 * noise.Unit();
            if (noise.Unit() < 0.18)
                flapStrength = 1.4; // a louder crack of the leech
            envelope = flapStrength;
            nextFlap = t + 0.055 + 0.06 * noise.Unit();
        }
        envelope *= std::exp(-1.0 / (0.018 * kRate));
        const double flutter = 0.6 + 0.4 * std::sin(2 * kPi * 31 * t);
        const double excitation = noise.Next() * envelope * flutter;
        const double s = body.Process(excitation) * 6 + rustle.Process(excitation) * 2 +
                         low.Process(excitation) * 0.6;
        // The wind's breath under it all, swelling once.
        const double gust = std::sin(kPi * t / 1.3);
        out[static_cast<std::size_t>(i)] = s + 0.04 * noise.Next() * gust;
    }
    return Finish(out, 0.02);
}

WaveData SynthKnerp() {
    const int n = static_cast<int>(1.1 * kRate);
    Noise noise(0xC4EE4u);
    std::vector<double> out(static_cast<std::size_t>(n));
    Resonator r1(310, 60), r2(740, 90), r3(1650, 160), r4(2900, 300);
    double phase = 0;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double u = t / 1.1;
        // Stick-slip: the slip rate rises and falls as the planks load and let go.
        const double rate = 70 + 210 * std::sin(kPi * u) * (0.8 + 0.2 * std::sin(2 * kPi * 3.1 * t));
        phase += rate / kRate;
        double pulse = 0;
        if (phase >= 1) {
            phase -= 1;
            pulse = 0.7 + 0.3 * noise.Unit();
        }
        const double groan = std::pow(std::sin(kPi * u), 0.6);
        const double x = pulse * groan + 0.01 * noise.Next();
        out[static_cast<std::size_t>(i)] =
            r1.Process(x) * 1.2 + r2.Process(x) + r3.Process(x) * 0.7 + r4.Process(x) * 0.3;
    }
    return Finish(out, 0.03);
}

WaveData SynthRatel() {
    const int n = static_cast<int>(0.9 * kRate);
    Noise noise(0x4A7E1u);
    std::vector<double> out(static_cast<std::size_t>(n));
    Resonator p1(3150, 120), p2(5230, 180), p3(7400, 260), thud(900, 200);
    double nextClick = 0.01, strength = 0;
    int clickSamples = 0;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        if (t >= nextClick) {
            strength = 0.8 + 0.2 * noise.Unit();
            clickSamples = static_cast<int>(0.0015 * kRate);
            // The pawl speeds up as the winch is cranked, then eases off.
            const double rate = 17 + 8 * std::sin(kPi * t / 0.9);
            nextClick = t + 1.0 / rate;
        }
        double x = 0;
        if (clickSamples > 0) {
            x = noise.Next() * strength;
            --clickSamples;
        }
        out[static_cast<std::size_t>(i)] =
            p1.Process(x) * 3 + p2.Process(x) * 2.5 + p3.Process(x) * 2 + thud.Process(x) * 1.5;
    }
    return Finish(out, 0.01);
}

WaveData SynthWaterloop() {
    // Whole periods of every slow modulation, so the end joins the start.
    const double seconds = 1.6;
    const int n = static_cast<int>(seconds * kRate);
    Noise noise(0x3A7E2u);
    std::vector<double> out(static_cast<std::size_t>(n));
    Resonator swish(650, 900), hiss(1800, 2500);
    OnePole low(380);
    std::vector<std::pair<double, double>> bubbles; // start time, pitch
    for (int k = 0; k < 14; ++k)
        bubbles.push_back({0.05 + (seconds - 0.15) * noise.Unit(), 500 + 900 * noise.Unit()});
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double swell = 0.65 + 0.35 * std::sin(2 * kPi * t / seconds * 2) *
                                        std::sin(2 * kPi * t / seconds * 3 + 0.5);
        const double w = noise.Next();
        double s = (swish.Process(w) * 4 + hiss.Process(w) * 1.2 + low.Process(w) * 1.5) * swell;
        for (auto [start, pitch] : bubbles) {
            const double d = t - start;
            if (d >= 0 && d < 0.04)
                s += 0.25 * std::sin(2 * kPi * pitch * (1 + 6 * d) * d) * std::exp(-d / 0.012);
        }
        out[static_cast<std::size_t>(i)] = s;
    }
    return Finish(out, 0.006);
}

} // namespace dd::assetgen
