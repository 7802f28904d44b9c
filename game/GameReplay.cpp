// The replay of each game: begun by every start of play, closed when the game's result is
// placed (or found not good enough for the high-score table).
#include <cstdio>

#include "formats/RoundCode.h"
#include "game/Game.h"
#include "pages/HiScoreScene.h"

std::string Game::BoardName() const {
    if (daily) return "daily-" + dailyDate;
    if (pushMode) return "push";
    if (!roundBook.IsBuiltIn()) {
        char hash[16];
        std::snprintf(hash, sizeof hash, "%08x", static_cast<unsigned>(roundBook.Hash()));
        return std::string("set-") + hash;
    }
    return round == 0 ? "rounds" : "rounds-from-" + std::to_string(round + 1);
}

void Game::BeginReplay(long long draws) {
    // The editor's try-out keeps nothing, its replay included.
    if (returnAfterPlay == kStateEditor || !roundBook.ProgressFile()[0]) {
        replay.Abandon();
        return;
    }
    ReplayStart start;
    start.mode = daily ? "daily" : pushMode ? "push" : "rounds";
    start.board = BoardName();
    start.draws = draws;
    start.startRound = round + 1;
    const int reachable = bestRound + 2;
    start.progress = reachable < 1 ? 1 : reachable > LastRound() + 1 ? LastRound() + 1 : reachable;
    if (daily) start.date = dailyDate;
    if (hiScorePage) {
        // The table the result will go into decides whether a name is asked for.
        hiScorePage->LoadTable();
        start.scores.assign(hiScorePage->scores, hiScorePage->scores + HiScoreScene::kEntries);
    }
    if (!roundBook.IsBuiltIn() && !daily && !pushMode)
        for (const RoundRecord& record : roundBook.Records())
            start.roundCodes.push_back(EncodeRoundCode(record));
    replay.Begin(start);
}

void Game::CloseReplay(const std::string& name) {
    ReplayResult result;
    result.score = GetScore();
    result.roundsCleared = gameRoundsCleared;
    result.lastRound = gameLastRound;
    replay.Close(result, name);
}
