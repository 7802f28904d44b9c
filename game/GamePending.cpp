// Play logic still to be written; each operation moves to its own file as it is built.
#include "game/Game.h"

void Game::DrawPlayScreen(BackBuffer&) {}
void Game::DrawStones(BackBuffer&) {}
void Game::DrawField(BackBuffer&) {}
void Game::DrawMachinery(BackBuffer&) {}
void Game::DrawPointer(BackBuffer&) {}
