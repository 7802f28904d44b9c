#include "gfx/DisplayFormat.h"

namespace {
GXDisplayProperties g_format;
}  // namespace

void SetDisplayFormat(const GXDisplayProperties& display) {
    g_format = display;
}

const GXDisplayProperties& DisplayFormat() {
    return g_format;
}

int DisplayBytesPerPixel() {
    return g_format.cBPP == 16 ? 2 : g_format.cBPP == 24 ? 3 : 0;
}
