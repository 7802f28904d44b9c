// The rounds a game plays, loaded once: the built-in 48 from rounds.dat, a player's own set
// compiled from its text at start-up, or the editor's single round under test. It also names
// where the set's progress and high scores are kept, so a custom set never touches the
// built-in ones.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "formats/RoundFormat.h"

class RoundBook {
  public:
    RoundBook();  // 48 empty rounds, the built-in files

    // The built-in set from the data directory. Always 48 rounds: what the file lacks reads as
    // empty cells, as the handheld's did.
    static RoundBook BuiltIn(const char* dataDir);
    static RoundBook FromBytes(const uint8_t* bytes, size_t size);
    // A player's set of 1..48 rounds from the text form, held to the rules the build checks.
    // False with the build's message (round, row, line) when it is malformed.
    static bool Compile(const std::string& text, RoundBook* out, std::string* error);
    // The same from a file; the error then starts with the file's name.
    static bool Load(const std::string& path, RoundBook* out, std::string* error);
    static RoundBook OfRecords(const std::vector<RoundRecord>& records, bool saved);
    // One round to try out at its place in a set (index from 0), so a boss round brings its
    // boss and the background and bonus are the round's own; the set ends after it and
    // nothing it does is saved.
    static RoundBook Trial(const RoundRecord& record, int index);

    int Count() const { return static_cast<int>(records_.size()); }
    int LastRound() const { return Count() - 1; }
    // Code of a cell, 0 empty or 1..8; 0 outside the set.
    int Cell(int round, int row, int col) const;
    // File names for MakeDataPath; empty when the set keeps nothing.
    const char* ProgressFile() const { return progressFile_; }
    const char* ScoresFile() const { return scoresFile_; }
    bool IsBuiltIn() const { return builtIn_; }
    const std::vector<RoundRecord>& Records() const { return records_; }
    // The hash that names the set's files (and its replays' board).
    uint32_t Hash() const;

  private:
    void NameFiles(bool saved);

    std::vector<RoundRecord> records_;
    bool builtIn_ = true;
    char progressFile_[24] = "\\com.dat";
    char scoresFile_[24] = "\\data.dat";
};
