#include "tools/assetgen/SoundEffects.h"

#include <cmath>
#include <random>
#include <utility>

namespace assetgen {
namespace {

using synth::FilterMode;
using synth::MidiHz;
using synth::Signal;
using synth::Wave;

// A brassy note: saw through a low-pass that opens as the note speaks, with a touch of vibrato.
Signal Brass(double midi, double seconds, double brightness) {
    Signal s = synth::Tone(Wave::kSaw, seconds, MidiHz(midi));
    const Signal sub = synth::Tone(Wave::kSquare, seconds, MidiHz(midi - 12));
    synth::MixAt(s, sub, 0.0, 0.3);
    synth::Filter(s, FilterMode::kLow, 500.0, 500.0 + brightness, 0.9);
    synth::Adsr(s, 0.015, 0.08, 0.75, std::min(0.12, seconds * 0.5));
    synth::Vibrato(s, 5.5, 12.0, 0.15);
    return s;
}

// A struck bell or chime: FM with a non-integer ratio for the metallic overtones.
Signal Bell(double midi, double seconds, double ratio, double index) {
    Signal s = synth::Fm(seconds, MidiHz(midi), ratio, index, 5.0);
    synth::Decay(s, 0.002, seconds * 0.22);
    synth::FadeOut(s, 0.02);
    return s;
}

// A short plucked note: triangle with a little square for bite.
Signal Pluck(double midi, double seconds) {
    Signal s = synth::Tone(Wave::kTriangle, seconds, MidiHz(midi));
    synth::MixAt(s, synth::Tone(Wave::kSquare, seconds, MidiHz(midi)), 0.0, 0.15);
    synth::Filter(s, FilterMode::kLow, 4000.0, 1500.0);
    synth::Decay(s, 0.003, seconds * 0.35);
    synth::FadeOut(s, 0.01);
    return s;
}

// A water-drop "bloop": a sine whose pitch leaps up as it dies away.
Signal Bloop(double hzFrom, double hzTo, double seconds) {
    Signal s = synth::Tone(Wave::kSine, seconds, hzFrom, hzTo);
    synth::Decay(s, 0.002, seconds * 0.3);
    synth::FadeOut(s, 0.005);
    return s;
}

Signal Go() {
    Signal out;
    synth::MixAt(out, Pluck(79, 0.12), 0.0, 0.8);  // G5: "ready"
    Signal go = Brass(84, 0.5, 3500.0);            // C6: "go!"
    synth::MixAt(go, Brass(79, 0.5, 2500.0), 0.0, 0.6);
    synth::MixAt(go, Bell(96, 0.5, 2.0, 1.2), 0.0, 0.25);
    synth::MixAt(out, go, 0.11, 1.0);
    Signal rush = synth::Noise(0.25, 11);
    synth::Filter(rush, FilterMode::kBand, 800.0, 5000.0, 1.5);
    synth::Adsr(rush, 0.2, 0.0, 1.0, 0.05);
    synth::MixAt(out, rush, 0.0, 0.25);
    synth::Room(out, 0.8, 0.18, false);
    synth::TrimTail(out, -50.0);
    return out;
}

Signal Clear() {
    Signal out;
    const double notes[] = {72, 76, 79};  // C5 E5 G5, then the chord
    for (int i = 0; i < 3; ++i)
        synth::MixAt(out, Brass(notes[i], 0.1, 2500.0), 0.09 * i, 0.8);
    const double chord[] = {72, 76, 79, 84};
    for (double n : chord)
        synth::MixAt(out, Brass(n, 0.75, 3000.0), 0.27, 0.45);
    synth::MixAt(out, Bell(96, 0.9, 2.0, 1.0), 0.27, 0.2);
    synth::Room(out, 1.0, 0.22, false);
    synth::TrimTail(out, -50.0);
    return out;
}

Signal Lose() {
    // Four sagging trombone steps down a semitone each, the last one sliding and wavering.
    Signal out;
    const double notes[] = {67, 66, 65};
    for (int i = 0; i < 3; ++i) {
        Signal n = Brass(notes[i], 0.28, 1200.0);
        synth::Filter(n, FilterMode::kLow, 2500.0, 700.0);
        synth::MixAt(out, n, 0.3 * i, 0.9);
    }
    Signal last = synth::Tone(Wave::kSaw, 0.9, MidiHz(64), MidiHz(58));
    synth::Filter(last, FilterMode::kLow, 1800.0, 400.0, 1.2);
    synth::Adsr(last, 0.02, 0.1, 0.8, 0.35);
    synth::Vibrato(last, 6.0, 35.0, 0.2);
    synth::MixAt(out, last, 0.9, 1.0);
    synth::Room(out, 0.9, 0.15, false);
    synth::TrimTail(out, -50.0);
    return out;
}

Signal Fall() {
    // A long falling whistle, then the landing thud.
    Signal out = synth::Tone(Wave::kSine, 0.8, 1800.0, 220.0);
    synth::MixAt(out, synth::Tone(Wave::kTriangle, 0.8, 900.0, 110.0), 0.0, 0.2);
    synth::Vibrato(out, 9.0, 40.0, 0.0);
    synth::Adsr(out, 0.03, 0.0, 1.0, 0.1);
    Signal thud = synth::Tone(Wave::kSine, 0.45, 90.0, 38.0);
    synth::Decay(thud, 0.004, 0.09);
    Signal rumble = synth::Noise(0.45, 23);
    synth::Filter(rumble, FilterMode::kLow, 600.0, 150.0);
    synth::Decay(rumble, 0.004, 0.07);
    synth::MixAt(thud, rumble, 0.0, 0.9);
    synth::MixAt(out, thud, 0.78, 1.6);
    synth::Room(out, 0.9, 0.12, false);
    synth::TrimTail(out, -50.0);
    return out;
}

Signal Hit() {
    Signal out = synth::Tone(Wave::kSine, 0.3, 190.0, 55.0);
    synth::Decay(out, 0.002, 0.05);
    Signal crack = synth::Noise(0.15, 31);
    synth::Filter(crack, FilterMode::kBand, 2200.0, 900.0, 1.0);
    synth::Decay(crack, 0.001, 0.025);
    synth::MixAt(out, crack, 0.0, 1.2);
    Signal clang = synth::Fm(0.3, 520.0, 1.41, 2.5, 12.0);
    synth::Decay(clang, 0.001, 0.05);
    synth::MixAt(out, clang, 0.0, 0.3);
    synth::TrimTail(out, -50.0);
    return out;
}

Signal Light() {
    // A scatter of high pentatonic pings over a fading shimmer.
    static const int kScale[] = {84, 86, 88, 91, 93, 96, 98, 100};
    std::mt19937 pick(1234);
    Signal out;
    for (int i = 0; i < 10; ++i) {
        const int note = kScale[pick() % 8];
        synth::MixAt(out, Bell(note, 0.35, 2.0, 0.8), 0.045 * i, 0.5 - 0.025 * i);
    }
    Signal shimmer = synth::Noise(0.6, 47);
    synth::Filter(shimmer, FilterMode::kHigh, 6000.0, 9000.0);
    synth::Decay(shimmer, 0.05, 0.12);
    synth::MixAt(out, shimmer, 0.0, 0.2);
    synth::Room(out, 0.7, 0.25, false);
    synth::TrimTail(out, -50.0);
    return out;
}

Signal Bonus() {
    Signal out;
    // E5 B5 E6: high enough to ring, low enough that the overtones stay under the audio band.
    synth::MixAt(out, Bell(76, 0.9, 3.0, 1.4), 0.0, 0.7);
    synth::MixAt(out, Bell(83, 0.9, 3.0, 1.2), 0.12, 0.7);
    synth::MixAt(out, Bell(88, 0.7, 3.0, 0.8), 0.24, 0.4);
    synth::Room(out, 0.8, 0.2, false);
    synth::TrimTail(out, -50.0);
    return out;
}

// A reedy horn note for the rival's taunt.
Signal Horn(double midi, double seconds) {
    Signal s = synth::Tone(Wave::kSquare, seconds, MidiHz(midi));
    synth::MixAt(s, synth::Tone(Wave::kSaw, seconds, MidiHz(midi) * 1.004), 0.0, 0.5);
    synth::Filter(s, FilterMode::kBand, 1400.0, 1100.0, 1.3);
    synth::Adsr(s, 0.01, 0.05, 0.8, 0.04);
    return s;
}

Signal Ben() {
    // "Na-na na-naa": the playground minor third.
    Signal out;
    const double notes[] = {74, 71, 74, 71};
    const double lengths[] = {0.13, 0.13, 0.13, 0.3};
    double at = 0.0;
    for (int i = 0; i < 4; ++i) {
        synth::MixAt(out, Horn(notes[i], lengths[i]), at, 1.0);
        at += lengths[i] + 0.02;
    }
    synth::Room(out, 0.6, 0.12, false);
    synth::TrimTail(out, -50.0);
    return out;
}

Signal Happy() {
    Signal out;
    const double notes[] = {72, 76, 79, 84, 88};
    for (int i = 0; i < 5; ++i)
        synth::MixAt(out, Pluck(notes[i], 0.18), 0.06 * i, 0.8);
    for (int i = 0; i < 4; ++i) {
        synth::MixAt(out, Pluck(i % 2 ? 91 : 88, 0.1), 0.32 + 0.05 * i, 0.5);
    }
    synth::Room(out, 0.6, 0.15, false);
    synth::TrimTail(out, -50.0);
    return out;
}

Signal Bounce() {
    Signal out = synth::Tone(Wave::kTriangle, 0.07, 1500.0, 1100.0);
    synth::Decay(out, 0.001, 0.012);
    Signal click = synth::Noise(0.01, 59);
    synth::Filter(click, FilterMode::kHigh, 3000.0, 3000.0);
    synth::Decay(click, 0.0005, 0.002);
    synth::MixAt(out, click, 0.0, 0.3);
    synth::TrimTail(out, -45.0);
    return out;
}

Signal Breake() {
    // A few bubbles popping at once, on a short bright splash.
    Signal out;
    const double rises[][2] = {{500, 1700}, {650, 2100}, {420, 1500}, {800, 2500}};
    for (int i = 0; i < 4; ++i) {
        synth::MixAt(out, Bloop(rises[i][0], rises[i][1], 0.09), 0.025 * i, 0.8);
    }
    Signal splash = synth::Noise(0.25, 71);
    synth::Filter(splash, FilterMode::kHigh, 2500.0, 5000.0);
    synth::Decay(splash, 0.002, 0.04);
    synth::MixAt(out, splash, 0.0, 0.5);
    synth::MixAt(out, Bell(96, 0.25, 2.0, 0.7), 0.03, 0.25);
    synth::Room(out, 0.5, 0.15, false);
    synth::TrimTail(out, -50.0);
    return out;
}

Signal TwoBall() {
    Signal out = synth::Tone(Wave::kSine, 0.1, 340.0, 250.0);
    synth::Decay(out, 0.001, 0.018);
    Signal knock = synth::Noise(0.05, 83);
    synth::Filter(knock, FilterMode::kBand, 1100.0, 800.0, 3.0);
    synth::Decay(knock, 0.001, 0.008);
    synth::MixAt(out, knock, 0.0, 1.4);
    synth::TrimTail(out, -45.0);
    return out;
}

Signal Shoot() {
    Signal out = synth::Noise(0.24, 97);
    synth::Filter(out, FilterMode::kBand, 600.0, 4500.0, 1.4);
    synth::Adsr(out, 0.04, 0.0, 1.0, 0.18);
    Signal thump = synth::Tone(Wave::kSine, 0.1, 320.0, 140.0);
    synth::Decay(thump, 0.002, 0.02);
    synth::MixAt(out, thump, 0.0, 0.6);
    synth::TrimTail(out, -45.0);
    return out;
}

Signal Menu() {
    Signal out;
    for (int i = 0; i < 2; ++i) {
        Signal s = synth::Tone(Wave::kSquare, 0.045, MidiHz(i ? 88 : 83));
        synth::Filter(s, FilterMode::kLow, 3500.0, 3500.0);
        synth::Adsr(s, 0.002, 0.02, 0.6, 0.015);
        synth::MixAt(out, s, 0.035 * i, 1.0);
    }
    synth::TrimTail(out, -45.0);
    return out;
}

}  // namespace

std::vector<SoundClip> MakeSoundEffects() {
    // Each effect's level against kEffectRmsDb: fanfares a little forward, the constant small
    // ticks and clacks of play a little back. The spread stays within 4 dB.
    struct Recipe {
        const char* file;
        Signal (*make)();
        double levelDb;
    };
    static const Recipe kRecipes[] = {
        {"go.wav", Go, 1.0},          {"clear.wav", Clear, 1.5},   {"lose.wav", Lose, 0.5},
        {"fall.wav", Fall, 0.5},      {"hit.wav", Hit, 0.5},       {"light.wav", Light, -1.0},
        {"bonus.wav", Bonus, 0.0},    {"ben.wav", Ben, 0.0},       {"happy.wav", Happy, 0.0},
        {"bounce.wav", Bounce, -2.0}, {"breake.wav", Breake, 0.0}, {"twoball.wav", TwoBall, -2.5},
        {"shoot.wav", Shoot, -1.5},   {"menu.wav", Menu, -1.5},
    };
    std::vector<SoundClip> clips;
    for (const Recipe& recipe : kRecipes) {
        SoundClip clip{recipe.file, recipe.make()};
        synth::Master(clip.samples, kEffectRmsDb + recipe.levelDb, kEffectCeilingDb);
        clips.push_back(std::move(clip));
    }
    return clips;
}

}  // namespace assetgen
