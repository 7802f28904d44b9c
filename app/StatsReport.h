// The --stats line: one JSON object describing the game at exit.
#pragma once

#include <string>

class Game;

std::string StatsJson(const Game& game, long frames);
