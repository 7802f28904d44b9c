#include "game/RoundBook.h"

#include <cstdio>

#include "game/RoundSetFile.h"
#include "gfx/DataPath.h"

namespace {

// FNV-1a over the compiled rounds: the text's comments and titles do not change it, so
// progress survives editing them.
uint32_t HashRecords(const std::vector<RoundRecord>& records) {
    uint32_t hash = 2166136261u;
    for (const RoundRecord& record : records) {
        for (uint8_t byte : record) {
            hash ^= byte;
            hash *= 16777619u;
        }
    }
    hash ^= static_cast<uint32_t>(records.size());
    return hash * 16777619u;
}

}  // namespace

RoundBook::RoundBook() : records_(kRoundCount, RoundRecord{}) {}

RoundBook RoundBook::BuiltIn(const char* dataDir) {
    RoundBook book;
    char path[kMaxDataPath];
    if (!MakeDataPath(path, dataDir, "\\rounds.dat")) return book;
    FILE* f = std::fopen(path, "rb");
    if (!f) return book;
    std::vector<uint8_t> bytes(kRoundCount * kRoundRecordBytes);
    const size_t n = std::fread(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return FromBytes(bytes.data(), n);
}

RoundBook RoundBook::FromBytes(const uint8_t* bytes, size_t size) {
    RoundBook book;
    for (size_t i = 0; i < size && i < kRoundCount * kRoundRecordBytes; ++i) {
        // Anything but a colour reads as an empty cell.
        const uint8_t byte = bytes[i];
        book.records_[i / kRoundRecordBytes][i % kRoundRecordBytes] =
            byte >= 1 && byte <= 8 ? byte : 0;
    }
    return book;
}

bool RoundBook::Compile(const std::string& text, RoundBook* out, std::string* error) {
    RoundSet set;
    *error = ParseRounds(text, set, 1);
    if (error->empty()) *error = CheckRounds(set);
    if (!error->empty()) return false;
    *out = OfRecords(set.records, true);
    return true;
}

bool RoundBook::Load(const std::string& path, RoundBook* out, std::string* error) {
    std::string text;
    if (!RoundSetFile::ReadText(path, &text)) {
        *error = path + ": cannot read the round set";
        return false;
    }
    // An empty file reads as no text, refused below as no rounds.
    if (Compile(text, out, error)) return true;
    *error = path + ": " + *error;
    return false;
}

RoundBook RoundBook::OfRecords(const std::vector<RoundRecord>& records, bool saved) {
    RoundBook book;
    book.records_ = records;
    if (book.records_.size() > static_cast<size_t>(kRoundCount)) book.records_.resize(kRoundCount);
    if (book.records_.empty()) book.records_.push_back(RoundRecord{});
    book.builtIn_ = false;
    book.NameFiles(saved);
    return book;
}

RoundBook RoundBook::Trial(const RoundRecord& record, int index) {
    if (index < 0 || index >= kRoundCount) index = 0;
    std::vector<RoundRecord> records(index + 1, RoundRecord{});
    records[index] = record;
    return OfRecords(records, false);
}

void RoundBook::NameFiles(bool saved) {
    if (!saved) {
        progressFile_[0] = scoresFile_[0] = '\0';
        return;
    }
    const unsigned hash = HashRecords(records_);
    std::snprintf(progressFile_, sizeof progressFile_, "\\com-%08x.dat", hash);
    std::snprintf(scoresFile_, sizeof scoresFile_, "\\data-%08x.dat", hash);
}

uint32_t RoundBook::Hash() const {
    return HashRecords(records_);
}

int RoundBook::Cell(int round, int row, int col) const {
    if (round < 0 || round >= Count() || row < 0 || row >= kRoundRows || col < 0 ||
        col >= RoundRowLength(row))
        return 0;
    return records_[round][RoundRowOffset(row) + col];
}
