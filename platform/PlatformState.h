// State shared by the platform's common code and its back ends; not for game code.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "platform/Backend.h"
#include "platform/i_system.h"

namespace platform {

struct PlatformStateData {
    PlatformOptions options;
    std::unique_ptr<Backend> backend;
    std::string dataDir;
    std::string saveDir;
    long frames = 0;        // paint messages delivered after the first one
    long currentFrame = 0;  // the frame being drawn
    FILE* record = nullptr;
    bool typedKeys = false;            // I_SetTypedKeys
    bool shotFailed = false;           // a --shot file could not be written
    void (*demoHandBack)() = nullptr;  // I_StartDemo, until a person acts
};

PlatformStateData& State();
HWND MainWindow();
void ResetWindowState();
// A message for the main window, as the back ends make them from their input.
MSG Message(UINT message, WPARAM wParam, LPARAM lParam);
// A pointer position packed as the stylus messages carry it.
inline LPARAM PointParam(int x, int y) {
    return static_cast<LPARAM>((x & 0xFFFF) | (y & 0xFFFF) << 16);
}
// Appends a delivered input message to the --record file, if one is open.
void RecordMessage(long frame, const MSG& msg);
// Writes the display memory of the frame just drawn to the PNGs asked for this frame.
void SaveRequestedShots(const void* origin, const GXDisplayProperties& display);

std::unique_ptr<Backend> MakeHeadlessBackend();
// The one window back end of this build (SDL on the desktop, the page in a browser).
std::unique_ptr<Backend> MakeWindowBackend();

}  // namespace platform
