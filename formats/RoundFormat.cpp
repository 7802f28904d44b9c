#include "formats/RoundFormat.h"

#include <cctype>
#include <cstring>
#include <sstream>

namespace {

// Codes 1..8 in the order the bubble pictures are drawn: red, orange, yellow, green, cyan, blue,
// purple, white.
const char kColourLetters[] = "ROYGCBPW";
// The launcher stands below row 7: a bubble lower down would end the round at once.
constexpr int kLowestFreeRow = 8;
constexpr int kMostBossBubbles = 30;

std::string Trim(const std::string& s) {
    size_t begin = 0, end = s.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(s[begin])))
        ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(s[end - 1])))
        --end;
    return s.substr(begin, end - begin);
}

// Colour code of a cell character: 0 empty, 1..8 a bubble, -1 not a cell.
int CellCode(char ch) {
    if (ch == '.') return 0;
    if (ch >= '1' && ch <= '8') return ch - '0';
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    const char* at = upper ? std::strchr(kColourLetters, upper) : nullptr;
    return at ? static_cast<int>(at - kColourLetters) + 1 : -1;
}

bool StartsWithWord(const std::string& line, const char* word) {
    const size_t n = std::strlen(word);
    return line.compare(0, n, word) == 0 &&
           (line.size() == n || !std::isalnum(static_cast<unsigned char>(line[n])));
}

// Walks the source line by line, filling one round block at a time.
class RoundParser {
  public:
    RoundParser(RoundSet& rounds, int minRounds) : rounds_(rounds), minRounds_(minRounds) {}

    std::string Parse(const std::string& text) {
        std::istringstream lines(text);
        std::string line;
        while (error_.empty() && std::getline(lines, line)) {
            ++lineNumber_;
            const std::string raw = line + "\n";
            line = Trim(line);
            if (StartsWithWord(line, "round")) {
                StartRound(line);
            } else if (!line.empty() && line[0] != '#') {
                ReadRow(line);
            }
            (rounds_.blocks.empty() ? rounds_.preamble : rounds_.blocks.back()) += raw;
        }
        if (error_.empty()) FinishRound();
        const int count = static_cast<int>(rounds_.records.size());
        if (error_.empty() && count < minRounds_) {
            error_ = "round " + std::to_string(count + 1) + ": missing - the source holds only " +
                     std::to_string(count) + " of " + std::to_string(minRounds_) + " rounds";
        }
        return error_;
    }

  private:
    std::string Where(int row) const {
        return "round " + std::to_string(rounds_.records.size()) + ", row " +
               std::to_string(row + 1) + " (line " + std::to_string(lineNumber_) + ")";
    }

    void FinishRound() {
        if (rounds_.records.empty() || rowsRead_ == kRoundRows) return;
        error_ = Where(rowsRead_) + ": missing - a round has " + std::to_string(kRoundRows) +
                 " rows, 1 to " + std::to_string(kRoundRows);
    }

    void StartRound(const std::string& line) {
        FinishRound();
        if (!error_.empty()) return;
        const std::string here = " (line " + std::to_string(lineNumber_) + ")";
        const int expected = static_cast<int>(rounds_.records.size()) + 1;
        if (expected > kRoundCount) {
            error_ = "round " + std::to_string(expected) + here + ": a round set holds at most " +
                     std::to_string(kRoundCount) + " rounds";
            return;
        }
        std::istringstream in(line.substr(std::strlen("round")));
        int number = 0;
        if (!(in >> number) || number != expected) {
            error_ = "round " + std::to_string(expected) + here + ": expected \"round " +
                     std::to_string(expected) + ": title\", found \"" + line + "\"";
            return;
        }
        std::string title;
        std::getline(in, title);
        title = Trim(title);
        if (!title.empty() && title[0] == ':') title = Trim(title.substr(1));
        if (title.empty()) {
            error_ = "round " + std::to_string(expected) + here +
                     ": give the round a title after its number";
            return;
        }
        rounds_.records.push_back(RoundRecord{});
        rounds_.titles.push_back(title);
        rounds_.blocks.emplace_back();
        rowsRead_ = 0;
    }

    void ReadRow(const std::string& line) {
        if (rounds_.records.empty()) {
            error_ = "line " + std::to_string(lineNumber_) +
                     ": cells before the first \"round N: title\" line";
            return;
        }
        if (rowsRead_ == kRoundRows) {
            error_ = Where(rowsRead_) + ": a round has only " + std::to_string(kRoundRows) +
                     " rows, 1 to " + std::to_string(kRoundRows);
            return;
        }
        std::vector<uint8_t> cells;
        for (char ch : line) {
            if (std::isspace(static_cast<unsigned char>(ch))) continue;
            const int code = CellCode(ch);
            if (code < 0) {
                error_ = Where(rowsRead_) + ": '" + std::string(1, ch) +
                         "' is not a cell (a colour letter of " + kColourLetters +
                         ", 1 to 8, or . for empty)";
                return;
            }
            cells.push_back(static_cast<uint8_t>(code));
        }
        const int length = RoundRowLength(rowsRead_);
        if (static_cast<int>(cells.size()) != length) {
            error_ = Where(rowsRead_) + ": " + std::to_string(cells.size()) +
                     " cells, this row holds " + std::to_string(length);
            return;
        }
        RoundRecord& record = rounds_.records.back();
        std::copy(cells.begin(), cells.end(), record.begin() + RoundRowOffset(rowsRead_));
        ++rowsRead_;
    }

    RoundSet& rounds_;
    const int minRounds_;
    std::string error_;
    int lineNumber_ = 0;
    int rowsRead_ = 0;
};

std::string FormatBlock(const RoundSet& rounds, size_t n) {
    const std::string title = n < rounds.titles.size() ? rounds.titles[n] : "untitled";
    std::string text = "round " + std::to_string(n + 1) + ": " + title + "\n";
    for (int row = 0; row < kRoundRows; ++row) {
        if (row % 2 == 1) text += ' ';
        for (int col = 0; col < RoundRowLength(row); ++col) {
            const int code = rounds.records[n][RoundRowOffset(row) + col];
            if (col > 0) text += ' ';
            text += code >= 1 && code <= 8 ? kColourLetters[code - 1] : '.';
        }
        text += '\n';
    }
    return text + "\n";
}

}  // namespace

int RoundRowLength(int row) {
    return row % 2 == 0 ? 8 : 7;
}

int RoundRowOffset(int row) {
    return (row / 2) * 15 + (row % 2) * 8;
}

std::string ParseRounds(const std::string& text, RoundSet& rounds, int minRounds) {
    rounds = RoundSet();
    const std::string error = RoundParser(rounds, minRounds).Parse(text);
    if (!error.empty()) rounds = RoundSet();
    return error;
}

std::vector<uint8_t> PackRounds(const RoundSet& rounds) {
    std::vector<uint8_t> bytes;
    bytes.reserve(rounds.records.size() * kRoundRecordBytes);
    for (const RoundRecord& record : rounds.records) {
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    return bytes;
}

std::string FormatRounds(const RoundSet& rounds) {
    std::string text;
    for (size_t n = 0; n < rounds.records.size(); ++n)
        text += FormatBlock(rounds, n);
    return text;
}

std::string FormatRoundsKeeping(const RoundSet& rounds, const RoundSet& source) {
    std::string text = source.preamble;
    for (size_t n = 0; n < rounds.records.size(); ++n) {
        const bool untouched = n < source.records.size() && n < source.blocks.size() &&
                               n < source.titles.size() && n < rounds.titles.size() &&
                               source.records[n] == rounds.records[n] &&
                               source.titles[n] == rounds.titles[n];
        if (!text.empty() && text.back() != '\n') text += '\n';
        text += untouched ? source.blocks[n] : FormatBlock(rounds, n);
    }
    return text;
}

bool IsBossRound(int index) {
    return index % 12 == 11;
}

bool InBossWay(int row, int col) {
    // Centres in half cells, 1..15 across: the boss moves over the middle, 5..11.
    const int x = 2 * col + 1 + row % 2;
    return x > 4 && x < 12;
}

std::array<bool, kRoundRecordBytes> LooseCells(const RoundRecord& record) {
    std::array<bool, kRoundRecordBytes> held{};
    int todo[kRoundRecordBytes];
    int pending = 0;
    for (int col = 0; col < RoundRowLength(0); ++col) {
        if (record[col] != 0) {
            held[col] = true;
            todo[pending++] = col;
        }
    }
    while (pending > 0) {
        const int at = todo[--pending];
        int row = 0;
        while (row + 1 < kRoundRows && RoundRowOffset(row + 1) <= at)
            ++row;
        const int col = at - RoundRowOffset(row);
        // Even rows start half a cell left of odd ones, so their neighbours above and below
        // are one column further left.
        const int left = row % 2 == 0 ? col - 1 : col;
        const int around[6][2] = {{row, col - 1},      {row, col + 1},  {row - 1, left},
                                  {row - 1, left + 1}, {row + 1, left}, {row + 1, left + 1}};
        for (const auto& cell : around) {
            const int r = cell[0], c = cell[1];
            if (r < 0 || r >= kRoundRows || c < 0 || c >= RoundRowLength(r)) continue;
            const int next = RoundRowOffset(r) + c;
            if (record[next] == 0 || held[next]) continue;
            held[next] = true;
            todo[pending++] = next;
        }
    }
    std::array<bool, kRoundRecordBytes> loose{};
    for (int i = 0; i < kRoundRecordBytes; ++i)
        loose[i] = record[i] != 0 && !held[i];
    return loose;
}

RoundFault FindRoundFault(const RoundRecord& record, int index) {
    const auto loose = LooseCells(record);
    RoundFault fault;
    for (int row = 0; row < kRoundRows; ++row) {
        for (int col = 0; col < RoundRowLength(row); ++col) {
            const int at = RoundRowOffset(row) + col;
            if (record[at] == 0) continue;
            ++fault.bubbles;
            if (fault.rule != RoundRule::kKept) continue;
            if (row >= kLowestFreeRow)
                fault.rule = RoundRule::kLowRows;
            else if (loose[at])
                fault.rule = RoundRule::kLoose;
            else if (IsBossRound(index) && InBossWay(row, col))
                fault.rule = RoundRule::kBossWay;
            else
                continue;
            fault.row = row;
            fault.col = col;
        }
    }
    if (fault.rule != RoundRule::kKept) return fault;
    if (fault.bubbles == 0) fault.rule = RoundRule::kEmpty;
    if (IsBossRound(index) && fault.bubbles > kMostBossBubbles)
        fault.rule = RoundRule::kBossCrowded;
    return fault;
}

const char* RoundRuleLabel(RoundRule rule) {
    switch (rule) {
        case RoundRule::kEmpty:
            return "NO BUBBLES";
        case RoundRule::kLowRows:
            return "BELOW THE LINE";
        case RoundRule::kLoose:
            return "LOOSE BUBBLE";
        case RoundRule::kBossWay:
            return "BOSS WAY BLOCKED";
        case RoundRule::kBossCrowded:
            return "TOO MANY BUBBLES";
        default:
            return "";
    }
}

std::string CheckRound(const RoundRecord& record, int index) {
    return DescribeRoundFault(FindRoundFault(record, index), index);
}

std::string DescribeRoundFault(const RoundFault& fault, int index) {
    std::string where = "round " + std::to_string(index + 1);
    if (fault.row >= 0)
        where +=
            ", row " + std::to_string(fault.row + 1) + ", cell " + std::to_string(fault.col + 1);
    switch (fault.rule) {
        case RoundRule::kEmpty:
            return where + ": empty - a round needs at least one bubble";
        case RoundRule::kLowRows:
            return where + ": too low - the bottom " + std::to_string(kRoundRows - kLowestFreeRow) +
                   " rows must stay empty";
        case RoundRule::kLoose:
            return where + ": hangs loose - every bubble must hang from the ceiling";
        case RoundRule::kBossWay:
            return where + ": in the boss's way - a boss round leaves the middle open";
        case RoundRule::kBossCrowded:
            return where + ": " + std::to_string(fault.bubbles) +
                   " bubbles - a boss round holds at most " + std::to_string(kMostBossBubbles);
        default:
            return "";
    }
}

std::string CheckRounds(const RoundSet& rounds) {
    for (size_t n = 0; n < rounds.records.size(); ++n) {
        std::string error = CheckRound(rounds.records[n], static_cast<int>(n));
        if (!error.empty()) return error;
    }
    return "";
}
