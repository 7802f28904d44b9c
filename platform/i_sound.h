// The sound library: eight channels; a file loaded into a channel stays there and replays on
// every pg_WavePlay; a channel keeps its volume across plays. Results may be ignored: without
// an audio device every call succeeds silently.
#pragma once

#include "platform/i_window.h"

// Shell, at start-up.
bool pg_WaveInit(HWND window, int channels, int sampleRate, int bufferSize);
// Sound bank: load a .wav into a channel (replacing what it held), play once (loop 0) or
// looping (loop 1), set the channel's volume 0..64 (left and right).
bool pg_LoadWaveFile(const wchar_t* path, int channel);
bool pg_WavePlay(int channel, int loop);
bool pg_WaveSetChannelVolume(int channel, int left, int right);
// Shell, on the activation message: the low word of wParam is 0 when the window loses focus;
// sound pauses then and resumes when it comes back.
void pg_WaveActivate(WPARAM wParam);
// Shell, on the window-destroy path.
void pg_WaveClose();
