#include "app/StatsReport.h"

#include <sstream>

#include "app/FrameStats.h"
#include "bosses/Boss.h"
#include "game/Game.h"
#include "sound/SoundBank.h"

namespace {

int BossIndex(const Game& game) {
    for (int i = 0; i < 4; ++i)
        if (game.boss && game.boss == game.bosses[i]) return i;
    return -1;
}

const char* Bool(bool b) {
    return b ? "true" : "false";
}

}  // namespace

std::string StatsJson(const Game& g, long frames) {
    std::ostringstream out;
    out << "{\"frames\":" << frames << ",\"state\":" << g.state << ",\"round\":" << g.round
        << ",\"score\":" << g.GetScore() << ",\"pushMode\":" << Bool(g.pushMode)
        << ",\"running\":" << Bool(g.running) << ",\"bestRound\":" << g.bestRound
        << ",\"startRound\":" << g.startRound << ",\"boss\":" << BossIndex(g)
        << ",\"aimAngle\":" << g.aimAngle << ",\"shotsSinceDrop\":" << g.shotsSinceDrop
        << ",\"fieldTop\":" << g.fieldTop << ",\"deadlineRow\":" << g.deadlineRow
        << ",\"rowParity\":" << g.rowParity << ",\"nextColour\":" << g.nextColour
        << ",\"afterNextColour\":" << g.afterNextColour << ",\"lastEffect\":" << g.lastEffect
        << ",\"idleFrames\":" << g.idleFrames << ",\"roundsCleared\":" << g.roundsCleared
        << ",\"shotsFired\":" << g.shotsFired << ",\"bossesBeaten\":" << g.bossesBeaten
        << ",\"effectsVolume\":" << SoundBank::GetEffectsVolume()
        << ",\"musicVolume\":" << SoundBank::GetMusicVolume();
    // Only a player's own set (or the editor's test) says how long it is, so the built-in
    // game's line stays as recorded replays expect it.
    if (!g.roundBook.IsBuiltIn()) out << ",\"roundCount\":" << g.roundBook.Count();
    out << ",\"field\":[";
    for (int r = 0; r < kFieldRows; ++r) {
        out << (r ? ",[" : "[");
        for (int c = 0; c < kFieldCols; ++c)
            out << (c ? "," : "") << g.field[r][c];
        out << "]";
    }
    out << "],\"frame_us_p50\":" << FrameStats::Percentile(50)
        << ",\"frame_us_p99\":" << FrameStats::Percentile(99) << "}";
    return out.str();
}
