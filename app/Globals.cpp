#include "app/Globals.h"

#include <cstdio>
#include <cwchar>
#include <string>

#include "gfx/DisplayFormat.h"
#include "platform/Text.h"
#include "platform/i_system.h"

HWND g_hWnd = nullptr;
wchar_t g_moduleDirW[kModuleDirLength] = {};
char g_moduleDirA[kModuleDirLength] = {};
char g_saveDirA[kModuleDirLength] = {};
StartHooks g_startHooks;
bool g_firstPaint = true;
GXDisplayProperties g_display;
uint8_t* g_frameBuffer = nullptr;
uint8_t* g_frameOrigin = nullptr;
uint32_t g_frameBytes = 0;
BackBuffer* g_backBuffer = nullptr;
Game* g_game = nullptr;
int g_startRoundForTesting = -1;
const RoundBook* g_customRounds = nullptr;
const EditorStart* g_editorStart = nullptr;
bool g_playAtStart = false;
const char* g_startRequest = nullptr;
ShellActivateInfo g_shellActivateInfo = {};
uint32_t g_lastFrameTick = 0;

void SetShellEnvironment(const GXDisplayProperties* display, const char* dataDir,
                         const char* saveDir) {
    if (display) {
        g_display = *display;
        SetDisplayFormat(*display);
    }
    if (dataDir) {
        std::snprintf(g_moduleDirA, sizeof g_moduleDirA, "%s", dataDir);
        const std::wstring wide = platform::Utf8ToWide(dataDir);
        std::wcsncpy(g_moduleDirW, wide.c_str(), kModuleDirLength - 1);
        g_moduleDirW[kModuleDirLength - 1] = L'\0';
    }
    if (saveDir) std::snprintf(g_saveDirA, sizeof g_saveDirA, "%s", saveDir);
    I_UseDirectories(dataDir ? dataDir : "", saveDir ? saveDir : "");
}
