#include "sound/SoundBank.h"

#include <cwchar>

#include "platform/Text.h"
#include "platform/i_sound.h"
#include "platform/i_system.h"

namespace {

const wchar_t* const kFileNames[15] = {
    L"\\go.wav",     L"\\clear.wav",   L"\\lose.wav",  L"\\fall.wav",  L"\\hit.wav",
    L"\\light.wav",  L"\\bonus.wav",   L"\\ben.wav",   L"\\happy.wav", L"\\bounce.wav",
    L"\\breake.wav", L"\\twoball.wav", L"\\shoot.wav", L"\\menu.wav",  L"\\backnormal.wav",
};

int g_channelEffect[SoundBank::kEffectChannels] = {-1, -1, -1, -1, -1, -1, -1};
int g_nextChannel = 0;
int g_effectsVolume = 0;
int g_musicVolume = 0;

constexpr size_t kPathLength = 512;

// The data directory plus the file's name; false when it does not fit.
bool SoundPath(int index, wchar_t (&path)[kPathLength]) {
    const std::wstring dataDir = platform::Utf8ToWide(I_DataDir());
    const size_t dir = dataDir.size();
    const size_t name = std::wcslen(kFileNames[index]);
    if (dir + name + 1 > kPathLength) return false;
    std::wmemcpy(path, dataDir.data(), dir);
    std::wmemcpy(path + dir, kFileNames[index], name + 1);
    return true;
}

bool ValidVolume(int v) {
    return v >= 0 && v <= 64;
}

}  // namespace

const wchar_t* SoundBank::FileName(int index) {
    return index >= 0 && index <= kMusicIndex ? kFileNames[index] : nullptr;
}

void SoundBank::PlayEffect(int index) {
    if (index < 0 || index >= kMusicIndex) return;
    for (int c = 0; c < kEffectChannels; ++c) {
        if (g_channelEffect[c] == index) {
            pg_WavePlay(c, 0);
            return;
        }
    }
    const int c = g_nextChannel;
    g_channelEffect[c] = index;
    wchar_t path[kPathLength];
    if (SoundPath(index, path)) pg_LoadWaveFile(path, c);
    pg_WaveSetChannelVolume(c, g_effectsVolume, g_effectsVolume);
    pg_WavePlay(c, 0);
    g_nextChannel = (c + 1) % kEffectChannels;
}

void SoundBank::StartMusic() {
    wchar_t path[kPathLength];
    if (SoundPath(kMusicIndex, path)) pg_LoadWaveFile(path, kMusicChannel);
    pg_WavePlay(kMusicChannel, 1);
}

void SoundBank::SetEffectsVolume(int volume) {
    if (!ValidVolume(volume)) return;
    for (int c = 0; c < kEffectChannels; ++c)
        pg_WaveSetChannelVolume(c, volume, volume);
    g_effectsVolume = volume;
}

int SoundBank::GetEffectsVolume() {
    return g_effectsVolume;
}

void SoundBank::SetMusicVolume(int volume) {
    if (!ValidVolume(volume)) return;
    pg_WaveSetChannelVolume(kMusicChannel, volume, volume);
    g_musicVolume = volume;
}

int SoundBank::GetMusicVolume() {
    return g_musicVolume;
}

void SoundBank::Reset() {
    for (int& e : g_channelEffect)
        e = -1;
    g_nextChannel = 0;
    g_effectsVolume = 0;
    g_musicVolume = 0;
}
