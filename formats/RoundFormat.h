// The round format, in its two forms. rounds.dat holds one record of 83 bytes per round, no
// header: the field's rows 0..10, top first; even rows hold 8 cells, odd rows 7, one byte per
// cell from the left: 1..8 a bubble of that colour, 0 empty. The text form (assets/rounds.txt,
// the files of --rounds and the editor) is what designers write; the build, the game and the
// editor all read it here, and hold it to the same structural rules with the same words.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr int kRoundCount = 48;  // the built-in set, and the most a set may hold
constexpr int kRoundRows = 11;
constexpr int kRoundRecordBytes = 83;

using RoundRecord = std::array<uint8_t, kRoundRecordBytes>;

int RoundRowLength(int row);  // 8 on even rows, 7 on odd rows
int RoundRowOffset(int row);  // where the row starts in a record
bool IsBossRound(int index);  // 12, 24, 36 and 48, counted from 0

struct RoundSet {
    std::vector<RoundRecord> records;
    std::vector<std::string> titles;
    // The source as written, so a save can give back untouched rounds unchanged: the lines
    // before the first round, and each round's lines up to the next round.
    std::string preamble;
    std::vector<std::string> blocks;
};

// Reads a whole source of minRounds..kRoundCount rounds. Returns "" on success, else what is
// wrong, naming the round and the row (and the line) so the designer can find it.
std::string ParseRounds(const std::string& text, RoundSet& rounds, int minRounds = kRoundCount);
// The rounds.dat bytes: one record after another.
std::vector<uint8_t> PackRounds(const RoundSet& rounds);
// The source text for a set of rounds, as ParseRounds reads it back.
std::string FormatRounds(const RoundSet& rounds);
// As FormatRounds, but rounds equal to those of the source they were read from keep their
// text as written (comments included), and so does the text before the first round.
std::string FormatRoundsKeeping(const RoundSet& rounds, const RoundSet& source);

// The rules every round is held to: at least one bubble, rows 8 to 10 empty, every bubble
// hanging from the ceiling, and in a boss round the middle left open for the boss. Returns ""
// or the first rule the round breaks, naming the round (index counted from 0) and the row and
// cell, both counted from 1 as a designer counts them (the top row is row 1).
std::string CheckRound(const RoundRecord& record, int index);
enum class RoundRule { kKept, kEmpty, kLowRows, kLoose, kBossWay, kBossCrowded };
struct RoundFault {
    RoundRule rule = RoundRule::kKept;
    int row = -1, col = -1;  // the first cell at fault, or -1
    int bubbles = 0;
};
RoundFault FindRoundFault(const RoundRecord& record, int index);
// CheckRound's words for a fault, naming the round index (counted from 0).
std::string DescribeRoundFault(const RoundFault& fault, int index);
// The rule in a few capitals, for the editor's screen: "LOOSE BUBBLE" (16 at most).
const char* RoundRuleLabel(RoundRule rule);
std::string CheckRounds(const RoundSet& rounds);
// Cells (record offsets) holding a bubble that nothing holds up: it would fall at once.
std::array<bool, kRoundRecordBytes> LooseCells(const RoundRecord& record);
// A bubble in a boss round where the boss moves.
bool InBossWay(int row, int col);
