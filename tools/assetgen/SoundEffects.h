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

// Every effect sits at this RMS level, peaks rounded off below the ceiling; the music sits
// lower so effects stay clear over it.
constexpr double kEffectRmsDb = -16.0;
constexpr double kEffectCeilingDb = -1.5;

std::vector<SoundClip> MakeSoundEffects();

}  // namespace assetgen
