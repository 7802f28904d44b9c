// Play logic still to be written; each operation moves to its own file as it is built.
#include "game/Game.h"

void Game::Update() {
    if (!running) return;
}
void Game::Launch() {}
void Game::AutoLaunch() {}
bool Game::AttachShot(int, int, int) {
    return true;
}
void Game::AttachAtCeiling(int, int) {}
void Game::DropCeiling() {}
void Game::LoseStep() {}
void Game::FloodGroup(int, int, int) {}
void Game::UnmarkGroup() {}
void Game::PopGroup() {}
void Game::MarkConnected(int, int) {}
void Game::NewGame() {}
void Game::RetryRound() {}
void Game::SetUpBoss() {}
void Game::RunClearSequence(BackBuffer&) {}
void Game::PlayKey(int) {}
