// A source of input made while the program runs (the autoplayer): asked once per frame, before
// the frame is drawn, for that frame's events. They reach the window procedure and the --record
// file exactly like scripted input, in either back end.
#pragma once

#include <functional>
#include <vector>

#include "platform/InputScript.h"

using FrameInputSource = std::function<void(long frame, std::vector<InputEvent>* events)>;

// Installs the source (an empty one removes it).
void I_SetFrameInputSource(FrameInputSource source);
