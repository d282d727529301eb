#include "tools/assetgen/Sounds.h"

#include <algorithm>
#include <array>
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

// Sets the loudness to `rmsDb` (dBFS over the whole sound), rounds off the few peaks that
// would pass -1 dBFS, fades the ends and converts to 16 bits. Loudness, not peaks, decides how
// the sounds sit together: a rattle of sharp clicks has high peaks and little energy.
WaveData Finish(std::vector<double> signal, double fadeSeconds, double rmsDb) {
    // A DC blocker rather than taking the mean off: where the sound pauses it is silent, not
    // held at an offset.
    const double pole = std::exp(-2 * kPi * 10 / kRate);
    double previousIn = 0, previousOut = 0, energy = 0;
    for (double& s : signal) {
        const double out = s - previousIn + pole * previousOut;
        previousIn = s;
        previousOut = out;
        s = out;
        energy += s * s;
    }
    const double rms = std::sqrt(energy / static_cast<double>(signal.size()));
    const double target = std::pow(10.0, rmsDb / 20);
    constexpr double knee = 0.6 * kPeak;
    auto limit = [&](double x) {
        const double a = std::fabs(x);
        if (a <= knee)
            return x;
        const double over = (a - knee) / (kPeak - knee);
        return std::copysign(knee + (kPeak - knee) * std::tanh(over), x);
    };
    // The limiter takes a little energy off; a few rounds of gain make up for it.
    double gain = target / std::max(rms, 1e-12);
    for (int round = 0; round < 6; ++round) {
        double e = 0;
        for (double s : signal)
            e += limit(s * gain) * limit(s * gain);
        gain *= target / std::max(std::sqrt(e / static_cast<double>(signal.size())), 1e-12);
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
        wave.samples[i] =
            static_cast<std::int16_t>(std::lround(limit(signal[i] * gain) * g * 32767));
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
    return Finish(out, 0.02, -18);
}

WaveData SynthKnerp() {
    const int n = static_cast<int>(1.1 * kRate);
    Noise noise(0xC4EE4u);
    std::vector<double> out(static_cast<std::size_t>(n));
    // The hull's planks: a few broad, quickly dying modes, so no pitch rings on.
    Resonator r1(190, 70), r2(460, 120), r3(1020, 220), r4(2250, 420), r5(3600, 700);
    // Three creaks: planks rubbing, then the rope on a cleat, then the planks again. Each is a
    // run of stick-slip jerks whose spacing wanders and jitters, the way wood lets go.
    struct Creak {
        double start, length, rate, jitter, brightness;
    };
    const std::array<Creak, 3> creaks = {Creak{0.03, 0.36, 150, 0.45, 1.0},
                                         Creak{0.47, 0.22, 45, 0.35, 0.5},
                                         Creak{0.74, 0.33, 110, 0.5, 0.8}};
    double nextJerk = 0, jerkLeft = 0, jerkStrength = 0, brightness = 1;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        double x = 0;
        for (const Creak& c : creaks) {
            const double u = (t - c.start) / c.length;
            if (u < 0 || u >= 1)
                continue;
            if (t >= nextJerk) {
                // The load builds and lets go: jerks come faster in the middle of a creak.
                const double rate = c.rate * (0.6 + 0.8 * std::sin(kPi * u));
                nextJerk = t + (1 + c.jitter * noise.Next()) / rate;
                jerkStrength = std::sin(kPi * u) * (0.4 + 0.6 * noise.Unit());
                jerkLeft = 0.0006 * kRate;
                brightness = c.brightness;
            }
        }
        if (jerkLeft > 0) {
            x = jerkStrength * noise.Next();
            --jerkLeft;
        }
        out[static_cast<std::size_t>(i)] = r1.Process(x) * 1.4 + r2.Process(x) * 1.2 +
                                           r3.Process(x) +
                                           brightness * (r4.Process(x) * 0.6 + r5.Process(x) * 0.3);
    }
    return Finish(out, 0.01, -21);
}

WaveData SynthRatel() {
    const int n = static_cast<int>(0.9 * kRate);
    Noise noise(0x4A7E1u);
    std::vector<double> out(static_cast<std::size_t>(n));
    // The pawl rings like the bronze it is; the drum answers each click with a knock.
    Resonator p1(2650, 90), p2(3900, 130), p3(5600, 200), p4(7300, 280), drum(210, 70);
    OnePole gearLow(900);
    double nextClick = 0.01, strength = 0, gear = 0;
    int clickSamples = 0;
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / kRate;
        if (t >= nextClick) {
            strength = 0.8 + 0.2 * noise.Unit();
            clickSamples = static_cast<int>(0.002 * kRate);
            // The pawl speeds up as the winch is cranked, then eases off.
            const double rate = 14 + 9 * std::sin(kPi * t / 0.9);
            nextClick = t + (1 + 0.08 * noise.Next()) / rate;
            gear = 1;
        }
        double x = 0;
        if (clickSamples > 0) {
            x = noise.Next() * strength;
            --clickSamples;
        }
        // The gears grind between the clicks, loudest right after each.
        gear *= std::exp(-1.0 / (0.03 * kRate));
        const double grind =
            gearLow.Process(noise.Next()) * (0.25 + gear) * std::sin(kPi * t / 0.9);
        out[static_cast<std::size_t>(i)] = p1.Process(x) * 3 + p2.Process(x) * 2.5 +
                                           p3.Process(x) * 2 + p4.Process(x) * 1.2 +
                                           drum.Process(x) * 4 + grind * 0.5;
    }
    return Finish(out, 0.01, -15);
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
    return Finish(out, 0.006, -22);
}

} // namespace dd::assetgen
