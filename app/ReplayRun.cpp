#include "app/ReplayRun.h"

#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <new>
#include <sstream>
#include <vector>

#include "app/Globals.h"
#include "app/Shell.h"
#include "formats/ReplayHeader.h"
#include "formats/RoundCode.h"
#include "game/Game.h"
#include "game/GameRandom.h"
#include "game/ReplayStore.h"
#include "gfx/BackBuffer.h"
#include "gfx/Bitmap.h"
#include "gfx/SmallFont.h"
#include "pages/HiScoreScene.h"
#include "platform/InputScript.h"
#include "platform/i_window.h"

namespace {

constexpr int kFastSpeed = 4;
constexpr int kKeyF = 70;
constexpr int kKeyEscape = 27;

std::string g_dailyDate;
std::wstring g_title;

// The replay being watched or verified, and what its game came to.
struct Playback {
    ReplayHeader header;
    InputScript input;
    RoundBook rounds;
    long frame = 0;
    bool closed = false;
    ReplayResult result;
    std::string text;  // the replay the recomputed game writes
    bool watching = false;
};
Playback* g_playback = nullptr;

void KeepReplay(const ReplayStart& start, const ReplayResult& result, const std::string& text) {
    if (g_saveDirA[0] == '\0') return;
    ReplayStore::Keep(std::string(g_saveDirA) + "/replays", start.board, result.score, text,
                      std::time(nullptr));
}

ReplayRecorder::Sink g_keeper = KeepReplay;

void InstallKeeper(Game& game) {
    game.replay.SetSink(g_keeper);
}

void StartDailyGame(Game& game) {
    InstallKeeper(game);
    game.StartDaily(g_dailyDate);
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7f) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

void PrintVerdict(const ReplayHeader& header, const ReplayResult* result,
                  const std::string& reason) {
    ReplayResult shown;
    if (result) shown = *result;
    std::printf(
        "{\"valid\":%s,\"score\":%ld,\"roundsCleared\":%d,\"lastRound\":%d,\"frames\":%ld,"
        "\"mode\":%s,\"board\":%s,\"name\":%s,\"rulesVersion\":%d",
        reason.empty() ? "true" : "false", shown.score, shown.roundsCleared, shown.lastRound,
        shown.frames, JsonString(header.mode).c_str(), JsonString(header.board).c_str(),
        JsonString(header.name).c_str(), header.rulesVersion);
    if (!reason.empty()) std::printf(",\"reason\":%s", JsonString(reason).c_str());
    std::printf("}\n");
    std::fflush(stdout);
}

// Reads at most one byte past the limit, so a huge file is refused without being read.
bool ReadReplayFile(const std::string& path, std::string* text, std::string* reason) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *reason = "cannot read " + path;
        return false;
    }
    std::vector<char> buffer(kReplayMaxBytes + 1);
    in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    const size_t got = static_cast<size_t>(in.gcount());
    if (got > kReplayMaxBytes) {
        *reason = "the file is over 2 MB";
        return false;
    }
    text->assign(buffer.data(), got);
    return true;
}

std::vector<long> ReadScores(const std::string& text, bool* ok) {
    std::vector<long> scores;
    std::istringstream in(text);
    std::string word;
    *ok = true;
    while (in >> word) {
        if (word.size() > 9 || word.find_first_not_of("0123456789") != std::string::npos) {
            *ok = false;
            return scores;
        }
        scores.push_back(std::stol(word));
    }
    *ok = *ok && scores.size() == static_cast<size_t>(HiScoreScene::kEntries);
    return scores;
}

// The start a header describes must be one the game could have made.
std::string CheckStart(const ReplayHeader& h, RoundBook* rounds) {
    if (h.rulesVersion != kRulesVersion)
        return "rules version " + std::to_string(h.rulesVersion) + " is not played here (" +
               std::to_string(kRulesVersion) + " is)";
    bool scoresOk = false;
    ReadScores(h.scores, &scoresOk);
    if (!scoresOk) return "#scores must hold the 7 scores of the table";
    if (h.startRound > h.progress) return "#start is past the #progress that allows it";
    if (h.mode == "daily") {
        if (h.board != "daily-" + h.date) return "#board does not match the daily #date";
    } else if (h.mode == "push") {
        if (h.board != "push") return "a push game's #board is push";
    } else if (h.board.compare(0, 4, "set-") == 0) {
        std::vector<RoundRecord> records;
        for (const std::string& code : h.roundCodes) {
            RoundRecord record;
            std::string error;
            if (!DecodeRoundCode(code, &record, &error)) return "bad #round: " + error;
            records.push_back(record);
        }
        if (records.empty()) return "a custom set's replay needs its #round lines";
        *rounds = RoundBook::OfRecords(records, true);
        char hash[16];
        std::snprintf(hash, sizeof hash, "%08x", static_cast<unsigned>(rounds->Hash()));
        if (h.board != std::string("set-") + hash) return "#board does not match the #round lines";
        if (h.progress > rounds->Count()) return "#progress is past the set's last round";
    } else {
        const std::string expected =
            h.startRound == 1 ? "rounds" : "rounds-from-" + std::to_string(h.startRound);
        if (h.board != expected) return "#board does not match #start";
    }
    if (h.mode != "rounds" && !h.roundCodes.empty()) return "#round lines belong to a custom set";
    return "";
}

void NoteResult(const ReplayStart&, const ReplayResult& result, const std::string& text) {
    g_playback->closed = true;
    g_playback->result = result;
    g_playback->text = text;
    if (!g_playback->watching) PostQuitMessage(0);
}

// The first paint: the game is put where the recorded one began, then started as it was.
void StartPlayback(Game& game) {
    const ReplayHeader& h = g_playback->header;
    GameRandomSequence() = GameRandom();
    GameRandomSequence().Skip(h.draws);
    if (!g_playback->rounds.IsBuiltIn()) game.UseRounds(g_playback->rounds);
    game.bestRound = h.progress - 2;
    game.startRound = h.startRound - 1;
    bool ok = false;
    const std::vector<long> scores = ReadScores(h.scores, &ok);
    if (game.hiScorePage)
        for (int k = 0; k < HiScoreScene::kEntries && ok; ++k)
            game.hiScorePage->scores[k] = static_cast<int>(scores[k]);
    game.replay.SetSink(NoteResult);
    if (g_backBuffer) g_backBuffer->pixels = g_startHooks.pixels;
    if (h.mode == "daily")
        game.StartDaily(h.date);
    else
        game.StartGame(h.mode == "push");
}

// The recorded input of this frame reaches the game as the window procedure delivered it.
void PlayFrameInput() {
    if (!g_game) return;
    // Watching: the keyboard types, so F and Escape arrive as themselves (they are not keys of
    // the game's map).
    if (g_playback->watching) I_SetTypedKeys(true);
    if (!g_playback->closed) {
        g_playback->input.Deliver(g_playback->frame, [](const InputEvent& e) {
            const MSG msg = InputScript::ToMessage(e, nullptr);
            g_game->replay.NoteInput(InputScript::FormatMessage(g_game->replay.Frame(), msg));
            DeliverInput(*g_game, msg.message, msg.wParam, msg.lParam);
        });
    }
    ++g_playback->frame;
}

bool WatchKeys(UINT message, WPARAM key) {
    if (message == WM_KEYDOWN && (key == kKeyEscape || key == kBackspaceKey || key == kExitKey))
        PostQuitMessage(0);
    if (key == kKeyF && (message == WM_KEYDOWN || message == WM_KEYUP))
        g_startHooks.speed = message == WM_KEYDOWN ? kFastSpeed : 1;
    return true;
}

// The recomputed result, on a band over the last page's title.
void ShowResult(BackBuffer& target) {
    if (!g_playback->closed) return;
    static Bitmap* band = Bitmap::Filled(kScreenWidth, 80, 0, 0, 40);
    target.Draw(band, 0, 0, 0);
    char text[64];
    SmallFont::DrawText(target, 6, 4, "REPLAY END");
    std::snprintf(text, sizeof text, "SCORE %ld", g_playback->result.score);
    SmallFont::DrawText(target, 6, 28, text);
    std::snprintf(text, sizeof text, "ROUNDS %d LAST %d", g_playback->result.roundsCleared,
                  g_playback->result.lastRound);
    SmallFont::DrawText(target, 6, 52, text);
}

// Checks a replay's text; "" when it can be played.
std::string LoadPlaybackText(const std::string& text, Playback* playback) {
    std::string reason = ParseReplayHeader(text, &playback->header);
    if (!reason.empty()) return reason;
    reason = CheckStart(playback->header, &playback->rounds);
    if (!reason.empty()) return reason;
    std::string error;
    if (!playback->input.Parse(text, &error)) return "input " + error;
    playback->text = text;
    return "";
}

std::string LoadPlayback(const std::string& path, Playback* playback) {
    std::string text, reason;
    if (!ReadReplayFile(path, &text, &reason)) return reason;
    return LoadPlaybackText(text, playback);
}

void SetWatchHooks(Playback* playback) {
    playback->watching = true;
    g_playback = playback;
    if (!playback->rounds.IsBuiltIn()) g_customRounds = &playback->rounds;
    g_startHooks.gameMade = StartPlayback;
    g_startHooks.beforeFrame = PlayFrameInput;
    g_startHooks.afterRender = ShowResult;
    g_startHooks.takeInput = WatchKeys;
    g_startHooks.titleSuffix = L" REPLAY";
    g_startHooks.oneInstance = false;
    g_startHooks.saves = false;
}

// Runs the shell on the playback; false when the program itself failed.
bool RunPlayback(PlatformOptions platform, const char* argv0) {
    std::string error;
    platform.inputFile.clear();
    platform.recordFile.clear();
    if (!I_Init(platform, argv0, &error)) {
        std::fprintf(stderr, "tarngame: %s\n", error.c_str());
        return false;
    }
    const int exitCode = WinMain(nullptr, nullptr, L"", 1);
    I_Shutdown();
    return exitCode == 0;
}

// The first line where two replays part, for a reason a person can follow.
std::string FirstDifference(const std::string& a, const std::string& b) {
    std::istringstream x(a), y(b);
    std::string lineA, lineB;
    for (int line = 1;; ++line) {
        const bool moreA = static_cast<bool>(std::getline(x, lineA));
        const bool moreB = static_cast<bool>(std::getline(y, lineB));
        if (!moreA && !moreB) return "";
        if (!moreA || !moreB || lineA != lineB)
            return "line " + std::to_string(line) + " is not what the game wrote (" +
                   (moreB ? lineB : std::string("nothing")) + ")";
    }
}

std::string Judge(const Playback& p) {
    const ReplayHeader& h = p.header;
    if (!p.closed)
        return "the input does not reach the end of the game by frame " + std::to_string(h.frames);
    const ReplayResult& r = p.result;
    if (r.score != h.score || r.roundsCleared != h.roundsCleared || r.lastRound != h.lastRound ||
        r.frames != h.frames) {
        char text[200];
        std::snprintf(text, sizeof text,
                      "the input reaches score=%ld rounds=%d last=%d frames=%ld, not the result "
                      "the file states",
                      r.score, r.roundsCleared, r.lastRound, r.frames);
        return text;
    }
    return "";
}

}  // namespace

void SetReplayKeeper(ReplayRecorder::Sink keeper) {
    g_keeper = std::move(keeper);
}

bool PrepareWatch(const std::string& text, std::string* reason) {
    // The page plays one replay per load: it lives as long as the program.
    static Playback playback;
    *reason =
        text.size() > kReplayMaxBytes ? "the file is over 2 MB" : LoadPlaybackText(text, &playback);
    if (!reason->empty()) return false;
    SetWatchHooks(&playback);
    return true;
}

void KeepReplaysOfPlay() {
    g_startHooks.gameMade = InstallKeeper;
}

const std::string& DailyDate() {
    return g_dailyDate;
}

std::string TodayUtc() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &utc);
    return text;
}

bool PrepareDaily(const std::string& date, std::string* error) {
    g_dailyDate = date.empty() ? TodayUtc() : date;
    if (!IsValidReplayDate(g_dailyDate)) {
        *error = "--daily takes a day as YYYY-MM-DD, not \"" + date + "\"";
        return false;
    }
    g_title = L" DAILY ";
    g_title.append(g_dailyDate.begin(), g_dailyDate.end());
    g_startHooks.titleSuffix = g_title.c_str();
    g_startHooks.gameMade = StartDailyGame;
    return true;
}

int VerifyReplay(const std::string& path, PlatformOptions platform, const char* argv0) {
    try {
        Playback playback;
        const std::string fault = LoadPlayback(path, &playback);
        if (!fault.empty()) {
            PrintVerdict(playback.header, nullptr, fault);
            return 1;
        }
        const std::string stated = ReplayWithoutName(playback.text);
        g_playback = &playback;
        if (!playback.rounds.IsBuiltIn()) g_customRounds = &playback.rounds;
        g_startHooks = StartHooks();
        g_startHooks.gameMade = StartPlayback;
        g_startHooks.beforeFrame = PlayFrameInput;
        g_startHooks.saves = false;
        g_startHooks.pixels = false;
        platform.headless = true;
        platform.shots.clear();
        platform.frames = playback.header.frames + 1;
        const bool ran = RunPlayback(platform, argv0);
        g_playback = nullptr;
        if (!ran) {
            PrintVerdict(playback.header, nullptr, "internal error: the game could not run");
            return 2;
        }
        std::string reason = Judge(playback);
        if (reason.empty()) reason = FirstDifference(stated, ReplayWithoutName(playback.text));
        PrintVerdict(playback.header, playback.closed ? &playback.result : nullptr, reason);
        return reason.empty() ? 0 : 1;
    } catch (const std::exception& e) {
        std::printf(
            "{\"valid\":false,\"score\":0,\"roundsCleared\":0,\"lastRound\":0,\"frames\":0,"
            "\"mode\":\"\",\"board\":\"\",\"name\":\"\",\"rulesVersion\":%d,"
            "\"reason\":%s}\n",
            kRulesVersion, JsonString(std::string("internal error: ") + e.what()).c_str());
        return 2;
    }
}

int WatchReplay(const std::string& path, PlatformOptions platform, const char* argv0) {
    Playback playback;
    const std::string fault = LoadPlayback(path, &playback);
    if (!fault.empty()) {
        std::fprintf(stderr, "tarngame: %s: %s\n", path.c_str(), fault.c_str());
        return 1;
    }
    SetWatchHooks(&playback);
    const bool ran = RunPlayback(platform, argv0);
    g_playback = nullptr;
    if (playback.closed)
        std::printf("replay result: score=%ld rounds=%d last=%d frames=%ld\n",
                    playback.result.score, playback.result.roundsCleared, playback.result.lastRound,
                    playback.result.frames);
    return ran ? 0 : 1;
}
