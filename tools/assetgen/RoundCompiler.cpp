#include "tools/assetgen/RoundCompiler.h"

#include <cctype>
#include <cstring>
#include <sstream>

namespace assetgen {
namespace {

// Codes 1..8 in the order the bubble pictures are drawn: red, orange, yellow, green, cyan, blue,
// purple, white.
const char kColourLetters[] = "ROYGCBPW";

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
    explicit RoundParser(RoundSet& rounds) : rounds_(rounds) {}

    std::string Parse(const std::string& text) {
        std::istringstream lines(text);
        std::string line;
        while (error_.empty() && std::getline(lines, line)) {
            ++lineNumber_;
            line = Trim(line);
            if (line.empty() || line[0] == '#') continue;
            if (StartsWithWord(line, "round")) {
                StartRound(line);
            } else {
                ReadRow(line);
            }
        }
        if (error_.empty()) FinishRound();
        if (error_.empty() && rounds_.records.size() < kRoundCount) {
            error_ = "round " + std::to_string(rounds_.records.size() + 1) +
                     ": missing - the source holds only " + std::to_string(rounds_.records.size()) +
                     " of " + std::to_string(kRoundCount) + " rounds";
        }
        return error_;
    }

  private:
    std::string Where(int row) const {
        return "round " + std::to_string(rounds_.records.size()) + ", row " + std::to_string(row) +
               " (line " + std::to_string(lineNumber_) + ")";
    }

    void FinishRound() {
        if (rounds_.records.empty() || rowsRead_ == kRoundRows) return;
        error_ = Where(rowsRead_) + ": missing - a round has " + std::to_string(kRoundRows) +
                 " rows, 0 to " + std::to_string(kRoundRows - 1);
    }

    void StartRound(const std::string& line) {
        FinishRound();
        if (!error_.empty()) return;
        const std::string here = " (line " + std::to_string(lineNumber_) + ")";
        const int expected = static_cast<int>(rounds_.records.size()) + 1;
        if (expected > kRoundCount) {
            error_ = "round " + std::to_string(expected) + here + ": rounds.dat holds only " +
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
                     " rows, 0 to " + std::to_string(kRoundRows - 1);
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
    std::string error_;
    int lineNumber_ = 0;
    int rowsRead_ = 0;
};

}  // namespace

int RoundRowLength(int row) {
    return row % 2 == 0 ? 8 : 7;
}

int RoundRowOffset(int row) {
    return (row / 2) * 15 + (row % 2) * 8;
}

std::string ParseRounds(const std::string& text, RoundSet& rounds) {
    rounds = RoundSet();
    const std::string error = RoundParser(rounds).Parse(text);
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
    for (size_t n = 0; n < rounds.records.size(); ++n) {
        const std::string title = n < rounds.titles.size() ? rounds.titles[n] : "untitled";
        text += "round " + std::to_string(n + 1) + ": " + title + "\n";
        for (int row = 0; row < kRoundRows; ++row) {
            if (row % 2 == 1) text += ' ';
            for (int col = 0; col < RoundRowLength(row); ++col) {
                const int code = rounds.records[n][RoundRowOffset(row) + col];
                if (col > 0) text += ' ';
                text += code >= 1 && code <= 8 ? kColourLetters[code - 1] : '.';
            }
            text += '\n';
        }
        text += '\n';
    }
    return text;
}

}  // namespace assetgen
