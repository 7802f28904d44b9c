// The executable's resources: window class and title strings, icon, accelerators.
#pragma once

#include "platform/i_window.h"

enum : UINT {
    kStringTitle = 1,
    kStringClassName = 3,
    kIconResource = 101,
    kAcceleratorTable = 3,
    kCommandCtrlA = 40003,
    kCommandCtrlQ = 1,
};

const ResourceTable& AppResources();
