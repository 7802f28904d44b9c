// F12: the frame as shown, at the window's scale, saved as a PNG with a timestamped name in
// the user's pictures directory (or the save directory when there is none).
#pragma once

#include <string>

#include "platform/i_gx.h"

namespace platform {

// The directory screenshots go to: $XDG_PICTURES_DIR, ~/Pictures if it exists, else saveDir.
std::string ScreenshotDir(const std::string& saveDir);
// Writes the display block scaled by `scale` (nearest neighbour) into dir; returns the path
// written, or "" on failure.
std::string SaveScreenshot(const void* origin, const GXDisplayProperties& display, int scale,
                           const std::string& dir);

}  // namespace platform
