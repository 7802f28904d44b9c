// The ways to start that replays bring: keeping each finished game's replay, the daily game,
// watching a replay in the window and verifying one headless. Each sets the shell's start
// hooks before WinMain runs.
#pragma once

#include <string>

#include "game/ReplayRecorder.h"
#include "platform/i_system.h"

// An ordinary run: every finished game leaves its replay in the save folder's replays/.
void KeepReplaysOfPlay();
// Where finished games' replays go instead (the browser keeps them in its own database).
void SetReplayKeeper(ReplayRecorder::Sink keeper);

// --daily [DATE]: the first paint starts the day's game (DATE empty: today, UTC). False with
// a message for a date that is not a real day.
bool PrepareDaily(const std::string& date, std::string* error);
// The day PrepareDaily chose.
const std::string& DailyDate();
// Today's date, UTC, as YYYY-MM-DD.
std::string TodayUtc();

// --verify FILE: replays the file headless, prints one JSON line and returns the exit code
// (0 valid, 1 not valid, 2 internal error). Touches no saves.
int VerifyReplay(const std::string& path, PlatformOptions platform, const char* argv0);

// --watch FILE: plays the replay in the window (or headless, for tests) with no saves; the
// player's keys only leave (Escape, the exit key) or, F held, play four times as fast.
int WatchReplay(const std::string& path, PlatformOptions platform, const char* argv0);
// The same for a program that runs the shell itself (the page): sets the hooks so the first
// paint starts the replay in the text. False with the reason when it cannot be played.
bool PrepareWatch(const std::string& text, std::string* reason);
