// The replay of the game in play: how it started, its input from its first frame, and how it
// ended, as the text formats/ReplayHeader.h describes. The game begins and closes it; the
// shell hands it the input the window procedure delivers.
#pragma once

#include <functional>
#include <string>
#include <vector>

// Changes whenever a change to the game would change a recorded result: replays of other rules
// are refused, not misjudged.
constexpr int kRulesVersion = 1;

struct ReplayStart {
    std::string mode;   // rounds, push or daily
    std::string board;  // rounds, rounds-from-N, push, daily-YYYY-MM-DD, set-HASH
    long long draws = 0;
    int startRound = 1;                   // counted from 1
    int progress = 1;                     // the furthest round the save let a game start at, from 1
    std::string date;                     // daily only
    std::vector<int> scores;              // the high-score table the result goes into
    std::vector<std::string> roundCodes;  // a custom set's rounds
};

struct ReplayResult {
    long score = 0;
    int roundsCleared = 0;
    int lastRound = 0;
    long frames = 0;
};

class ReplayRecorder {
  public:
    // Called with the whole text when a game closes; the program decides where it goes.
    using Sink = std::function<void(const ReplayStart&, const ReplayResult&, const std::string&)>;

    void Begin(const ReplayStart& start);
    bool Active() const { return active_; }
    // The frame of the game in play, from 0.
    long Frame() const { return frame_; }
    // One delivered input line, in the input-script form, counted from Frame().
    void NoteInput(const std::string& line);
    void EndFrame() {
        if (active_) ++frame_;
    }
    // The game ended: the text goes to the sink. The name is empty when none was entered.
    void Close(const ReplayResult& result, const std::string& name);
    // Play was left before the game ended: nothing is kept.
    void Abandon() { active_ = false; }
    void SetSink(Sink sink) { sink_ = std::move(sink); }

    static std::string Text(const ReplayStart& start, const std::string& name,
                            const std::string& input, const ReplayResult& result);

  private:
    bool active_ = false;
    long frame_ = 0;
    ReplayStart start_;
    std::string input_;
    Sink sink_;
};
