// The shell's process-wide globals. Created at start-up or on the first paint and never freed
// before the process ends.
#pragma once

#include <cstdint>

#include "platform/Device.h"
#include "platform/i_gx.h"
#include "platform/i_window.h"

class BackBuffer;
class Game;
class RoundBook;
struct EditorStart;

// State handed to the shell library's activation and setting-change handlers.
struct ShellActivateInfo {
    uint32_t cbSize;
    uint32_t hwndLastFocus;
    uint32_t flags;
};
static_assert(sizeof(ShellActivateInfo) == 12, "the shell library expects 12 bytes");

constexpr int kModuleDirLength = 256;

extern HWND g_hWnd;
extern wchar_t g_moduleDirW[kModuleDirLength];  // data directory, wide (sound files)
extern char g_moduleDirA[kModuleDirLength];     // data directory, narrow (every other file)
extern char g_saveDirA[kModuleDirLength];       // where progress and high scores are saved
extern bool g_firstPaint;
extern GXDisplayProperties g_display;
extern uint8_t* g_frameBuffer;
extern uint8_t* g_frameOrigin;
extern uint32_t g_frameBytes;
extern BackBuffer* g_backBuffer;
extern Game* g_game;
// The round index a new game starts at, set from the command line for testing; -1 leaves it.
extern int g_startRoundForTesting;
// A player's round set from --rounds, compiled before the window opens; null plays the
// built-in rounds.
extern const RoundBook* g_customRounds;
// --edit: the set the first paint opens the round editor on; null starts on the title page.
extern const EditorStart* g_editorStart;
// The web page's round link: the first paint starts a rounds game at once.
extern bool g_playAtStart;
// The ways to start besides the title page (the daily game, watching or verifying a replay)
// change the shell at these points; the defaults are an ordinary start.
struct StartHooks {
    // On the first paint, once the game is made.
    void (*gameMade)(Game& game) = nullptr;
    // Before each frame's update (a replay's input of that frame), and after its render.
    void (*beforeFrame)() = nullptr;
    void (*afterRender)(BackBuffer& target) = nullptr;
    // Input from the window: true keeps it from the game.
    bool (*takeInput)(UINT message, WPARAM wParam) = nullptr;
    const wchar_t* titleSuffix = L"";
    bool oneInstance = true;  // the one-instance rule applies
    bool saves = true;        // false: nothing is read from or written to the save folder
    bool pixels = true;       // false: frames are computed, not drawn or shown
    int speed = 1;            // frames per frame period
};
extern StartHooks g_startHooks;
// What this start asks for beyond a plain start, in a player's words, or null. A game already
// running can only come to the front, so such a start says it was not carried out and fails.
extern const char* g_startRequest;
extern ShellActivateInfo g_shellActivateInfo;
extern uint32_t g_lastFrameTick;
constexpr uint32_t kFramePeriodMs = 50;

// Sets what the shell shares with the game outside a running program (tests, fuzzers,
// benchmarks) or before the shell finds it itself: the display layout and the data and save
// directories (wide and narrow). A null argument leaves that part as it is.
void SetShellEnvironment(const GXDisplayProperties* display, const char* dataDir,
                         const char* saveDir);
