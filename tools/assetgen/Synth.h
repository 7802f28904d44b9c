// Small building blocks for making sounds in code: oscillators, noise, envelopes, filters and
// mixing. Signals are mono float samples at kSampleRate, nominally in -1..1.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace assetgen::synth {

using Signal = std::vector<float>;

constexpr double kPi = 3.14159265358979323846;

int SamplesFor(double seconds);
double SecondsOf(const Signal& s);
// Equal temperament, A4 (MIDI 69) = 440 Hz.
double MidiHz(double midiNote);

enum class Wave { kSine, kTriangle, kSquare, kSaw };

// A tone whose pitch glides exponentially from hzFrom to hzTo over its length; square and saw
// are band-limited so high notes do not alias.
Signal Tone(Wave wave, double seconds, double hzFrom, double hzTo);
Signal Tone(Wave wave, double seconds, double hz);
// Two-operator FM: a sine carrier whose phase is pushed by a sine modulator at ratio * hz, with a
// modulation index falling exponentially from indexStart by indexDecayPerSecond. Bells, e-pianos.
Signal Fm(double seconds, double hz, double ratio, double indexStart, double indexDecayPerSecond);
// White noise from a fixed seed, so every build writes the same bytes.
Signal Noise(double seconds, uint32_t seed);

// Envelopes multiply the signal in place; times in seconds.
void Adsr(Signal& s, double attack, double decay, double sustainLevel, double release);
void Decay(Signal& s, double attack, double halfLife);
void FadeOut(Signal& s, double seconds);
void Vibrato(Signal& s, double rateHz, double depthCents, double delaySeconds);

// State-variable filters; the cutoff sweeps exponentially from hzFrom to hzTo.
enum class FilterMode { kLow, kHigh, kBand };
void Filter(Signal& s, FilterMode mode, double hzFrom, double hzTo, double q = 0.707);

// Mixes src into dst starting at atSeconds, growing dst when needed.
void MixAt(Signal& dst, const Signal& src, double atSeconds, double gain = 1.0);
// Mixes src into a loop of dst's length: what runs past the end continues at the start.
void MixWrapped(Signal& dst, const Signal& src, size_t atSample, double gain);
void Scale(Signal& s, double gain);

// A short feedback echo followed by a small diffuse room. Wrapped: the signal is treated as a
// loop, so tails that run past the end land at its start (used for the music).
void Echo(Signal& s, double delaySeconds, double feedback, double mix, bool wrapped);
void Room(Signal& s, double size, double mix, bool wrapped);

double Peak(const Signal& s);
double Rms(const Signal& s);
double DbOf(double amplitude);
double AmplitudeOf(double db);
// Brings the signal to the target RMS level without letting its peak pass the ceiling: peaks
// above the ceiling are rounded off smoothly rather than clipped.
void Master(Signal& s, double targetRmsDb, double ceilingDb);
// Drops the near-silent end so short effects stay short.
void TrimTail(Signal& s, double thresholdDb);

}  // namespace assetgen::synth
