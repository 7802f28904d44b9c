// The player's settings that outlive a run: the effects and music volumes. Kept in a small
// text file in the save directory, "settings.txt":
//   tarngame-settings 1
//   effects N
//   music N
// with N in 0..64. A missing file gives the defaults quietly; a damaged or foreign one gives
// them with one warning, and is replaced on the next change.
#pragma once

class Settings {
  public:
    static constexpr int kDefaultVolume = 64;  // also the loudest

    // Reads the file and hands the volumes to the sound bank.
    static void Load();
    // Writes the file when the sound bank's volumes differ from what was last read or written.
    static void SaveIfChanged();
    // Parses the file's text; false for anything but the exact layout above.
    static bool Parse(const char* text, int* effects, int* music);

  private:
    static int savedEffects_;
    static int savedMusic_;
};
