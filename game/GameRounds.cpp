// Round flow: starting a game, retrying a round, the launcher's first colours, the boss of an
// episode's last round and the round-clear sequence with its bonus.
#include <cstdio>
#include <cstdlib>

#include "actors/BigFish.h"
#include "actors/Rival.h"
#include "bosses/Boss.h"
#include "game/Game.h"
#include "game/GameRandom.h"
#include "gfx/BigFont.h"
#include "gfx/ScoreCounter.h"
#include "pages/HiScoreScene.h"
#include "sound/SoundBank.h"

namespace {

constexpr int kPushStartRows = 5;
constexpr int kClearTimerStart = 40;
constexpr int kRoundChangeTime = 20;
constexpr int kGoTime = 8;
constexpr int kPayoutStep = 10000;

// x of a "ROUND %d" text: one digit is centred further right than two.
int RoundTextX(int round) {
    return round < 9 ? 48 : 40;
}

}  // namespace

void Game::NewGame() {
    BeginPlayAt(startRound);
}

void Game::StartGame(bool push) {
    if (push)
        SelectPushMode();
    else
        SelectRoundsMode();
    NewGame();
    state = kStatePlay;
    SetRunning();
}

void Game::RetryRound() {
    BeginPlayAt(pushMode ? startRound : round);
}

void Game::StartDaily(const std::string& date) {
    SelectPushMode();
    daily = true;
    dailyDate = date;
    std::snprintf(dailyScoresFile_, sizeof dailyScoresFile_, "\\daily-%s.dat", date.c_str());
    NewGame();
    state = kStatePlay;
    SetRunning();
}

void Game::BeginPlayAt(int firstRound) {
    // Where the game stands in the sequence before it draws anything: its replay starts there.
    const long long draws = GameRandomSequence().Draws();
    ClearEffects();
    EndClearSequence();
    ResetCarriedState();
    if (daily) SeedDailyRandom();
    round = firstRound;
    missCount = 0;
    suspended = false;
    rivalLoseArmed = true;
    losing = false;
    boss = nullptr;
    gameRoundsCleared = 0;
    gameLastRound = round + 1;
    if (pushMode) {
        FillPushField();
    } else {
        LoadRound(round);
        SetUpBoss();
    }
    if (score) score->Set(0);
    PickLauncherColours();
    ResetShotAndCeiling();
    BeginReplay(draws);
}

void Game::ResetCarriedState() {
    // A boss keeps its place, cycle, segments and sparks between fights: start from new.
    for (Boss*& b : bosses) {
        delete b;
        b = nullptr;
    }
    aimAngle = 90;
    aimStep = 0;
    aimRepeatDelay = 0;
    pointerHeld = false;
    rowParity = 0;
    rowParityFlag = false;
    shotX = shotY = shotVX = shotVY = 0;
    for (int k = 0; k < 6; ++k)
        candRow[k] = candCol[k] = candDist[k] = 0;
    matchCount = 0;
    shakeOffset = 1;
    shownState = kStatePlay;
    shownFrames = 0;
    // Keys still down from the pages before the game are not waited for on its result
    // pages: its replay never saw them go down.
    heldKeyCount = 0;
    awaitingRelease = false;
    if (rival) rival->Reset();
    if (bigFish) bigFish->Reset();
    if (hiScorePage) hiScorePage->loaded = false;
}

void Game::SeedDailyRandom() {
    // YYYYMMDD seeds the field; the rows and the colours take their own, so the first row
    // pushed in is not the field's first row again.
    const uint32_t day = static_cast<uint32_t>(std::atoi(
        (dailyDate.substr(0, 4) + dailyDate.substr(5, 2) + dailyDate.substr(8, 2)).c_str()));
    dailyFieldRandom = GameRandom(day);
    dailyRowRandom = GameRandom(day + 100000000u);
    dailyColourRandom = GameRandom(day + 200000000u);
}

int Game::FieldRand() {
    return daily ? dailyFieldRandom.Next() : GameRand();
}

int Game::RowRand() {
    return daily ? dailyRowRandom.Next() : GameRand();
}

int Game::ColourRand() {
    return daily ? dailyColourRandom.Next() : GameRand();
}

const char* Game::ScoresFile() const {
    return daily ? dailyScoresFile_ : roundBook.ScoresFile();
}

void Game::FillPushField() {
    for (int r = 0; r < kFieldRows; ++r)
        for (int c = 0; c < kFieldCols; ++c)
            field[r][c] = r < kPushStartRows && c < RowLength(r) ? FieldRand() % 8 + 1 : kEmptyCell;
}

void Game::ResetShotAndCeiling() {
    shotFlying = false;
    // Time spent on the pages before this game must not count towards its first launch.
    idleFrames = 0;
    autoFireDelay = 100;
    shotsSinceDrop = 0;
    fieldTop = 17;
    deadlineRow = kFieldRows - 1;
}

void Game::EndClearSequence() {
    // A sequence left unfinished (an exit tap mid-way, or the victory) must not run on into
    // the next game and change its round.
    clearTimer = kClearTimerStart;
    clearBonus = -1;
    roundCleared = false;
    launchEnabled = true;
}

void Game::PickLauncherColours() {
    const int bubbles = CountColours();
    nextColour = afterNextColour = DrawPresentColour(bubbles);
    afterNextColour = DrawPresentColour(bubbles);
    shotColour = nextColour;
}

void Game::SetUpBoss() {
    int kind;
    switch (round) {
        case 11:
            kind = kInsectBoss;
            break;
        case 23:
            kind = kCrabBoss;
            break;
        case 35:
            kind = kSnakeBoss;
            break;
        case 47:
            kind = kWizardBoss;
            break;
        default:
            return;
    }
    if (!bosses[kind])
        bosses[kind] =
            CreateBoss(kind, this, fieldLeft, baseTop, 7 * cellWidth, 6 * cellWidth, cellWidth);
    boss = bosses[kind];
    if (boss) boss->Start();
}

void Game::RunClearSequence(BackBuffer& target) {
    if (clearBonus == -1) StartClearBonus();
    DrawClearTexts(target);
    if (clearTimer == kRoundChangeTime) EnterNextRound();
    PayClearBonus();
    if (clearBonus == 0) --clearTimer;
    if (clearBonus <= 0 && clearTimer < 0) {
        EndClearSequence();
        idleFrames = 0;
    }
}

void Game::StartClearBonus() {
    // A quick finish earns up to 10000; the round index adds 10000 for each round.
    const int quickness = 100 - idleFrames / 20;
    clearBonus = idleFrames < 2000 ? quickness * quickness : 10;
    clearBonus += round * 10000;
    launchEnabled = false;
    SaveProgress();
    ++roundsCleared;
    ++gameRoundsCleared;
}

void Game::DrawClearTexts(BackBuffer& target) {
    char text[32];
    if (clearBonus != -1 && clearTimer > kRoundChangeTime) {
        std::snprintf(text, sizeof text, "EPISODE %d", round / 12 + 1);
        // Two pixels clear of the field's sides: at the full advance it would cross them.
        BigFont::DrawTextWithin(target, fieldLeft + 2, fieldLeft + kFieldCols * cellWidth - 2, 30,
                                text);
        std::snprintf(text, sizeof text, "ROUND %d", round + 1);
        BigFont::DrawText(target, RoundTextX(round), 60, text);
        BigFont::DrawText(target, 66, 90, "CLEAR");
        BigFont::DrawText(target, 66, 120, "BONUS");
        std::snprintf(text, sizeof text, "%d", clearBonus);
        BigFont::DrawText(target, 66, 150, text);
        return;
    }
    if (clearTimer == kGoTime) {
        SoundBank::PlayGo();
        ClearEffects();
    }
    if (clearTimer > kGoTime) {
        std::snprintf(text, sizeof text, "ROUND %d", round + 1);
        BigFont::DrawText(target, RoundTextX(round), 50, text);
    } else {
        BigFont::DrawText(target, 98, 110, "GO");
    }
}

void Game::EnterNextRound() {
    round += 1;
    // After the last round nothing is loaded: the victory picture takes over the screen.
    if (round > LastRound()) return;
    gameLastRound = round + 1;
    LoadRound(round);
    boss = nullptr;
    SetUpBoss();
    deadlineRow = kFieldRows - 1;
    fieldTop = 17;
    PickLauncherColours();
}

void Game::PayClearBonus() {
    if (clearBonus > kPayoutStep) {
        if (score) score->Add(kPayoutStep);
        clearBonus -= kPayoutStep;
    }
    if (clearBonus >= 1 && clearBonus <= kPayoutStep) {
        if (score) score->Add(clearBonus);
        clearBonus = 0;
        shotsSinceDrop = 0;
    }
}
