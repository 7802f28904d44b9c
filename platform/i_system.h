// Desktop services the handheld never needed: choosing a back end, the command line's
// options, where data and saves live, and safe saving.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct ShotRequest {
    long frame = 0;
    std::string path;
};

// How the headless display lays out its memory; tests use the unusual ones.
enum class DisplayLayout { kPortrait565, kPortrait555, kLandscape565 };

struct PlatformOptions {
    bool headless = false;
    int scale = 0;  // 0: the largest integer scale that fits the screen
    bool fullscreen = false;
    std::string dataDir;  // empty: $TARN_DATA_DIR, data/ or ../share/tarngame beside the program
    std::string saveDir;  // empty: $TARN_SAVE_DIR, else $XDG_DATA_HOME/tarngame
    long frames = -1;     // stop after this many frames; -1 runs until the game quits
    std::string inputFile;
    std::string recordFile;
    std::vector<ShotRequest> shots;
    DisplayLayout layout = DisplayLayout::kPortrait565;
    uint32_t tickStart = 1000;  // headless clock at start-up
};

// Entry point, once, before WinMain: picks and prepares the back end. False (with a message
// in *error) when it cannot run, e.g. a malformed input file or no display.
bool I_Init(const PlatformOptions& options, const char* argv0, std::string* error);
// Entry point, after WinMain returned: closes files and the back end.
void I_Shutdown();

// A demo in a window (--bot): the window is marked DEMO until a person presses a key or a
// button, clicks or touches. That press is not delivered; handBack runs instead (the program
// stops the autoplayer and shows the title page) and the mark goes. Headless: no person acts.
void I_StartDemo(void (*handBack)());
// False when a --shot picture could not be written: the run then fails.
bool I_ShotsWritten();
// Frames delivered so far (the paint messages after the first one).
long I_FrameCount();
// A steady microsecond clock for measuring work; never used for game timing.
int64_t I_Microseconds();

// The data directory chosen by I_Init, and the save directory (created on first save).
const std::string& I_DataDir();
const std::string& I_SaveDir();
// Tools and tests that run game code without I_Init: where its data and saves are. An empty
// argument leaves that one as it is.
void I_UseDirectories(const std::string& dataDir, const std::string& saveDir);
// The shell, for a run that must touch no saves (a replay verified or watched): I_SaveDir() is
// empty until the next I_Init, so nothing is read from or written to the player's folder.
void I_ForgetSaveDir();

// Creates dir and its parents (mode 0700 for the ones it makes). True if it exists afterwards.
bool I_MakeDirectories(const std::string& dir);
// Writes a whole file so that a crash or a full disk mid-write leaves either the old file or
// the new one, never a torn one: temporary file in the same directory, flushed, then renamed.
// The directory is created first when missing.
bool I_WriteFileAtomic(const std::string& path, const void* data, size_t size);
// Game code, when a page starts or stops taking typed text (a name, the round editor). While on,
// the keyboard reaches the game as virtual-key codes (A-Z 65-90, 0-9 48-57, Space 32,
// Backspace 8, Enter 13, Escape 27, PageUp 33, PageDown 34, arrows 37-40) instead of the
// handheld's key map, so Z, X and C type letters rather than launch. Gamepads keep their map.
// Scripted input carries its codes as written, so the headless back end needs nothing here.
void I_SetTypedKeys(bool on);
bool I_TypedKeys();
// An error that ends the program, for a player who started it without a terminal: a message
// box in a window back end, nothing headless. The caller also prints it.
void I_ShowError(const std::string& message);
// Tests: called between the steps of I_WriteFileAtomic (1 temporary file open, 2 data
// written, 3 flushed to disk, 4 closed, 5 renamed) so a test can stop the process at each.
void I_SetSaveStepHook(void (*hook)(int step));

// The sound calls the headless back end has received, one line each ("load 3 go.wav",
// "play 3 0", "volume 7 64 64", "activate 1", "close"); for tests of the sound bank.
std::vector<std::string>& I_HeadlessSoundLog();
