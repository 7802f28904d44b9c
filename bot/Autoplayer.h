// A player for demos, long runs and replays. It has what a person has: it looks at the screen
// (the Game, read only) and presses keys. It walks the pages (starts a game from the title
// page, retries after a loss, confirms the high-score name) and in play aims at the shot its
// look-ahead likes best, then fires. Its own choices use its own generator, never rand().
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "game/Game.h"
#include "platform/InputScript.h"

class Autoplayer {
  public:
    enum class Mode { kRounds, kPush };

    // startRound: the round index new games should start at, set on the options page as a
    // person would (-1: whatever the game has).
    static constexpr uint32_t kDefaultSeed = 20261206;
    explicit Autoplayer(Mode mode, int startRound = -1, uint32_t seed = kDefaultSeed);

    // The key events of the coming frame, chosen from the game as it was last drawn.
    void EventsFor(const Game& game, long frame, std::vector<InputEvent>* out);

    struct RoundLog {
        int tries = 0;
        int shots = 0;
        bool cleared = false;
    };
    // What happened in each round played (by round index).
    const std::map<int, RoundLog>& Rounds() const { return rounds_; }
    // One line per round played: "round N: cleared yes|no, shots S, tries T".
    std::string Report() const;

    // Frames between two keys on a page; the pages get drawn (and prepared) in between.
    static constexpr int kPageDelay = 6;
    static constexpr int kResultPageDelay = kMashFrames + 1;

  private:
    using Snapshot = std::array<int, kFieldRows * kFieldCols + 6>;

    void Track(const Game& game);
    void OnPage(const Game& game, long frame);
    void OnTitlePage(const Game& game, long frame);
    void OnOptionsPage(const Game& game);
    bool WantsStartRound(const Game& game) const;
    void InPlay(const Game& game);
    int TargetAim(const Game& game);
    static Snapshot SnapshotOf(const Game& game);

    void Press(int key);
    void Hold(int key);
    void Release();

    // The options page's entries, as its picture shows them.
    enum OptionsEntry : int { kOptionsStartRound = 3, kOptionsBack = 4, kOptionsEntries = 5 };

    Mode mode_;
    int startRound_;
    bool startRoundRefused_ = false;  // the page would not go further (too little progress)
    int optionsSelection_ = 0;        // where the options page's cursor stands; only we move it
    int startRoundBeforeKey_ = -1;
    std::mt19937 random_;
    long frame_ = 0;
    std::vector<InputEvent>* out_ = nullptr;
    int heldKey_ = 0;
    int lastState_ = -1;
    long stateSince_ = 0;
    int target_ = -1;
    Snapshot plannedFor_{};
    int seenShots_ = 0;
    int seenClears_ = 0;
    int trackedState_ = -1;
    int trackedRound_ = -1;
    std::map<int, RoundLog> rounds_;
};
