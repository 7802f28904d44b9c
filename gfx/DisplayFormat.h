// The display's pixel layout, which pictures are converted to when they load; set by whoever
// starts the game (the shell on its first paint, tests, tools) before any picture loads.
#pragma once

#include "platform/i_gx.h"

void SetDisplayFormat(const GXDisplayProperties& display);
const GXDisplayProperties& DisplayFormat();
// 2 or 3 for the layouts the game draws in; 0 for any other.
int DisplayBytesPerPixel();
