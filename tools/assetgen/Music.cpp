#include "tools/assetgen/Music.h"

#include <cctype>
#include <cmath>
#include <map>
#include <sstream>

#include "tools/assetgen/WavWriter.h"

namespace assetgen {
namespace {

using synth::FilterMode;
using synth::MidiHz;
using synth::Signal;
using synth::Wave;

struct Token {
    std::string text;
    int line = 0;
};

const std::map<std::string, Instrument>& TrackNames() {
    static const std::map<std::string, Instrument> names = {{"lead", Instrument::kLead},
                                                            {"bells", Instrument::kBells},
                                                            {"bass", Instrument::kBass},
                                                            {"pad", Instrument::kPad},
                                                            {"drums", Instrument::kDrums}};
    return names;
}

int PitchClass(char letter) {
    static const int kClasses[] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
    return kClasses[std::tolower(static_cast<unsigned char>(letter)) - 'a'];
}

bool IsNoteLetter(char c) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'g';
}

// "c5", "f#4", "bb3" -> MIDI note; -1 if it is no note name.
int ParseNote(const std::string& t) {
    if (t.size() < 2 || !std::islower(static_cast<unsigned char>(t[0])) || !IsNoteLetter(t[0])) {
        return -1;
    }
    int pc = PitchClass(t[0]);
    size_t i = 1;
    if ((t[i] == '#' || t[i] == 'b') && i + 1 < t.size()) pc += t[i++] == '#' ? 1 : -1;
    if (i + 1 != t.size() || !std::isdigit(static_cast<unsigned char>(t[i]))) return -1;
    return (t[i] - '0' + 1) * 12 + pc;
}

// "F", "Dm", "Bb", "Gm7", "Cmaj7" -> the chord's notes voiced around middle C; empty if invalid.
std::vector<int> ParseChord(const std::string& t) {
    if (t.empty() || !std::isupper(static_cast<unsigned char>(t[0])) || !IsNoteLetter(t[0])) {
        return {};
    }
    int root = PitchClass(t[0]);
    size_t i = 1;
    if (i < t.size() && (t[i] == '#' || t[i] == 'b')) root += t[i++] == '#' ? 1 : -1;
    static const std::map<std::string, std::vector<int>> kQualities = {
        {"", {0, 4, 7}},       {"m", {0, 3, 7}},        {"7", {0, 4, 7, 10}},
        {"m7", {0, 3, 7, 10}}, {"maj7", {0, 4, 7, 11}}, {"sus4", {0, 5, 7}}};
    const auto quality = kQualities.find(t.substr(i));
    if (quality == kQualities.end()) return {};
    root = ((root % 12) + 12) % 12 + 48;
    if (root < 53) root += 12;  // keep the pad between F3 and E5
    std::vector<int> notes;
    for (int interval : quality->second)
        notes.push_back(root + interval);
    return notes;
}

std::vector<int> ParseDrums(const std::string& t) {
    std::vector<int> pieces;
    for (char c : t) {
        if (c != 'k' && c != 's' && c != 'h' && c != 'o') return {};
        pieces.push_back(c);
    }
    return pieces;
}

std::vector<int> ParseSound(Instrument instrument, const std::string& t) {
    if (instrument == Instrument::kDrums) return ParseDrums(t);
    if (instrument == Instrument::kPad) return ParseChord(t);
    const int note = ParseNote(t);
    return note < 0 ? std::vector<int>{} : std::vector<int>{note};
}

std::string LineError(int line, const std::string& what) {
    return "music score line " + std::to_string(line) + ": " + what;
}

bool ReadTrack(Instrument instrument, const std::vector<Token>& tokens, Score& score,
               std::string& error) {
    long open = -1;  // index of the event a '-' would lengthen
    for (size_t step = 0; step < tokens.size(); ++step) {
        const Token& token = tokens[step];
        if (token.text == ".") {
            open = -1;
        } else if (token.text == "-") {
            if (open < 0 || instrument == Instrument::kDrums) {
                error = LineError(token.line, "'-' has no note to hold");
                return false;
            }
            ++score.events[static_cast<size_t>(open)].length;
        } else {
            ScoreEvent event;
            event.instrument = instrument;
            event.step = static_cast<int>(step);
            event.notes = ParseSound(instrument, token.text);
            if (event.notes.empty()) {
                error = LineError(token.line, "cannot read '" + token.text + "'");
                return false;
            }
            score.events.push_back(event);
            open = static_cast<long>(score.events.size()) - 1;
        }
    }
    return true;
}

bool ReadSetting(const std::string& word, std::istringstream& in, Score& score) {
    if (word == "tempo") {
        return static_cast<bool>(in >> score.tempo) && score.tempo >= 30.0 && score.tempo <= 300.0;
    }
    if (word == "meter") {
        return static_cast<bool>(in >> score.beatsPerBar >> score.stepsPerBeat) &&
               score.beatsPerBar > 0 && score.beatsPerBar <= 16 && score.stepsPerBeat > 0 &&
               score.stepsPerBeat <= 8;
    }
    return static_cast<bool>(in >> score.bars) && score.bars > 0 && score.bars <= 256;
}

Signal LeadVoice(int midi, double seconds) {
    const double release = 0.35;
    Signal s = synth::Fm(seconds + release, MidiHz(midi), 1.0, 1.6, 2.5);
    synth::MixAt(s, synth::Tone(Wave::kSine, seconds + release, MidiHz(midi + 12)), 0.0, 0.12);
    synth::Adsr(s, 0.01, 0.45, 0.55, release);
    synth::Vibrato(s, 5.0, 9.0, 0.35);
    return s;
}

Signal BellVoice(int midi, double seconds) {
    Signal s = synth::Fm(seconds + 1.2, MidiHz(midi), 3.0, 1.1, 4.0);
    synth::Decay(s, 0.003, 0.3);
    synth::FadeOut(s, 0.05);
    return s;
}

Signal BassVoice(int midi, double seconds) {
    const double release = 0.12;
    Signal s = synth::Tone(Wave::kSine, seconds + release, MidiHz(midi));
    synth::MixAt(s, synth::Tone(Wave::kTriangle, seconds + release, MidiHz(midi)), 0.0, 0.35);
    synth::Filter(s, FilterMode::kLow, 900.0, 500.0);
    synth::Adsr(s, 0.012, 0.35, 0.6, release);
    return s;
}

Signal PadVoice(const std::vector<int>& notes, double seconds) {
    const double release = 0.7;
    Signal s(static_cast<size_t>(synth::SamplesFor(seconds + release)), 0.0f);
    for (int midi : notes) {
        for (double cents : {-7.0, 7.0}) {
            const double hz = MidiHz(midi + cents / 100.0);
            synth::MixAt(s, synth::Tone(Wave::kSaw, seconds + release, hz), 0.0, 0.5);
        }
    }
    synth::Filter(s, FilterMode::kLow, 1100.0, 800.0);
    synth::Adsr(s, 0.4, 0.6, 0.8, release);
    return s;
}

Signal DrumVoice(int piece) {
    if (piece == 'k') {
        Signal s = synth::Tone(Wave::kSine, 0.3, 120.0, 42.0);
        synth::Decay(s, 0.002, 0.07);
        return s;
    }
    if (piece == 's') {
        Signal s = synth::Noise(0.2, 5);
        synth::Filter(s, FilterMode::kBand, 2200.0, 1600.0, 0.8);
        synth::MixAt(s, synth::Tone(Wave::kTriangle, 0.2, 190.0, 160.0), 0.0, 0.5);
        synth::Decay(s, 0.002, 0.035);
        return s;
    }
    const bool open = piece == 'o';
    Signal s = synth::Noise(open ? 0.35 : 0.08, open ? 9 : 7);
    synth::Filter(s, FilterMode::kHigh, 7000.0, 7000.0);
    synth::Decay(s, 0.001, open ? 0.07 : 0.012);
    return s;
}

double TrackGain(Instrument instrument) {
    switch (instrument) {
        case Instrument::kLead:
            return 0.34;
        case Instrument::kBells:
            return 0.22;
        case Instrument::kBass:
            return 0.22;
        case Instrument::kPad:
            return 0.11;
        case Instrument::kDrums:
            return 1.0;
    }
    return 0.0;
}

void RenderEvent(const ScoreEvent& event, double stepSeconds, size_t at, Signal& out) {
    const double seconds = event.length * stepSeconds;
    const double gain = TrackGain(event.instrument);
    switch (event.instrument) {
        case Instrument::kLead:
            synth::MixWrapped(out, LeadVoice(event.notes[0], seconds), at, gain);
            break;
        case Instrument::kBells:
            synth::MixWrapped(out, BellVoice(event.notes[0], seconds), at, gain);
            break;
        case Instrument::kBass:
            synth::MixWrapped(out, BassVoice(event.notes[0], seconds), at, gain);
            break;
        case Instrument::kPad:
            synth::MixWrapped(out, PadVoice(event.notes, seconds), at, gain);
            break;
        case Instrument::kDrums:
            for (int piece : event.notes) {
                const double level = piece == 'k' ? 0.5 : piece == 's' ? 0.16 : 0.07;
                synth::MixWrapped(out, DrumVoice(piece), at, level);
            }
            break;
    }
}

}  // namespace

bool ParseScore(const std::string& text, Score& score, std::string& error) {
    score = Score();
    std::map<Instrument, std::vector<Token>> tracks;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::istringstream in(line);
        std::string word;
        if (!(in >> word) || word[0] == '#') continue;
        if (word == "tempo" || word == "meter" || word == "bars") {
            if (!ReadSetting(word, in, score)) {
                error = LineError(number, "bad value for " + word);
                return false;
            }
            continue;
        }
        const auto track = TrackNames().find(word);
        if (track == TrackNames().end()) {
            error = LineError(number, "unknown track '" + word + "'");
            return false;
        }
        for (std::string t; in >> t;) {
            if (t != "|") tracks[track->second].push_back({t, number});
        }
    }
    if (tracks.empty()) {
        error = "music score: no tracks";
        return false;
    }
    for (const auto& [instrument, tokens] : tracks) {
        if (static_cast<int>(tokens.size()) != score.TotalSteps()) {
            error = LineError(tokens.back().line, "track has " + std::to_string(tokens.size()) +
                                                      " steps, the loop " +
                                                      std::to_string(score.TotalSteps()));
            return false;
        }
        if (!ReadTrack(instrument, tokens, score, error)) return false;
    }
    return true;
}

synth::Signal RenderScore(const Score& score) {
    const double stepSeconds = score.StepSeconds();
    const auto at = [&](int step) {
        return static_cast<size_t>(std::llround(step * stepSeconds * kSampleRate));
    };
    Signal melody(at(score.TotalSteps()), 0.0f), rest(melody.size(), 0.0f);
    for (const ScoreEvent& event : score.events) {
        const bool melodic =
            event.instrument == Instrument::kLead || event.instrument == Instrument::kBells;
        RenderEvent(event, stepSeconds, at(event.step), melodic ? melody : rest);
    }
    // The echo answers the tune a dotted eighth later; drums and bass stay dry and tight.
    synth::Echo(melody, 3.0 * 60.0 / score.tempo / 4.0, 0.35, 0.22, true);
    for (size_t i = 0; i < rest.size(); ++i)
        rest[i] += melody[i];
    synth::Room(rest, 1.1, 0.16, true);
    return rest;
}

}  // namespace assetgen
