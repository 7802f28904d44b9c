// The replays a player keeps: one file per finished game in the save folder's replays/,
// named "YYYY-MM-DD_HH-MM-SS_SEQ_BOARD_SCORE.replay" (UTC), never overwritten. It keeps the
// best 20 of each board and the last 20 played, of the 30 most recent daily boards; older
// files go.
#pragma once

#include <ctime>
#include <string>
#include <vector>

namespace ReplayStore {

constexpr int kBestPerBoard = 20;
constexpr int kLastPlayed = 20;
constexpr int kDailyBoards = 30;

// Writes a replay into dir (created when missing) and trims what is kept. False when the
// file could not be written; it warns once per run on stderr.
bool Keep(const std::string& dir, const std::string& board, long score, const std::string& text,
          std::time_t now);

// The files of dir that the rules keep, and the ones they drop, from their names alone.
std::vector<std::string> FilesToDrop(const std::vector<std::string>& names);

}  // namespace ReplayStore
