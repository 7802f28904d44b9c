#include "formats/ReplayHeader.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr long kMaxDraws = static_cast<long>(
    999999999999LL < static_cast<long long>(LONG_MAX) ? 999999999999LL : LONG_MAX);

// A whole decimal number, nothing else on it, within [low, high].
bool ReadNumber(const std::string& text, long low, long high, long* out) {
    if (text.empty() || text.size() > 12) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    errno = 0;
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (errno != 0 || value < low || value > high) return false;
    *out = value;
    return true;
}

bool IsBoardChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

bool IsValidBoard(const std::string& board) {
    if (board.empty() || board.size() > 64) return false;
    for (char c : board)
        if (!IsBoardChar(c)) return false;
    return true;
}

// "score=12 rounds=3 last=4 frames=900", each key once, in this order.
bool ReadResult(const std::string& text, ReplayHeader* header) {
    static const char* const kKeys[] = {"score=", "rounds=", "last=", "frames="};
    long values[4] = {};
    size_t at = 0;
    for (int i = 0; i < 4; ++i) {
        const size_t keyLength = std::strlen(kKeys[i]);
        if (text.compare(at, keyLength, kKeys[i]) != 0) return false;
        at += keyLength;
        const size_t end = i == 3 ? text.size() : text.find(' ', at);
        if (end == std::string::npos) return false;
        if (!ReadNumber(text.substr(at, end - at), 0, 999999999, &values[i])) return false;
        at = end + 1;
    }
    header->score = values[0];
    header->roundsCleared = static_cast<int>(values[1]);
    header->lastRound = static_cast<int>(values[2]);
    header->frames = values[3];
    return true;
}

std::string AtLine(int line, const std::string& what) {
    return "line " + std::to_string(line) + ": " + what;
}

struct Seen {
    bool rules = false, mode = false, board = false, draws = false, start = false;
    bool progress = false, date = false, scores = false;
};

// One '#key value' line of the header. Returns "" or what is wrong with it.
std::string ReadField(const std::string& key, const std::string& value, ReplayHeader* header,
                      Seen* seen) {
    long number = 0;
    auto once = [](bool* flag) {
        if (*flag) return false;
        *flag = true;
        return true;
    };
    if (key == "rules") {
        if (!once(&seen->rules)) return "#rules repeated";
        if (!ReadNumber(value, 1, 1000000, &number)) return "bad rules version";
        header->rulesVersion = static_cast<int>(number);
    } else if (key == "mode") {
        if (!once(&seen->mode)) return "#mode repeated";
        if (value != "rounds" && value != "push" && value != "daily") return "unknown mode";
        header->mode = value;
    } else if (key == "board") {
        if (!once(&seen->board)) return "#board repeated";
        if (!IsValidBoard(value)) return "bad board name";
        header->board = value;
    } else if (key == "draws") {
        if (!once(&seen->draws)) return "#draws repeated";
        // A 32-bit long (the page's WebAssembly) caps the count lower; strtol's range check holds.
        if (!ReadNumber(value, 0, kMaxDraws, &number)) return "bad draw count";
        header->draws = number;
    } else if (key == "start") {
        if (!once(&seen->start)) return "#start repeated";
        if (!ReadNumber(value, 1, 48, &number)) return "bad start round";
        header->startRound = static_cast<int>(number);
    } else if (key == "progress") {
        if (!once(&seen->progress)) return "#progress repeated";
        if (!ReadNumber(value, 1, 48, &number)) return "bad progress";
        header->progress = static_cast<int>(number);
    } else if (key == "date") {
        if (!once(&seen->date)) return "#date repeated";
        if (!IsValidReplayDate(value)) return "bad date";
        header->date = value;
    } else if (key == "scores") {
        if (!once(&seen->scores)) return "#scores repeated";
        header->scores = value;
    } else if (key == "round") {
        if (header->roundCodes.size() >= 48) return "more than 48 rounds";
        if (value.empty()) return "empty round code";
        header->roundCodes.push_back(value);
    } else if (key == "name") {
        if (header->hasName) return "#name repeated";
        if (!IsValidReplayName(value)) return "a name is up to 5 of A-Z and space";
        header->hasName = true;
        header->name = value;
    } else {
        return "unknown header line #" + key;
    }
    return "";
}

std::string CheckComplete(const ReplayHeader& header, const Seen& seen) {
    if (!seen.rules || !seen.mode || !seen.board || !seen.draws || !seen.start || !seen.progress)
        return "the header lacks one of #rules #mode #board #draws #start #progress";
    if (header.mode == "daily" && !seen.date) return "a daily replay needs #date";
    if (header.mode != "daily" && seen.date) return "#date belongs to a daily replay only";
    if (!header.hasResult) return "no #result line: the file is cut";
    if (header.frames > kReplayMaxFrames) return "more than 6 hours of frames";
    return "";
}

}  // namespace

bool IsValidReplayName(const std::string& name) {
    if (name.size() > 5) return false;
    for (char c : name)
        if (c != ' ' && (c < 'A' || c > 'Z')) return false;
    return true;
}

bool IsValidReplayDate(const std::string& date) {
    if (date.size() != 10 || date[4] != '-' || date[7] != '-') return false;
    long year = 0, month = 0, day = 0;
    if (!ReadNumber(date.substr(0, 4), 1970, 9999, &year) ||
        !ReadNumber(date.substr(5, 2), 1, 12, &month) ||
        !ReadNumber(date.substr(8, 2), 1, 31, &day))
        return false;
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int limit = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
    return day <= limit;
}

std::string ParseReplayHeader(const std::string& text, ReplayHeader* header) {
    *header = ReplayHeader();
    if (text.size() > kReplayMaxBytes) return "the file is over 2 MB";
    if (text.find('\0') != std::string::npos) return "the file is not text";
    Seen seen;
    size_t at = 0;
    int line = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string row = text.substr(at, end - at);
        at = end + 1;
        ++line;
        if (!row.empty() && row.back() == '\r') row.pop_back();
        if (header->hasResult) {
            if (!row.empty()) return AtLine(line, "text after the #result line");
            continue;
        }
        if (line == 1) {
            long version = 0;
            if (row.compare(0, 17, "#tarngame-replay ") != 0) return "not a tarngame replay";
            if (!ReadNumber(row.substr(17), 1, 1000000, &version))
                return AtLine(line, "bad format version");
            if (version != kReplayFormatVersion)
                return "replay format " + std::to_string(version) + " is not played here";
            header->formatVersion = static_cast<int>(version);
            continue;
        }
        if (row.empty() || row[0] != '#') continue;  // an input line
        if (row.compare(0, 8, "#result ") == 0) {
            if (!ReadResult(row.substr(8), header)) return AtLine(line, "bad #result line");
            header->hasResult = true;
            continue;
        }
        const size_t space = row.find(' ');
        const std::string key =
            row.substr(1, space == std::string::npos ? std::string::npos : space - 1);
        const std::string value = space == std::string::npos ? "" : row.substr(space + 1);
        const std::string fault = ReadField(key, value, header, &seen);
        if (!fault.empty()) return AtLine(line, fault);
    }
    if (line == 0) return "the file is empty";
    return CheckComplete(*header, seen);
}

std::string ReplayWithoutName(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        const size_t next = end == std::string::npos ? text.size() : end + 1;
        if (text.compare(at, 6, "#name ") != 0 && text.compare(at, next - at, "#name\n") != 0)
            out.append(text, at, next - at);
        at = next;
    }
    return out;
}
