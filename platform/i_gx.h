// The game display and input library: direct access to a frame in the display's own layout,
// and the device's key codes.
#pragma once

#include <cstdint>

#include "platform/i_window.h"

enum : DWORD { GX_FULLSCREEN = 0x01, GX_NORMALKEYS = 0x02 };
enum : DWORD {
    kfLandscape = 0x08,
    kfPalette = 0x10,
    kfDirect = 0x20,
    kfDirect555 = 0x40,
    kfDirect565 = 0x80
};

struct GXDisplayProperties {
    uint32_t cxWidth = 0;
    uint32_t cyHeight = 0;
    int32_t cbxPitch = 0;  // bytes from a pixel to its right neighbour; may be negative
    int32_t cbyPitch = 0;  // bytes from a pixel to the one below; may be negative
    int32_t cBPP = 0;
    uint32_t ffFormat = 0;
};

struct GXKeyList {
    int16_t vkUp = 0;
    int16_t vkDown = 0;
    int16_t vkLeft = 0;
    int16_t vkRight = 0;
    int16_t vkA = 0;
    int16_t vkB = 0;
    int16_t vkC = 0;
    int16_t vkStart = 0;
};

// Shell, on the first paint: open the display and read its layout. Non-zero on success.
int GXOpenDisplay(HWND window, DWORD flags);
GXDisplayProperties GXGetDisplayProperties();
// Shell, once per frame: the address of display pixel (0,0), valid until GXEndDraw; null when
// the display cannot be drawn this frame. The block is laid out as the properties say.
void* GXBeginDraw();
int GXEndDraw();
int GXCloseDisplay();

// Shell: input is open between these; Game: the device's key codes.
int GXOpenInput();
int GXCloseInput();
GXKeyList GXGetDefaultKeys(int options);
