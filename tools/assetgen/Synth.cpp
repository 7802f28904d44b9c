#include "tools/assetgen/Synth.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

#include "tools/assetgen/WavWriter.h"

namespace assetgen::synth {
namespace {

// Removes the step of a naive saw or square at its discontinuity (polynomial band-limited step).
double PolyBlep(double phase, double step) {
    if (phase < step) {
        const double t = phase / step;
        return t + t - t * t - 1.0;
    }
    if (phase > 1.0 - step) {
        const double t = (phase - 1.0) / step;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double WaveSample(Wave wave, double phase, double step) {
    switch (wave) {
        case Wave::kSine:
            return std::sin(2.0 * kPi * phase);
        case Wave::kTriangle: {
            // Starts at zero going up, like the sine, so a note never opens on a step.
            const double p = std::fmod(phase + 0.25, 1.0);
            return p < 0.5 ? 4.0 * p - 1.0 : 3.0 - 4.0 * p;
        }
        case Wave::kSaw:
            return 2.0 * phase - 1.0 - PolyBlep(phase, step);
        case Wave::kSquare: {
            double v = phase < 0.5 ? 1.0 : -1.0;
            v += PolyBlep(phase, step);
            v -= PolyBlep(std::fmod(phase + 0.5, 1.0), step);
            return v;
        }
    }
    return 0.0;
}

double Sweep(double from, double to, double t) {
    return from * std::pow(to / from, t);
}

// Runs fn over the signal as if it were a loop: once to settle the filter state, once for real.
void ProcessLooped(Signal& s, const std::function<void(Signal&)>& fn) {
    Signal twice(s);
    twice.insert(twice.end(), s.begin(), s.end());
    fn(twice);
    std::copy(twice.begin() + static_cast<long>(s.size()), twice.end(), s.begin());
}

class Delay {
  public:
    explicit Delay(int length) : buffer_(static_cast<size_t>(std::max(1, length)), 0.0f) {}
    float Read() const { return buffer_[pos_]; }
    void Write(float v) {
        buffer_[pos_] = v;
        pos_ = (pos_ + 1) % buffer_.size();
    }

  private:
    std::vector<float> buffer_;
    size_t pos_ = 0;
};

void RoomPass(Signal& s, double size, double mix) {
    static const std::array<int, 4> kCombs = {1116, 1188, 1277, 1356};
    static const std::array<int, 2> kAllpasses = {556, 441};
    std::vector<Delay> combs, allpasses;
    for (int c : kCombs)
        combs.emplace_back(static_cast<int>(c * size));
    for (int a : kAllpasses)
        allpasses.emplace_back(a);
    std::vector<float> damp(combs.size(), 0.0f);
    const float feedback = 0.78f, damping = 0.3f;
    for (float& x : s) {
        float wet = 0.0f;
        for (size_t i = 0; i < combs.size(); ++i) {
            const float out = combs[i].Read();
            damp[i] = out * (1.0f - damping) + damp[i] * damping;
            combs[i].Write(x * 0.25f + damp[i] * feedback);
            wet += out;
        }
        for (Delay& ap : allpasses) {
            const float delayed = ap.Read();
            ap.Write(wet + delayed * 0.5f);
            wet = delayed - wet * 0.5f;
        }
        x = static_cast<float>(x * (1.0 - mix) + wet * mix);
    }
}

void EchoPass(Signal& s, double delaySeconds, double feedback, double mix) {
    Delay line(SamplesFor(delaySeconds));
    float tone = 0.0f;
    for (float& x : s) {
        const float delayed = line.Read();
        tone = tone * 0.6f + delayed * 0.4f;  // each repeat a little darker
        line.Write(x + tone * static_cast<float>(feedback));
        x += static_cast<float>(delayed * mix);
    }
}

}  // namespace

int SamplesFor(double seconds) {
    return static_cast<int>(std::lround(seconds * kSampleRate));
}

double SecondsOf(const Signal& s) {
    return static_cast<double>(s.size()) / kSampleRate;
}

double MidiHz(double midiNote) {
    return 440.0 * std::pow(2.0, (midiNote - 69.0) / 12.0);
}

Signal Tone(Wave wave, double seconds, double hzFrom, double hzTo) {
    Signal out(static_cast<size_t>(SamplesFor(seconds)));
    double phase = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double hz = Sweep(hzFrom, hzTo, static_cast<double>(i) / out.size());
        const double step = hz / kSampleRate;
        out[i] = static_cast<float>(WaveSample(wave, phase, step));
        phase = std::fmod(phase + step, 1.0);
    }
    return out;
}

Signal Tone(Wave wave, double seconds, double hz) {
    return Tone(wave, seconds, hz, hz);
}

Signal Fm(double seconds, double hz, double ratio, double indexStart, double indexDecayPerSecond) {
    Signal out(static_cast<size_t>(SamplesFor(seconds)));
    double carrier = 0.0, modulator = 0.0;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double index = indexStart * std::exp(-indexDecayPerSecond * t);
        out[i] = static_cast<float>(
            std::sin(2.0 * kPi * carrier + index * std::sin(2.0 * kPi * modulator)));
        carrier = std::fmod(carrier + hz / kSampleRate, 1.0);
        modulator = std::fmod(modulator + hz * ratio / kSampleRate, 1.0);
    }
    return out;
}

Signal Noise(double seconds, uint32_t seed) {
    Signal out(static_cast<size_t>(SamplesFor(seconds)));
    uint32_t state = seed ? seed : 0x9E3779B9u;
    for (float& x : out) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        x = static_cast<float>(state / 2147483647.5 - 1.0);
    }
    return out;
}

void Adsr(Signal& s, double attack, double decay, double sustainLevel, double release) {
    const double total = SecondsOf(s);
    const double releaseStart = std::max(0.0, total - release);
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        double level;
        if (t < attack) {
            level = t / attack;
        } else if (t < attack + decay) {
            level = 1.0 - (1.0 - sustainLevel) * (t - attack) / decay;
        } else {
            level = sustainLevel;
        }
        if (t > releaseStart && release > 0.0) level *= std::max(0.0, (total - t) / release);
        s[i] *= static_cast<float>(level);
    }
}

void Decay(Signal& s, double attack, double halfLife) {
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double rise = attack > 0.0 ? std::min(1.0, t / attack) : 1.0;
        s[i] *= static_cast<float>(rise * std::exp2(-std::max(0.0, t - attack) / halfLife));
    }
}

void FadeOut(Signal& s, double seconds) {
    const size_t n = std::min(s.size(), static_cast<size_t>(SamplesFor(seconds)));
    for (size_t i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / std::max<size_t>(1, n);
        s[s.size() - 1 - i] *= static_cast<float>(t * t);
    }
}

void Vibrato(Signal& s, double rateHz, double depthCents, double delaySeconds) {
    const double ratio = std::exp2(depthCents / 1200.0) - 1.0;
    const double depthSamples = ratio * kSampleRate / (2.0 * kPi * rateHz);
    const Signal dry(s);
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double fadeIn = std::clamp((t - delaySeconds) / 0.2, 0.0, 1.0);
        const double d = depthSamples * (1.0 + std::sin(2.0 * kPi * rateHz * t)) * fadeIn;
        const double at = static_cast<double>(i) - d;
        if (at < 0.0) continue;
        const size_t k = static_cast<size_t>(at);
        const double frac = at - static_cast<double>(k);
        const double next = k + 1 < dry.size() ? dry[k + 1] : 0.0;
        s[i] = static_cast<float>(dry[k] * (1.0 - frac) + next * frac);
    }
}

void Filter(Signal& s, FilterMode mode, double hzFrom, double hzTo, double q) {
    const double k = 1.0 / q;
    double ic1 = 0.0, ic2 = 0.0;
    const double nyquistGuard = kSampleRate * 0.45;
    for (size_t i = 0; i < s.size(); ++i) {
        const double hz =
            std::min(nyquistGuard, Sweep(hzFrom, hzTo, static_cast<double>(i) / s.size()));
        const double g = std::tan(kPi * hz / kSampleRate);
        const double a1 = 1.0 / (1.0 + g * (g + k));
        const double a2 = g * a1, a3 = g * a2;
        const double v0 = s[i];
        const double v3 = v0 - ic2;
        const double v1 = a1 * ic1 + a2 * v3;
        const double v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2.0 * v1 - ic1;
        ic2 = 2.0 * v2 - ic2;
        double out = v2;
        if (mode == FilterMode::kBand) out = v1 * k;  // unity gain at the centre
        if (mode == FilterMode::kHigh) out = v0 - k * v1 - v2;
        s[i] = static_cast<float>(out);
    }
}

void MixAt(Signal& dst, const Signal& src, double atSeconds, double gain) {
    const size_t start = static_cast<size_t>(SamplesFor(std::max(0.0, atSeconds)));
    if (dst.size() < start + src.size()) dst.resize(start + src.size(), 0.0f);
    for (size_t i = 0; i < src.size(); ++i)
        dst[start + i] += static_cast<float>(src[i] * gain);
}

void MixWrapped(Signal& dst, const Signal& src, size_t atSample, double gain) {
    if (dst.empty()) return;
    for (size_t i = 0; i < src.size(); ++i) {
        dst[(atSample + i) % dst.size()] += static_cast<float>(src[i] * gain);
    }
}

void Scale(Signal& s, double gain) {
    for (float& x : s)
        x = static_cast<float>(x * gain);
}

void Echo(Signal& s, double delaySeconds, double feedback, double mix, bool wrapped) {
    auto pass = [&](Signal& x) { EchoPass(x, delaySeconds, feedback, mix); };
    if (wrapped) {
        ProcessLooped(s, pass);
        return;
    }
    s.resize(s.size() + static_cast<size_t>(SamplesFor(delaySeconds * 4.0)), 0.0f);
    pass(s);
}

void Room(Signal& s, double size, double mix, bool wrapped) {
    auto pass = [&](Signal& x) { RoomPass(x, size, mix); };
    if (wrapped) {
        ProcessLooped(s, pass);
        return;
    }
    s.resize(s.size() + static_cast<size_t>(SamplesFor(0.6 * size)), 0.0f);
    pass(s);
}

double Peak(const Signal& s) {
    double peak = 0.0;
    for (float x : s)
        peak = std::max(peak, static_cast<double>(std::fabs(x)));
    return peak;
}

double Rms(const Signal& s) {
    if (s.empty()) return 0.0;
    double sum = 0.0;
    for (float x : s)
        sum += static_cast<double>(x) * x;
    return std::sqrt(sum / static_cast<double>(s.size()));
}

double DbOf(double amplitude) {
    return 20.0 * std::log10(std::max(amplitude, 1e-12));
}

double AmplitudeOf(double db) {
    return std::pow(10.0, db / 20.0);
}

void Master(Signal& s, double targetRmsDb, double ceilingDb) {
    const double ceiling = AmplitudeOf(ceilingDb);
    const double knee = ceiling * 0.7;
    for (int pass = 0; pass < 6; ++pass) {
        const double rms = Rms(s);
        if (rms <= 0.0) return;
        Scale(s, AmplitudeOf(targetRmsDb) / rms);
        for (float& x : s) {
            const double a = std::fabs(x);
            if (a <= knee) continue;
            const double shaped =
                knee + (ceiling - knee) * std::tanh((a - knee) / (ceiling - knee));
            x = static_cast<float>(std::copysign(shaped, x));
        }
    }
}

void TrimTail(Signal& s, double thresholdDb) {
    const double threshold = AmplitudeOf(thresholdDb) * Peak(s);
    size_t end = s.size();
    while (end > 0 && std::fabs(s[end - 1]) < threshold)
        --end;
    s.resize(end);
    FadeOut(s, std::min(0.01, SecondsOf(s) * 0.2));
}

}  // namespace assetgen::synth
