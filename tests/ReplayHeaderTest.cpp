// The replay header the game writes is the one the verifier and the hall of fame read.
#include <gtest/gtest.h>

#include <string>

#include "formats/ReplayHeader.h"
#include "game/ReplayRecorder.h"

namespace {

ReplayStart DailyStart() {
    ReplayStart start;
    start.mode = "daily";
    start.board = "daily-2026-12-06";
    start.draws = 56;
    start.date = "2026-12-06";
    start.scores = {7, 6, 5, 4, 3, 2, 1};
    return start;
}

TEST(ReplayHeader, WhatTheGameWritesReadsBack) {
    ReplayResult result;
    result.score = 1234;
    result.roundsCleared = 0;
    result.lastRound = 1;
    result.frames = 99;
    const std::string text = ReplayRecorder::Text(DailyStart(), "AB C", "3 keydown 193\n", result);
    ReplayHeader h;
    ASSERT_EQ(ParseReplayHeader(text, &h), "");
    EXPECT_EQ(h.rulesVersion, kRulesVersion);
    EXPECT_EQ(h.mode, "daily");
    EXPECT_EQ(h.board, "daily-2026-12-06");
    EXPECT_EQ(h.draws, 56);
    EXPECT_EQ(h.date, "2026-12-06");
    EXPECT_EQ(h.scores, "7 6 5 4 3 2 1");
    EXPECT_EQ(h.name, "AB C");
    EXPECT_EQ(h.score, 1234);
    EXPECT_EQ(h.frames, 99);
    EXPECT_EQ(ReplayWithoutName(text).find("#name"), std::string::npos);
}

TEST(ReplayHeader, RefusesWhatTheGameNeverWrites) {
    ReplayResult result;
    const std::string good = ReplayRecorder::Text(DailyStart(), "", "", result);
    struct Case {
        std::string from, to, why;
    };
    const Case cases[] = {
        {"#tarngame-replay 1", "#tarngame-replay 2", "format"},
        {"#date 2026-12-06", "#date 2026-02-30", "bad date"},
        {"#draws 56", "#draws 1000000001", "draw count"},
        {"#draws 56", "#draws -1", "draw count"},
        {"#board daily-2026-12-06", "#board Daily", "board"},
        {"#mode daily", "#mode push", "#date belongs"},
        {"#result score=0", "#result score=x", "#result"},
        {"\n#result", "\n#name abc\n#result", "name"},
        {"#mode daily\n", "", "lacks"},
    };
    for (const Case& c : cases) {
        std::string text = good;
        text.replace(text.find(c.from), c.from.size(), c.to);
        ReplayHeader h;
        EXPECT_NE(ParseReplayHeader(text, &h).find(c.why), std::string::npos)
            << c.to << ": " << ParseReplayHeader(text, &h);
    }
    ReplayHeader h;
    EXPECT_NE(ParseReplayHeader(good.substr(0, good.size() - 10), &h), "");
    EXPECT_NE(ParseReplayHeader(good + "1 keydown 37\n", &h), "");
}

}  // namespace
