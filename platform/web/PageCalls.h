// What the page's program asks of the page itself, beyond the window back end: its address,
// files fetched beside it, and what it shows of the run.
#pragma once

#include <string>

namespace platform::web {

// One parameter of the page's address, from its query (?name=value) or its fragment
// (#name=value); "" when absent.
std::string AddressParam(const char* name, bool fragment = false);
// Whether the fragment names this flag (#edit).
bool AddressFlag(const char* name);
// Fetches a file relative to the page into the program's file system; true when it arrived.
bool FetchFile(const std::string& url, const std::string& path);
// Tells the page what runs: "game", "round" or "editor".
void ShowMode(const char* mode);
void ShowStats(const std::string& json);
void ShowGameEnded(int exitCode);
// A finished game's replay, for the page's replays.js to keep in the browser's database.
void KeepReplay(const std::string& board, long score, const std::string& text);
// The words the desktop puts in the window's title (DAILY 2026-12-06, REPLAY).
void ShowCaption(const std::string& text);
// Why the address was not followed, on the page as well as in the console.
void ShowNotice(const std::string& text);
// The editor draft the player chose to bring back (the page keeps it in storage): its text and
// the round it showed; false when there is none.
bool TakeEditorDraft(std::string* text, int* round);

}  // namespace platform::web
