// The game's fourteen sound effects, each made from scratch by the synth and mastered to the
// same loudness.
#pragma once

#include <string>
#include <vector>

#include "tools/assetgen/Synth.h"

namespace assetgen {

struct SoundClip {
    std::string file;  // e.g. "go.wav"
    synth::Signal samples;
};

// Effects sit around this RMS level, peaks rounded off below the ceiling. The game mixes up to
// seven effects and the music by plain addition, so the level leaves headroom for a pop, a
// clack and the tune landing together. The music sits lower so effects cut through it.
constexpr double kEffectRmsDb = -18.0;
constexpr double kEffectCeilingDb = -1.5;

std::vector<SoundClip> MakeSoundEffects();

}  // namespace assetgen
