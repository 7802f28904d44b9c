#include "game/Settings.h"

#include <cstdio>
#include <cstring>

#include "gfx/DataPath.h"
#include "platform/i_system.h"
#include "sound/SoundBank.h"

namespace {

constexpr char kHeader[] = "tarngame-settings 1\n";
constexpr size_t kMaxFileBytes = 128;

bool SettingsPath(char (&path)[kMaxDataPath]) {
    if (I_SaveDir().empty()) return false;
    return MakeDataPath(path, I_SaveDir().c_str(), "\\settings.txt") != nullptr;
}

// "name N\n" at *text, N in 0..limit written plainly; moves *text past the line.
bool ReadLine(const char** text, const char* name, int* value, int limit) {
    const size_t n = std::strlen(name);
    if (std::strncmp(*text, name, n) != 0 || (*text)[n] != ' ') return false;
    const char* p = *text + n + 1;
    int v = 0, digits = 0;
    while (*p >= '0' && *p <= '9' && digits < 3) {
        v = v * 10 + (*p++ - '0');
        ++digits;
    }
    if (digits == 0 || *p != '\n' || v > limit) return false;
    *value = v;
    *text = p + 1;
    return true;
}

}  // namespace

int Settings::savedEffects_ = Settings::kDefaultVolume;
int Settings::savedMusic_ = Settings::kDefaultVolume;
int Settings::startRound_ = 0;
int Settings::savedStartRound_ = 0;

bool Settings::Parse(const char* text, int* effects, int* music, int* startRound) {
    if (std::strncmp(text, kHeader, sizeof kHeader - 1) != 0) return false;
    text += sizeof kHeader - 1;
    int e = 0, m = 0, start = 1;
    if (!ReadLine(&text, "effects", &e, kDefaultVolume) ||
        !ReadLine(&text, "music", &m, kDefaultVolume))
        return false;
    if (*text != '\0' && (!ReadLine(&text, "start", &start, 999) || start < 1)) return false;
    if (*text != '\0') return false;
    *effects = e;
    *music = m;
    *startRound = start - 1;
    return true;
}

void Settings::Load() {
    int effects = kDefaultVolume, music = kDefaultVolume, start = 0;
    char path[kMaxDataPath];
    if (FILE* f = SettingsPath(path) ? std::fopen(path, "rb") : nullptr) {
        char text[kMaxFileBytes + 1];
        const size_t n = std::fread(text, 1, kMaxFileBytes, f);
        std::fclose(f);
        text[n] = '\0';
        if (n == kMaxFileBytes || std::strlen(text) != n ||
            !Parse(text, &effects, &music, &start)) {
            std::fprintf(stderr,
                         "tarngame: %s is not a settings file of this game; using the "
                         "default volumes\n",
                         path);
            effects = music = kDefaultVolume;
            start = 0;
        }
    }
    SoundBank::SetMusicVolume(music);
    SoundBank::SetEffectsVolume(effects);
    savedEffects_ = effects;
    savedMusic_ = music;
    startRound_ = savedStartRound_ = start;
}

void Settings::SaveIfChanged() {
    const int effects = SoundBank::GetEffectsVolume(), music = SoundBank::GetMusicVolume();
    if (effects == savedEffects_ && music == savedMusic_ && startRound_ == savedStartRound_) return;
    savedEffects_ = effects;
    savedMusic_ = music;
    savedStartRound_ = startRound_;
    char path[kMaxDataPath];
    if (!SettingsPath(path)) return;
    char text[kMaxFileBytes];
    const int n = std::snprintf(text, sizeof text, "%seffects %d\nmusic %d\nstart %d\n", kHeader,
                                effects, music, startRound_ + 1);
    if (n > 0 && static_cast<size_t>(n) < sizeof text)
        I_WriteFileAtomic(path, text, static_cast<size_t>(n));
}
