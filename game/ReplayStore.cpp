#include "game/ReplayStore.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>

#include "platform/i_system.h"

namespace ReplayStore {
namespace {

constexpr const char* kSuffix = ".replay";

struct StoredName {
    std::string name;
    std::string when;  // "YYYY-MM-DD_HH-MM-SS_SEQ": sorts as played
    std::string board;
    long score = 0;
};

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// "2026-12-06_17-45-12_001_rounds-from-5_123450.replay"; false for any other file.
bool ReadName(const std::string& name, StoredName* out) {
    if (!EndsWith(name, kSuffix)) return false;
    const std::string stem = name.substr(0, name.size() - std::string(kSuffix).size());
    std::vector<std::string> parts;
    size_t at = 0;
    for (;;) {
        const size_t next = stem.find('_', at);
        parts.push_back(stem.substr(at, next == std::string::npos ? std::string::npos : next - at));
        if (next == std::string::npos) break;
        at = next + 1;
    }
    if (parts.size() != 5 || parts[0].size() != 10 || parts[1].size() != 8 || parts[3].empty())
        return false;
    if (parts[4].empty() || parts[4].size() > 10 ||
        parts[4].find_first_not_of("0123456789") != std::string::npos)
        return false;
    out->name = name;
    out->when = parts[0] + "_" + parts[1] + "_" + parts[2];
    out->board = parts[3];
    out->score = std::stol(parts[4]);
    return true;
}

std::vector<std::string> ListDirectory(const std::string& dir) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error))
        names.push_back(entry.path().filename().string());
    return names;
}

bool Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
}

// After one failure the run keeps no more replays: one warning, not one for every game.
bool g_failed = false;

void WarnOnce(const std::string& path) {
    if (g_failed) return;
    g_failed = true;
    std::fprintf(stderr, "tarngame: could not keep the replay %s; play goes on without replays\n",
                 path.c_str());
}

}  // namespace

std::vector<std::string> FilesToDrop(const std::vector<std::string>& names) {
    std::vector<StoredName> stored;
    for (const std::string& name : names) {
        StoredName s;
        if (ReadName(name, &s)) stored.push_back(s);
    }
    std::sort(stored.begin(), stored.end(),
              [](const StoredName& a, const StoredName& b) { return a.when > b.when; });
    std::set<std::string> keep;
    for (size_t i = 0; i < stored.size() && i < static_cast<size_t>(kLastPlayed); ++i)
        keep.insert(stored[i].name);
    std::map<std::string, std::vector<const StoredName*>> byBoard;
    for (const StoredName& s : stored)
        byBoard[s.board].push_back(&s);
    for (auto& entry : byBoard) {
        auto& list = entry.second;
        // Best first; of equal scores the earlier game, which reached it first.
        std::stable_sort(list.begin(), list.end(), [](const StoredName* a, const StoredName* b) {
            return a->score != b->score ? a->score > b->score : a->when < b->when;
        });
        for (size_t i = 0; i < list.size() && i < static_cast<size_t>(kBestPerBoard); ++i)
            keep.insert(list[i]->name);
    }
    // Daily boards sort by their date: the 30 latest stay.
    std::set<std::string, std::greater<std::string>> dailies;
    for (const auto& entry : byBoard)
        if (entry.first.compare(0, 6, "daily-") == 0) dailies.insert(entry.first);
    std::set<std::string> oldDailies;
    int n = 0;
    for (const std::string& board : dailies)
        if (++n > kDailyBoards) oldDailies.insert(board);
    std::vector<std::string> drop;
    for (const StoredName& s : stored)
        if (!keep.count(s.name) || oldDailies.count(s.board)) drop.push_back(s.name);
    return drop;
}

bool Keep(const std::string& dir, const std::string& board, long score, const std::string& text,
          std::time_t now) {
    if (g_failed) return false;
    if (!I_MakeDirectories(dir)) {
        WarnOnce(dir);
        return false;
    }
    std::tm utc{};
    gmtime_r(&now, &utc);
    char when[32];
    std::strftime(when, sizeof when, "%Y-%m-%d_%H-%M-%S", &utc);
    // The sequence number tells apart the games of one second, whatever their board.
    const std::vector<std::string> present = ListDirectory(dir);
    std::string path;
    for (int seq = 1; seq < 1000; ++seq) {
        char prefix[48];
        std::snprintf(prefix, sizeof prefix, "%s_%03d_", when, seq);
        const bool taken = std::any_of(present.begin(), present.end(), [&](const std::string& n) {
            return n.compare(0, std::strlen(prefix), prefix) == 0;
        });
        if (taken) continue;
        char name[160];
        std::snprintf(name, sizeof name, "%s%s_%ld%s", prefix, board.c_str(), score, kSuffix);
        path = dir + "/" + name;
        break;
    }
    if (path.empty() || Exists(path) || !I_WriteFileAtomic(path, text.data(), text.size())) {
        WarnOnce(path);
        return false;
    }
    for (const std::string& name : FilesToDrop(ListDirectory(dir))) {
        std::error_code error;
        std::filesystem::remove(dir + "/" + name, error);
    }
    return true;
}

}  // namespace ReplayStore
