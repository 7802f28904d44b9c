// The handheld's fixed facts that every back end and the game share: its screen and the key
// codes its buttons send.
#pragma once

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
