// The rounds of the set in play, loaded once (RoundBook), copied into the field one at a time.
#include "game/Game.h"

#include <new>

#include "game/Settings.h"
#include "pages/EditorScene.h"
#include "platform/i_system.h"

void Game::LoadRound(int n) {
    for (auto& row : field)
        for (int& cell : row)
            cell = kEmptyCell;
    if (n < 0) return;
    for (int r = 0; r < kRoundRows; ++r) {
        for (int c = 0; c < RowLength(r); ++c) {
            const int code = roundBook.Cell(n, r, c);
            field[r][c] = code >= 1 && code <= 8 ? code : kEmptyCell;
        }
    }
}

void Game::UseRounds(const RoundBook& book) {
    roundBook = book;
    bestRound = LoadProgress();
    if (startRound > LastRound()) startRound = LastRound();
}

void Game::RaiseStartRound() {
    if (startRound <= bestRound && startRound < LastRound()) ++startRound;
    KeepStartRound();
}

void Game::LowerStartRound() {
    if (startRound > 0) --startRound;
    KeepStartRound();
}

void Game::RestoreStartRound() {
    if (!roundBook.IsBuiltIn()) return;
    // Progress may have been lost since: no further than the rounds the player has reached.
    const int reached = bestRound + 1 < LastRound() ? bestRound + 1 : LastRound();
    const int saved = Settings::StartRound();
    startRound = saved < 0 ? 0 : (saved > reached ? reached : saved);
}

void Game::KeepStartRound() {
    // A round set of the player's own has rounds of its own: only the built-in one is kept.
    if (roundBook.IsBuiltIn()) Settings::SetStartRound(startRound);
}

bool Game::OpenEditor(const EditorStart& start) {
    delete editorPage;
    editorPage = new (std::nothrow) EditorScene(this, start);
    if (!editorPage) return false;
    ClearRunning();
    state = kStateEditor;
    I_SetTypedKeys(true);
    return true;
}

void Game::StartEditorTrial(const RoundRecord& record, int index) {
    UseRounds(RoundBook::Trial(record, index));
    startRound = LastRound();
    returnAfterPlay = kStateEditor;
    I_SetTypedKeys(false);
    StartGame(false);
}

bool Game::ReturnAfterPlay() {
    if (returnAfterPlay != kStateEditor) return false;
    ReturnToEditor();
    return true;
}

void Game::LeaveEditor() {
    UseRounds(ownRounds);
    startRound = 0;
    ReturnToTitle();
}

void Game::ReturnToEditor() {
    returnAfterPlay = kStateNone;
    replay.Abandon();
    ClearRunning();
    ClearEffects();
    EndClearSequence();
    losing = false;
    suspended = false;
    boss = nullptr;
    state = kStateEditor;
    I_SetTypedKeys(true);
}
