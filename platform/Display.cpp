// The display and input library over the chosen back end.
#include "platform/Device.h"
#include "platform/PlatformState.h"
#include "platform/i_gx.h"

namespace {

bool g_displayOpen = false;
void* g_drawing = nullptr;

}  // namespace

int GXOpenDisplay(HWND window, DWORD) {
    Backend* backend = CurrentBackend();
    if (!backend || window != platform::MainWindow()) return 0;
    g_displayOpen = backend->OpenDisplay();
    return g_displayOpen ? 1 : 0;
}

GXDisplayProperties GXGetDisplayProperties() {
    return g_displayOpen ? CurrentBackend()->Properties() : GXDisplayProperties();
}

void* GXBeginDraw() {
    if (!g_displayOpen) return nullptr;
    g_drawing = CurrentBackend()->BeginDraw();
    return g_drawing;
}

int GXEndDraw() {
    if (!g_displayOpen || !g_drawing) return 0;
    platform::SaveRequestedShots(g_drawing, CurrentBackend()->Properties());
    CurrentBackend()->EndDraw();
    g_drawing = nullptr;
    return 1;
}

int GXCloseDisplay() {
    if (!g_displayOpen) return 0;
    CurrentBackend()->CloseDisplay();
    g_displayOpen = false;
    return 1;
}

int GXOpenInput() {
    return 1;
}
int GXCloseInput() {
    return 1;
}

GXKeyList GXGetDefaultKeys(int) {
    // Desktop keys arrive as these codes (arrows as on a keyboard; the A button is the
    // device's first application key, so a lost game moves on by itself).
    GXKeyList keys;
    keys.vkUp = kKeyUp;
    keys.vkDown = kKeyDown;
    keys.vkLeft = kKeyLeft;
    keys.vkRight = kKeyRight;
    keys.vkA = kKeyLaunch;
    keys.vkB = kKeyPause;
    keys.vkC = kKeyLaunch2;
    keys.vkStart = 134;
    return keys;
}
