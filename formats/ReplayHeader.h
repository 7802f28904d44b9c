// The header of a replay file: the '#' lines that say how one game started and how it ended.
// A replay is text: the header lines below, then the game's input from its first frame (frame 0
// is the frame the game started in) in the input-script format, then the result line:
//
//   #tarngame-replay 1                     format version, always the first line
//   #rules N                               the rules version that played it
//   #mode rounds|push|daily
//   #board NAME                            rounds, rounds-from-N, push, daily-YYYY-MM-DD, set-HASH
//   #draws N                               numbers drawn from the game's sequence before the game
//   #start N                               the round it started at, counted from 1
//   #progress N                            the best round the save had reached, counted from 1
//   #date YYYY-MM-DD                       a daily game's day (UTC); daily only
//   #scores ...                            the high-score table, where it changes the flow
//   #round CODE                            a custom set's rounds, one a line, in order
//   #name ABCDE                            up to 5 of A-Z and space; not verified
//   ... input lines ...
//   #result score=N rounds=N last=N frames=N
//
// The game, the verifier and the hall-of-fame server read it here, so they agree on every field.
// Only the header is read: the input lines are the input script's to judge.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

constexpr int kReplayFormatVersion = 1;
constexpr size_t kReplayMaxBytes = 2 * 1024 * 1024;
constexpr long kReplayMaxFrames = 6L * 60 * 60 * 20;  // six hours at 20 frames a second
// No run draws this many numbers before a game (a day of effects draws far fewer); it also
// keeps skipping to the game's place in the sequence quick, and fits a 32-bit long (the page).
constexpr long kReplayMaxDraws = 1000000000L;

struct ReplayHeader {
    int formatVersion = 0;
    int rulesVersion = 0;
    std::string mode;
    std::string board;
    long draws = 0;
    int startRound = 1;
    int progress = 1;
    std::string date;  // daily only
    std::string scores;
    std::vector<std::string> roundCodes;
    bool hasName = false;
    std::string name;
    bool hasResult = false;
    long score = 0;
    int roundsCleared = 0;
    int lastRound = 0;
    long frames = 0;
};

// Reads every '#' line of a replay (the input lines are skipped). Returns "" on success, else a
// one-line reason naming the line. Refuses a file over kReplayMaxBytes, a foreign format version,
// a missing or repeated field, a malformed value, a name that breaks the name rule, a result line
// that is not the last line, and a frame count over kReplayMaxFrames.
std::string ParseReplayHeader(const std::string& text, ReplayHeader* header);

// The replay's text without its #name line: two submissions of one game compare equal.
std::string ReplayWithoutName(const std::string& text);

// Up to 5 of A-Z and space.
bool IsValidReplayName(const std::string& name);
// YYYY-MM-DD, a real day of the Gregorian calendar.
bool IsValidReplayDate(const std::string& date);
