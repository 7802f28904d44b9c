#include "app/Globals.h"

HWND g_hWnd = nullptr;
wchar_t g_moduleDirW[kModuleDirLength] = {};
char g_moduleDirA[kModuleDirLength] = {};
char g_saveDirA[kModuleDirLength] = {};
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
ShellActivateInfo g_shellActivateInfo = {};
uint32_t g_lastFrameTick = 0;
