// Turns the round source (assets/rounds.txt) into rounds.dat: 48 records of 83 bytes, one per
// round, no header. A record is the field's rows 0..10, top first; even rows hold 8 cells, odd
// rows 7, one byte per cell from the left: 1..8 a bubble of that colour, 0 empty.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

constexpr int kRoundCount = 48;
constexpr int kRoundRows = 11;
constexpr int kRoundRecordBytes = 83;

using RoundRecord = std::array<uint8_t, kRoundRecordBytes>;

int RoundRowLength(int row);  // 8 on even rows, 7 on odd rows
int RoundRowOffset(int row);  // where the row starts in a record

struct RoundSet {
    std::vector<RoundRecord> records;
    std::vector<std::string> titles;
};

// Reads the whole source. Returns "" on success, else what is wrong, naming the round and the
// row (and the line) so the designer can find it.
std::string ParseRounds(const std::string& text, RoundSet& rounds);
// The rounds.dat bytes: kRoundCount * kRoundRecordBytes.
std::vector<uint8_t> PackRounds(const RoundSet& rounds);
// The source text for a set of rounds, as ParseRounds reads it back.
std::string FormatRounds(const RoundSet& rounds);

}  // namespace assetgen
