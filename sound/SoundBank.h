// The game's fourteen effects and its music over the sound library: seven effect channels used
// in turn with a cache of what each holds, so a repeated effect replays without reloading,
// and one looping music channel. Process-wide; no object is ever made.
#pragma once

class SoundBank {
  public:
    static constexpr int kEffectChannels = 7;
    static constexpr int kMusicChannel = 7;
    static constexpr int kMusicIndex = 14;

    static void PlayEffect(int index);
    static void PlayGo() { PlayEffect(0); }
    static void PlayClear() { PlayEffect(1); }
    static void PlayLose() { PlayEffect(2); }
    static void PlayFall() { PlayEffect(3); }
    static void PlayHit() { PlayEffect(4); }
    static void PlayLight() { PlayEffect(5); }
    static void PlayBonus() { PlayEffect(6); }
    static void PlayBen() { PlayEffect(7); }
    static void PlayHappy() { PlayEffect(8); }
    static void PlayBounce() { PlayEffect(9); }
    static void PlayBreak() { PlayEffect(10); }
    static void PlayTwoBall() { PlayEffect(11); }
    static void PlayShoot() { PlayEffect(12); }
    static void PlayMenu() { PlayEffect(13); }

    static void StartMusic();
    static void SetEffectsVolume(int volume);
    static int GetEffectsVolume();
    static void SetMusicVolume(int volume);
    static int GetMusicVolume();

    // Back to the state of a fresh start (empty cache, volumes 0); for tests.
    static void Reset();
    static const wchar_t* FileName(int index);
};
