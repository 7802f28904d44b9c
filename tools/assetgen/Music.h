// A small sequencer for the looping music. The score is plain text kept in assets/:
//
//   tempo 96          beats a minute
//   meter 4 2         beats a bar, grid steps a beat
//   bars 16           length of the loop
//   lead  | a4 - c5 - f5 - - - | ...      one token per grid step
//
// Tracks: lead, bells (melodic: note names like c5, f#4, bb3), bass (the same), pad (chords:
// F, Dm, Bb, Gm7, Cmaj7, Csus4) and drums (k kick, s snare, h hat, o open hat, combinable: kh).
// "." is a rest, "-" holds the note before it, "|" is only for the reader's eye; a line that
// starts with "#" is a comment. A track may continue over several lines; each must fill exactly
// the whole loop.
#pragma once

#include <string>
#include <vector>

#include "tools/assetgen/Synth.h"

namespace assetgen {

enum class Instrument { kLead, kBells, kBass, kPad, kDrums };

struct ScoreEvent {
    Instrument instrument = Instrument::kLead;
    int step = 0;            // where it starts, in grid steps from the loop's start
    int length = 1;          // in grid steps
    std::vector<int> notes;  // MIDI notes; for drums the kit pieces as characters
};

struct Score {
    double tempo = 96.0;
    int beatsPerBar = 4;
    int stepsPerBeat = 2;
    int bars = 16;
    std::vector<ScoreEvent> events;

    int TotalSteps() const { return bars * beatsPerBar * stepsPerBeat; }
    double StepSeconds() const { return 60.0 / tempo / stepsPerBeat; }
};

// Returns false with a message naming the line when the text is not a valid score.
bool ParseScore(const std::string& text, Score& score, std::string& error);
// Renders one pass of the loop. Notes ringing past the end sound on at its start, so the loop
// plays round without a seam.
synth::Signal RenderScore(const Score& score);

}  // namespace assetgen
