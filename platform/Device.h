// The handheld's fixed facts that every back end and the game share: its screen and the key
// codes its buttons send.
#pragma once

#include <cstdint>

#include "platform/i_gx.h"

constexpr int kScreenWidth = 240;
constexpr int kScreenHeight = 320;

// Direction keys, as a keyboard's arrows.
constexpr int kKeyLeft = 37;
constexpr int kKeyUp = 38;
constexpr int kKeyRight = 39;
constexpr int kKeyDown = 40;
// The application buttons: launch, pause and the two other launch buttons.
constexpr int kKeyLaunch = 193;
constexpr int kKeyPause = 194;
constexpr int kKeyLaunch2 = 195;
constexpr int kKeyLaunch3 = 196;
// Not a button of the handheld: Backspace and the gamepad's Back, which leave a game the way
// the exit picture's tap does.
constexpr int kKeyExit = 197;

// Typed keys, while a page takes text (I_SetTypedKeys): virtual-key codes, the arrows as above.
constexpr int kTypedBackspace = 8;
constexpr int kTypedEnter = 13;
constexpr int kTypedEscape = 27;
constexpr int kTypedSpace = 32;
constexpr int kTypedPageUp = 33;
constexpr int kTypedPageDown = 34;
constexpr int kTypedZero = '0';  // the digits are '0' to '9'
constexpr int kTypedA = 'A';     // the letters are 'A' to 'Z'
constexpr int TypedLetter(char upper) {
    return upper;
}

// The handheld's own display layout: portrait rows of 16-bit pixels in the given format.
inline GXDisplayProperties PortraitDisplay(uint32_t format = kfDirect565) {
    GXDisplayProperties d;
    d.cxWidth = kScreenWidth;
    d.cyHeight = kScreenHeight;
    d.cbxPitch = 2;
    d.cbyPitch = kScreenWidth * 2;
    d.cBPP = 16;
    d.ffFormat = format;
    return d;
}
