// Rules of play that no frame golden can see: the episode bonus of each boss, the rival's flag
// after a run of misses, and the ceiling reaching a low bubble.
#include <set>
#include <utility>
#include <vector>

#include "actors/BonusEffect.h"
#include "actors/Rival.h"
#include "gfx/ScoreCounter.h"
#include "tests/PlayFixture.h"

namespace {

using test::PlayTest;

TEST_F(PlayTest, EachBossPaysItsEpisodesMillionsWithItsOwnBonusPictures) {
    struct Case {
        int round, bonus, picture;
        std::vector<std::pair<int, int>> at;
    };
    const Case cases[] = {
        {11, 1000000, 18, {{50, 60}, {140, 90}}},
        {23, 2000000, 18, {{50, 20}, {110, 50}, {110, 80}, {170, 110}}},
        {35, 3000000, 21, {{50, 30}, {110, 60}, {50, 90}}},
        {47, 4000000, 21, {{50, 20}, {110, 50}, {50, 80}, {110, 110}}},
    };
    for (const Case& c : cases) {
        game->ClearEffects();
        game->score->Set(0);
        game->round = c.round;
        game->AwardEpisodeBonus();
        EXPECT_EQ(c.bonus, game->GetScore()) << c.round;
        // Slots are refilled in their own order, so the pictures are compared as a set.
        std::set<std::pair<int, int>> shown;
        for (int i = 0; i <= game->lastEffect; ++i) {
            auto* bonus = dynamic_cast<BonusEffect*>(game->effects[i]);
            ASSERT_TRUE(bonus) << c.round;
            EXPECT_EQ(c.picture, bonus->value) << c.round;
            shown.insert({bonus->x, bonus->y});
        }
        const std::set<std::pair<int, int>> expected(c.at.begin(), c.at.end());
        EXPECT_EQ(expected, shown) << c.round;
    }
}

TEST_F(PlayTest, EveryShotWithoutAPopFromTheSeventhOnRaisesTheRivalsFlag) {
    game->field[0][3] = 3;
    game->aimAngle = 90;
    for (int shot = 1; shot <= 10; ++shot) {
        game->rival->Walk();
        game->nextColour = shot % 2 + 1;  // alternating colours never make three
        game->Launch();
        ASSERT_TRUE(UpdateUntilLanded()) << shot;
        EXPECT_EQ(shot, game->missCount);
        EXPECT_EQ(shot >= 7 ? Rival::kFlag : Rival::kWalk, game->rival->pose) << "shot " << shot;
    }
}

TEST_F(PlayTest, ABubbleInRowEightStartsTheLoseSequenceAtTheThirdCeilingMove) {
    test::Frame frame;
    game->field[8][3] = 1;
    for (int drop = 1; drop <= 3; ++drop) {
        game->DropCeiling();
        game->Render(frame.Buffer());  // the loss is found while the field is drawn
        EXPECT_EQ(drop == 3, game->losing) << "after ceiling move " << drop;
    }
}

}  // namespace
