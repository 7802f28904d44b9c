#include "game/ReplayRecorder.h"

#include "formats/ReplayHeader.h"

void ReplayRecorder::Begin(const ReplayStart& start) {
    active_ = true;
    frame_ = 0;
    start_ = start;
    input_.clear();
}

void ReplayRecorder::NoteInput(const std::string& line) {
    if (!active_ || line.empty()) return;
    input_ += line;
    input_ += '\n';
}

void ReplayRecorder::Close(const ReplayResult& result, const std::string& name) {
    if (!active_) return;
    active_ = false;
    ReplayResult closed = result;
    closed.frames = frame_;
    if (sink_) sink_(start_, closed, Text(start_, name, input_, closed));
}

std::string ReplayRecorder::Text(const ReplayStart& start, const std::string& name,
                                 const std::string& input, const ReplayResult& result) {
    std::string text = "#tarngame-replay " + std::to_string(kReplayFormatVersion) + "\n";
    text += "#rules " + std::to_string(kRulesVersion) + "\n";
    text += "#mode " + start.mode + "\n";
    text += "#board " + start.board + "\n";
    text += "#draws " + std::to_string(start.draws) + "\n";
    text += "#start " + std::to_string(start.startRound) + "\n";
    text += "#progress " + std::to_string(start.progress) + "\n";
    if (!start.date.empty()) text += "#date " + start.date + "\n";
    text += "#scores";
    for (int s : start.scores)
        text += " " + std::to_string(s);
    text += "\n";
    for (const std::string& code : start.roundCodes)
        text += "#round " + code + "\n";
    if (!name.empty()) text += "#name " + name + "\n";
    text += input;
    text += "#result score=" + std::to_string(result.score) +
            " rounds=" + std::to_string(result.roundsCleared) +
            " last=" + std::to_string(result.lastRound) +
            " frames=" + std::to_string(result.frames) + "\n";
    return text;
}
