// The player's settings that outlive a run: the effects and music volumes and the start round
// of the built-in rounds. Kept in a small text file in the save directory, "settings.txt":
//   tarngame-settings 1
//   effects N
//   music N
//   start R
// with N in 0..64 and R the round shown on the options page (1..999); files written before the
// start line existed lack it and mean round 1. A missing file gives the defaults quietly; a
// damaged or foreign one gives them with one warning, and is replaced on the next change.
#pragma once

class Settings {
  public:
    static constexpr int kDefaultVolume = 64;  // also the loudest

    // Reads the file and hands the volumes to the sound bank.
    static void Load();
    // Writes the file when the sound bank's volumes differ from what was last read or written.
    static void SaveIfChanged();
    // Parses the file's text; false for anything but the exact layout above. *startRound is
    // the round index (0 for round 1).
    static bool Parse(const char* text, int* effects, int* music, int* startRound);
    // The start round index read from the file, and the one to keep from now on; the game
    // limits it by the player's progress.
    static int StartRound() { return startRound_; }
    static void SetStartRound(int index) { startRound_ = index; }

  private:
    static int savedEffects_;
    static int savedMusic_;
    static int startRound_;
    static int savedStartRound_;
};
