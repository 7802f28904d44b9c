// What each back end (headless, SDL window or web page) supplies to the platform's common code. The
// common code owns the message queue, the window record, recording and screenshots.
#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "platform/i_gx.h"
#include "platform/i_system.h"
#include "platform/i_window.h"

class Backend {
  public:
    virtual ~Backend() = default;

    virtual bool Open(const PlatformOptions& options, std::string* error) = 0;
    virtual void Close() = 0;

    // Saves: called once before the game reads any file of the save directory, so a back end
    // that keeps them elsewhere (a browser's storage) can put them there; and after each file
    // written there by I_WriteFileAtomic, to keep that storage up to date.
    virtual void LoadSaves(const std::string& /*saveDir*/) {}
    virtual void FileSaved(const std::string& /*path*/) {}

    // Window. CreateWindow may refuse (e.g. another instance claimed the game meanwhile).
    virtual bool AnotherInstanceRunning() { return false; }
    virtual void RaiseOtherInstance() {}
    virtual bool CreateWindow(const wchar_t* title) = 0;
    virtual void ShowWindow() {}
    // A message box for an error that ends the program; nothing where there is no window.
    virtual void ShowError(const std::string&) {}
    // Appends the input that arrived since the last call, as window messages, for the frame
    // about to be drawn. Never blocks.
    virtual void PumpMessages(std::deque<MSG>& queue, long frame) = 0;

    virtual uint32_t Ticks() = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;

    // Display: memory laid out as Properties() says, pixel (0,0) at the returned address.
    virtual bool OpenDisplay() = 0;
    virtual GXDisplayProperties Properties() const = 0;
    virtual void* BeginDraw() = 0;
    virtual void EndDraw() = 0;
    virtual void CloseDisplay() = 0;

    // Sound library.
    virtual bool WaveInit(int channels, int sampleRate, int bufferSize) = 0;
    virtual bool LoadWave(const std::string& path, int channel) = 0;
    virtual bool PlayWave(int channel, int loop) = 0;
    virtual bool SetWaveVolume(int channel, int left, int right) = 0;
    virtual void ActivateWave(bool active) = 0;
    virtual void CloseWave() = 0;
};

// The back end chosen by I_Init.
Backend* CurrentBackend();
