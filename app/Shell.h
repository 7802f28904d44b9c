// The program's frame around the game: single-instance start-up, the window, the sound
// library, the back buffer and the Game made on the first paint, one frame per paint message
// paced to 50 ms, and the routing of input to the Game.
#pragma once

#include "platform/i_window.h"

// WinMain's result when the data directory lacks what the game needs (it says which file).
constexpr int kExitNoGameData = 1;
// WinMain's result when the window did not open: another game runs and this start asked for
// something it cannot carry out (g_startRequest), or the window could not be made.
constexpr int kExitNotStarted = 1;

int WinMain(HINSTANCE instance, HINSTANCE previous, const wchar_t* commandLine, int showCommand);
bool InitInstance(HINSTANCE instance, int showCommand);
bool RegisterFrameClass(HINSTANCE instance, const wchar_t* className);
LRESULT FrameWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void WaitForNextFrame();

class Game;
// One input message to the game, as the window procedure delivers it (a replay's input too).
void DeliverInput(Game& game, UINT message, WPARAM wParam, LPARAM lParam);

// Tests and tools: called after every frame (update, render, copy, pacing); null for none.
using FrameObserver = void (*)();
void SetFrameObserver(FrameObserver observer);
