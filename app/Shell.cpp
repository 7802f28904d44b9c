#include "app/Shell.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <new>
#include <string>

#include "app/DataCheck.h"
#include "app/FrameStats.h"
#include "app/Globals.h"
#include "app/Resources.h"
#include "game/Game.h"
#include "gfx/BackBuffer.h"
#include "gfx/DisplayFormat.h"
#include "platform/InputScript.h"
#include "platform/i_gx.h"
#include "platform/i_sound.h"
#include "platform/i_system.h"

namespace {

bool g_broughtForward = false;  // InitInstance found the running game and that was all asked

constexpr DWORD kTopMost = 8;
constexpr DWORD kVisibleDialogFrame = 0x10400000;
constexpr int kDefaultPosition = static_cast<int>(0x80000000);
constexpr int kTaskBarHeight = 26;

wchar_t g_className[100];
FrameObserver g_frameObserver = nullptr;
wchar_t g_title[100];

// Cuts a path at its last backslash, leaving the directory.
void CutAtLastBackslash(wchar_t* wide, char* narrow) {
    if (wchar_t* slash = std::wcsrchr(wide, L'\\')) *slash = L'\0';
    // The narrow copy is cut at its own last backslash: in UTF-8 a character may take
    // several bytes, so the wide string's indices would cut a non-ASCII path in the wrong place.
    if (char* slash = std::strrchr(narrow, '\\')) *slash = '\0';
}

void FindProgramDirectory(HINSTANCE instance) {
    GetModuleFileNameW(instance, g_moduleDirW, kModuleDirLength);
    WideCharToMultiByte(1, 0, g_moduleDirW, kModuleDirLength, g_moduleDirA, kModuleDirLength,
                        nullptr, nullptr);
    CutAtLastBackslash(g_moduleDirW, g_moduleDirA);
    if (!g_startHooks.saves) I_ForgetSaveDir();
    SetShellEnvironment(nullptr, nullptr, I_SaveDir().c_str());
}

void MakeFullScreen(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    SHFullScreen(window, SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON);
    MoveWindow(window, rect.left, rect.top - kTaskBarHeight, rect.right,
               rect.bottom + kTaskBarHeight, true);
}

// The failed paths of the first paint end the program as a failed frame allocation does.
LRESULT AbandonStart() {
    pg_WaveClose();
    PostQuitMessage(0);
    return 0;
}

uint8_t* PixelZero(uint8_t* block, const GXDisplayProperties& d) {
    uint8_t* origin = block;
    if (d.cbxPitch < 0) origin += static_cast<size_t>(-d.cbxPitch) * (d.cxWidth - 1);
    if (d.cbyPitch < 0) origin += static_cast<size_t>(-d.cbyPitch) * (d.cyHeight - 1);
    return origin;
}

// Only layouts without gaps fit the one-block copy of the frame.
bool LayoutIsPacked(const GXDisplayProperties& d) {
    const int32_t bytes = d.cBPP / 8;
    const int32_t ax = d.cbxPitch < 0 ? -d.cbxPitch : d.cbxPitch;
    const int32_t ay = d.cbyPitch < 0 ? -d.cbyPitch : d.cbyPitch;
    const bool rowsAlongX = ax == bytes && ay == bytes * static_cast<int32_t>(d.cxWidth);
    const bool rowsAlongY = ay == bytes && ax == bytes * static_cast<int32_t>(d.cyHeight);
    return (bytes == 2 || bytes == 3) && d.cxWidth > 0 && d.cyHeight > 0 &&
           (rowsAlongX || rowsAlongY);
}

LRESULT FirstPaint(HWND window) {
    g_firstPaint = false;
    if (!GXOpenDisplay(window, GX_FULLSCREEN)) return AbandonStart();
    g_display = GXGetDisplayProperties();
    if (!LayoutIsPacked(g_display)) return AbandonStart();
    SetDisplayFormat(g_display);
    g_frameBytes =
        g_display.cxWidth * g_display.cyHeight * static_cast<uint32_t>(g_display.cBPP) >> 3;
    g_frameBuffer = static_cast<uint8_t*>(std::malloc(g_frameBytes));
    if (!g_frameBuffer) return AbandonStart();
    std::memset(g_frameBuffer, 0, g_frameBytes);
    g_frameOrigin = PixelZero(g_frameBuffer, g_display);
    g_backBuffer = new (std::nothrow) BackBuffer(
        g_frameOrigin, static_cast<int>(g_display.cxWidth), static_cast<int>(g_display.cyHeight),
        g_display.cbxPitch, g_display.cbyPitch, g_display.cBPP >> 3);
    if (!g_backBuffer) return AbandonStart();
    g_game = new (std::nothrow) Game(g_customRounds);
    if (!g_game) return AbandonStart();
    // Where the options page exists a start round is chosen there (the bot does so by keys);
    // without it, testing sets it here.
    if (g_startRoundForTesting >= 0 && !g_game->optionsPage)
        g_game->startRound = g_startRoundForTesting;
    if (g_startHooks.gameMade) g_startHooks.gameMade(*g_game);
    if (g_editorStart && !g_game->OpenEditor(*g_editorStart)) return AbandonStart();
    if (g_playAtStart && !g_editorStart) g_game->StartGame(false);
    g_game->StartMusic();
    return 0;
}

LRESULT PaintFrame() {
    if (!g_game || !g_backBuffer) return 0;
    if (g_startHooks.beforeFrame) g_startHooks.beforeFrame();
    const int64_t start = I_Microseconds();
    g_game->Update();
    g_game->Render(*g_backBuffer);
    if (g_startHooks.afterRender) g_startHooks.afterRender(*g_backBuffer);
    FrameStats::Record(I_Microseconds() - start);
    if (!g_startHooks.pixels) {
        // Verifying: the frame's logic has run; there is nothing to show and no one to wait for.
        if (g_frameObserver) g_frameObserver();
        return 0;
    }
    if (uint8_t* p = static_cast<uint8_t*>(GXBeginDraw())) {
        std::memcpy(p + (g_frameBuffer - g_frameOrigin), g_frameBuffer, g_frameBytes);
        GXEndDraw();
    }
    WaitForNextFrame();
    if (g_frameObserver) g_frameObserver();
    return 0;
}

int LowWord(LPARAM value) {
    return static_cast<int>(value & 0xFFFF);
}
int HighWord(LPARAM value) {
    return static_cast<int>((value >> 16) & 0xFFFF);
}

// Input from the window goes into the game's replay as it reaches the game; a replay being
// watched keeps the player's input for itself.
LRESULT WindowInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (g_startHooks.takeInput && g_startHooks.takeInput(message, wParam)) return 0;
    if (!g_game) return 0;
    MSG msg;
    msg.hwnd = window;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    g_game->replay.NoteInput(InputScript::FormatMessage(g_game->replay.Frame(), msg));
    DeliverInput(*g_game, message, wParam, lParam);
    return 0;
}

// The program runs the shell once; the test binary runs it many times, and each run must
// start from a fresh game on its first paint, as a new program would.
void ForgetPreviousRun() {
    delete g_game;
    g_game = nullptr;
    delete g_backBuffer;
    g_backBuffer = nullptr;
    std::free(g_frameBuffer);
    g_frameBuffer = nullptr;
    g_frameOrigin = nullptr;
    g_firstPaint = true;
    g_broughtForward = false;
}

// Missing game data is an error to report, not an empty game that lets every round be won.
bool DataDirectoryUsable() {
    std::string problem;
    if (CheckDataDirectory(I_DataDir(), &problem)) return true;
    std::fprintf(stderr, "tarngame: %s\n", problem.c_str());
    I_ShowError("The game cannot start: " + problem);
    return false;
}

}  // namespace

int WinMain(HINSTANCE instance, HINSTANCE, const wchar_t*, int showCommand) {
    ForgetPreviousRun();
    if (!DataDirectoryUsable()) return kExitNoGameData;
    // A plain second start asks only that the running game come forward: that is success.
    if (!InitInstance(instance, showCommand)) return g_broughtForward ? 0 : kExitNotStarted;
    HACCEL accelerators = LoadAcceleratorsW(instance, kAcceleratorTable);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) {
        if (!TranslateAcceleratorW(msg.hwnd, accelerators, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    GXCloseDisplay();
    GXCloseInput();
    return static_cast<int>(msg.wParam);
}

bool InitInstance(HINSTANCE instance, int showCommand) {
    LoadStringW(instance, kStringClassName, g_className, 100);
    LoadStringW(instance, kStringTitle, g_title, 100);
    FindProgramDirectory(instance);
    // Watching a replay changes no save, so it may run beside a game.
    HWND other = g_startHooks.oneInstance ? FindWindowW(g_className, g_title) : nullptr;
    if (other) {
        SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<uintptr_t>(other) | 1));
        g_broughtForward = !g_startRequest;
        if (g_broughtForward) {
            std::printf("tarngame is already running; its window was brought to the front\n");
            return false;
        }
        std::fprintf(stderr,
                     "tarngame: already running (its window was brought to the front); not "
                     "carried out: %s. Close the running game first.\n",
                     g_startRequest);
        return false;
    }
    RegisterFrameClass(instance, g_className);
    std::wcsncat(g_title, g_startHooks.titleSuffix, 100 - std::wcslen(g_title) - 1);
    HWND window = CreateWindowExW(kTopMost, g_className, g_title, kVisibleDialogFrame,
                                  kDefaultPosition, kDefaultPosition, kDefaultPosition,
                                  kDefaultPosition, nullptr, nullptr, instance, nullptr);
    if (!window) return false;
    g_hWnd = window;
    pg_WaveInit(window, 8, 44100, 8192);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MakeFullScreen(window);
    GXOpenInput();
    return true;
}

bool RegisterFrameClass(HINSTANCE instance, const wchar_t* className) {
    WNDCLASSW wc;
    wc.style = 3;
    wc.lpfnWndProc = FrameWndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, kIconResource);
    wc.hbrBackground = GetStockObject(0);
    wc.lpszClassName = className;
    return RegisterClassW(&wc);
}

// The game asked to end (its Quit entry): the window closes as the device's did.
void CarryOutQuitRequest() {
    if (!g_game || !g_game->quitRequested) return;
    g_game->quitRequested = false;
    PostMessageW(g_hWnd, WM_DESTROY, 0, 0);
}

LRESULT FrameWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = HandleMessage(window, message, wParam, lParam);
    CarryOutQuitRequest();
    return result;
}

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            std::memset(&g_shellActivateInfo, 0, sizeof g_shellActivateInfo);
            g_shellActivateInfo.cbSize = sizeof g_shellActivateInfo;
            return 0;
        case WM_DESTROY:
            pg_WaveClose();
            PostQuitMessage(0);
            return 0;
        case WM_ACTIVATE:
            SHHandleWMActivate(window, wParam, lParam, &g_shellActivateInfo, 0);
            pg_WaveActivate(wParam);
            return 0;
        case WM_PAINT:
            return g_firstPaint ? FirstPaint(window) : PaintFrame();
        case WM_SETTINGCHANGE:
            SHHandleWMSettingChange(window, wParam, lParam, &g_shellActivateInfo);
            return 0;
        case WM_COMMAND:
        case WM_TIMER:
            return 0;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            return WindowInput(window, message, wParam, lParam);
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

void DeliverInput(Game& game, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
            game.OnKeyDown(static_cast<int>(wParam));
            break;
        case WM_KEYUP:
            game.OnKeyUp(static_cast<int>(wParam));
            break;
        case WM_MOUSEMOVE:
            game.OnStylusMove(LowWord(lParam), HighWord(lParam));
            break;
        case WM_LBUTTONDOWN:
            game.OnTap(LowWord(lParam), HighWord(lParam));
            break;
        case WM_LBUTTONUP:
            game.OnStylusUp(LowWord(lParam), HighWord(lParam));
            break;
        default:
            break;
    }
}

void SetFrameObserver(FrameObserver observer) {
    g_frameObserver = observer;
}

void WaitForNextFrame() {
    // The device spun here; a desktop sleeps until the deadline so playing costs a few
    // percent of a core. Unsigned differences keep the tick counter's wrap harmless.
    uint32_t now = GetTickCount();
    const uint32_t period = kFramePeriodMs / static_cast<uint32_t>(std::max(1, g_startHooks.speed));
    while (now - g_lastFrameTick < period) {
        Sleep(period - (now - g_lastFrameTick));
        now = GetTickCount();
    }
    g_lastFrameTick = now;
}
