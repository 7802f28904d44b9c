// The frame's play logic: the idle timer, the shot's flight (its rules in ShotRules), with wall
// bounces, snapping into the field, the ceiling, the lose sequence and the turning launcher.
#include <climits>
#include <cstdlib>

#include "actors/Rival.h"
#include "game/Game.h"
#include "game/GameRandom.h"
#include "gfx/ScoreCounter.h"
#include "sound/SoundBank.h"

namespace {

constexpr int kNoCandidate = INT_MAX;
constexpr int kShotsPerDrop = kWarnShots + 3;
constexpr int kLastRow = kFieldRows - 1;
constexpr int kMinAim = 10;
constexpr int kMaxAim = 170;

// The group points of a pop of n bubbles.
int GroupScore(int n) {
    return (n - 2) * n * 30;
}

}  // namespace

void Game::Update() {
    // The editor's test of a round ends with the round: no victory picture.
    if (state == kStatePlay && round > LastRound() && ReturnAfterPlay()) return;
    if (!running) return;
    AutoLaunch();
    if (rival) rival->Update();
    for (int& d : candDist)
        d = kNoCandidate;
    if (shotFlying)
        MoveShotOneFrame();
    else
        TurnLauncher();
    if (losing) LoseStep();
}

void Game::Launch() {
    shotFlying = true;
    const FlyingShot shot = Rules().Launch(aimAngle);
    shotX = shot.x;
    shotY = shot.y;
    shotVX = shot.vx;
    shotVY = shot.vy;
    const int bubbles = CountColours();
    shotColour = nextColour;
    nextColour = afterNextColour;
    afterNextColour = DrawPresentColour(bubbles);
    idleFrames = 0;
    ++shotsFired;
}

void Game::AutoLaunch() {
    if (!launchEnabled || losing) return;
    const int waited = idleFrames;
    ++idleFrames;
    if (waited < autoFireDelay + 80 || shotFlying) return;
    Launch();
    if (++shotsSinceDrop >= kShotsPerDrop) {
        shotsSinceDrop = 0;
        DropCeiling();
    }
}

int Game::CountColours() {
    for (bool& present : colourPresent)
        present = false;
    int bubbles = 0;
    for (int r = 0; r < kFieldRows; ++r) {
        for (int c = 0; c < RowLength(r); ++c) {
            const int code = field[r][c];
            if (code < 1 || code > 8) continue;
            colourPresent[code - 1] = true;
            ++bubbles;
        }
    }
    return bubbles;
}

int Game::DrawPresentColour(int bubbles) {
    int k;
    do {
        k = ColourRand() % 8;
    } while (bubbles != 0 && !colourPresent[k]);
    return k + 1;
}

void Game::MoveShotOneFrame() {
    FlyingShot shot{shotX, shotY, shotVX, shotVY};
    ShotCandidates found;
    for (int k = 0; k < kShotCandidates; ++k) {
        found.row[k] = candRow[k];
        found.col[k] = candCol[k];
        found.dist[k] = candDist[k];
    }
    const ShotFrameEnd end = Rules().FlyOneFrame(shot, &found);
    shotX = shot.x;
    shotY = shot.y;
    shotVX = shot.vx;
    shotVY = shot.vy;
    for (int k = 0; k < kShotCandidates; ++k) {
        candRow[k] = found.row[k];
        candCol[k] = found.col[k];
        candDist[k] = found.dist[k];
    }
    if (end.bounced) SoundBank::PlayBounce();
    switch (end.kind) {
        case ShotFrameEnd::kCeiling:
            AttachAtCeiling(shotX, shotColour);
            shotFlying = false;
            SoundBank::PlayBounce();
            break;
        case ShotFrameEnd::kLastRow:
            // No bubble, and no group may be scored from an earlier attach's count.
            matchCount = 0;
            FinishAttach();
            break;
        case ShotFrameEnd::kAttach:
            PlaceShot(end.row, end.col, shotColour);
            FinishAttach();
            break;
        case ShotFrameEnd::kStillFlying:
            break;
    }
}

bool Game::AttachShot(int row, int col, int colour) {
    if (row >= kLastRow) {
        matchCount = 0;
        return true;
    }
    int targetRow = 0, targetCol = 0;
    if (!Rules().AttachTarget(row, col, shotX, shotY, &targetRow, &targetCol)) return false;
    PlaceShot(targetRow, targetCol, colour);
    return true;
}

void Game::PlaceShot(int row, int col, int colour) {
    field[row][col] = colour;
    matchCount = 0;
    FloodGroup(row, col, colour);
}

void Game::FinishAttach() {
    shotFlying = false;
    ++missCount;
    if (matchCount >= 3) {
        missCount = 0;
        const int before = GetScore();
        if (score) score->Add(GroupScore(matchCount));
        if (GetScore() - before > kBigPopScore && rival) rival->WinReaction();
        SoundBank::PlayBreak();
        PopGroup();
    } else {
        UnmarkGroup();
    }
    if (missCount > 6 && rival) rival->FlagReaction();
    CheckCeilingDrop();
    SoundBank::PlayTwoBall();
}

void Game::AttachAtCeiling(int x, int colour) {
    const int target = Rules().CeilingColumn(x);
    matchCount = 0;
    if (target >= 0) {
        field[0][target] = colour;
        FloodGroup(0, target, colour);
    }
    if (matchCount >= 3) {
        const int n = matchCount;
        missCount = 0;
        const int before = GetScore();
        PopGroup();
        if (score) score->Add(GroupScore(n));
        // Here the falling bonus just paid by the pop counts towards the big-pop cheer.
        if (GetScore() - before > kBigPopScore && rival) rival->WinReaction();
    } else {
        UnmarkGroup();
    }
    CheckCeilingDrop();
}

void Game::CheckCeilingDrop() {
    if (shotsSinceDrop < kShotsPerDrop) return;
    shotsSinceDrop = 0;
    DropCeiling();
}

void Game::DropCeiling() {
    if (!pushMode) {
        fieldTop += rowHeight;
        deadlineRow -= 1;
        return;
    }
    for (int r = kLastRow; r >= 1; --r)
        for (int c = 0; c < kFieldCols; ++c)
            field[r][c] = field[r - 1][c];
    // The parity flips with the shift, so every bubble keeps its screen column.
    rowParityFlag = !rowParityFlag;
    rowParity = rowParityFlag ? 1 : 0;
    for (int c = 0; c < kFieldCols; ++c)
        field[0][c] = c < RowLength(0) ? RowRand() % 8 + 1 : kEmptyCell;
}

void Game::LoseStep() {
    losing = true;
    if (rivalLoseArmed) {
        if (rival) rival->LoseReaction();
        rivalLoseArmed = false;
    }
    shotFlying = false;
    for (int r = kLastRow; r >= 0; --r) {
        for (int c = 0; c < RowLength(r); ++c) {
            if (field[r][c] > 0) {
                field[r][c] = 0;
                return;
            }
        }
    }
    // Everything is grey: press the A button, which on most devices is a fire key and so
    // ends the game by itself. The game's own press, not a key the player holds.
    PlayKey(keys.vkA);
}

void Game::TurnLauncher() {
    if (aimRepeatDelay != 0) {
        // After a key-up the delay rests at -1 and the aim stays put until the next press;
        // it is not counted further down, where it would one day wrap round to 0.
        if (aimRepeatDelay > 0) --aimRepeatDelay;
        return;
    }
    aimAngle += aimStep;
    if (aimAngle < kMinAim) aimAngle = kMinAim;
    if (aimAngle > kMaxAim) aimAngle = kMaxAim;
}
