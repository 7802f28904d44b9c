// The sound library over the chosen back end.
#include "platform/PlatformState.h"
#include "platform/Text.h"
#include "platform/i_sound.h"

namespace {

constexpr int kChannels = 8;

bool ValidChannel(int channel) {
    return channel >= 0 && channel < kChannels;
}

}  // namespace

bool pg_WaveInit(HWND, int channels, int sampleRate, int bufferSize) {
    Backend* backend = CurrentBackend();
    return backend && backend->WaveInit(channels, sampleRate, bufferSize);
}

bool pg_LoadWaveFile(const wchar_t* path, int channel) {
    Backend* backend = CurrentBackend();
    if (!backend || !path || !ValidChannel(channel)) return false;
    const std::string native = platform::NativePath(platform::WideToUtf8(path, 4096));
    return backend->LoadWave(native, channel);
}

bool pg_WavePlay(int channel, int loop) {
    Backend* backend = CurrentBackend();
    return backend && ValidChannel(channel) && backend->PlayWave(channel, loop);
}

bool pg_WaveSetChannelVolume(int channel, int left, int right) {
    Backend* backend = CurrentBackend();
    return backend && ValidChannel(channel) && backend->SetWaveVolume(channel, left, right);
}

void pg_WaveActivate(WPARAM wParam) {
    if (CurrentBackend()) CurrentBackend()->ActivateWave((wParam & 0xFFFF) != 0);
}

void pg_WaveClose() {
    if (CurrentBackend()) CurrentBackend()->CloseWave();
}
