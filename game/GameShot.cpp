// The frame's play logic: the idle timer, the shot's flight in one-pixel steps with wall
// bounces, snapping into the field, the ceiling, the lose sequence and the turning launcher.
#include <climits>
#include <cmath>
#include <cstdlib>

#include "actors/Rival.h"
#include "game/Game.h"
#include "gfx/ScoreCounter.h"
#include "sound/SoundBank.h"

namespace {

constexpr double kDegreesToRadians = 0.01745327777777778;  // 3.14159 / 180
constexpr int kNoCandidate = INT_MAX;
constexpr int kCandidates = 6;
constexpr int kShotsPerDrop = kWarnShots + 3;
constexpr int kLastRow = kFieldRows - 1;
constexpr int kMinAim = 10;
constexpr int kMaxAim = 170;

int Sign(int v) {
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

// The group points of a pop of n bubbles.
int GroupScore(int n) {
    return (n - 2) * n * 30;
}

}  // namespace

void Game::Update() {
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
    shotX = fieldLeft + (7 * cellWidth) / 2;
    shotY = 13 * rowHeight + baseTop + 2;
    // Rounded by adding a half and truncating, so leftward speeds round differently from
    // rightward ones; the game has always flown that way.
    const double a = aimAngle * kDegreesToRadians;
    shotVX = static_cast<int>(cellWidth * std::cos(a) + 0.5);
    shotVY = static_cast<int>(cellWidth * std::sin(a) + 0.5);
    const int bubbles = CountColours();
    shotColour = nextColour;
    nextColour = afterNextColour;
    afterNextColour = DrawPresentColour(bubbles);
    idleFrames = 0;
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
        k = std::rand() % 8;
    } while (bubbles != 0 && !colourPresent[k]);
    return k + 1;
}

void Game::MoveShotOneFrame() {
    const int x0 = shotX, y0 = shotY, vx = shotVX, vy = shotVY;
    const int ax = std::abs(vx), ay = std::abs(vy);
    const int steps = ax > ay ? ax : ay;
    for (int i = 0; i < steps; ++i) {
        // The minor axis uses the step index, so it trails the major one by a step.
        if (ax > ay) {
            shotX += Sign(vx);
            shotY = y0 - (vy * i) / ax;
        } else {
            shotX = x0 + (vx * i) / ay;
            shotY -= Sign(vy);
        }
        bool bounced = false;
        if (shotX < fieldLeft) {
            shotX = fieldLeft + 1;
            shotVX = -vx;
            SoundBank::PlayBounce();
            bounced = true;
        } else if (shotX > shotMaxX) {
            shotX = shotMaxX;
            shotVX = -shotVX;
            SoundBank::PlayBounce();
            bounced = true;
        }
        if (shotY <= fieldTop) {
            AttachAtCeiling(shotX, shotColour);
            shotFlying = false;
            SoundBank::PlayBounce();
            return;
        }
        CollectCandidates();
        if (TryCandidates()) {
            FinishAttach();
            return;
        }
        if (bounced) return;
    }
}

void Game::CollectCandidates() {
    for (int& d : candDist)
        d = kNoCandidate;
    const int reach = cellWidth - cellWidth / 4;
    const int r = (shotY - fieldTop) / rowHeight;
    const int first = r == 0 ? 0 : r - 1;
    const int last = r + 1 < kLastRow ? r + 1 : kLastRow;
    for (int row = first < 0 ? 0 : first; row <= last; ++row) {
        for (int c = 0; c < RowLength(row); ++c) {
            if (field[row][c] < 0) continue;
            const int dx = shotX - CellX(row, c), dy = shotY - CellY(row);
            const int d = dy * dy + dx * dx;
            if (d < reach * reach) InsertCandidate(row, c, d);
        }
    }
}

void Game::InsertCandidate(int row, int col, int dist) {
    int at = 0;
    while (at < kCandidates && candDist[at] <= dist)
        ++at;  // equal distances keep the earlier find first
    if (at == kCandidates) return;
    for (int k = kCandidates - 1; k > at; --k) {
        candRow[k] = candRow[k - 1];
        candCol[k] = candCol[k - 1];
        candDist[k] = candDist[k - 1];
    }
    candRow[at] = row;
    candCol[at] = col;
    candDist[at] = dist;
}

bool Game::TryCandidates() {
    for (int k = 0; k < kCandidates; ++k) {
        if (candDist[k] == kNoCandidate) continue;
        if (AttachShot(candRow[k], candCol[k], shotColour)) return true;
    }
    return false;
}

bool Game::AttachShot(int row, int col, int colour) {
    if (row >= kLastRow) {
        // Touching the last row ends the shot with no bubble; no group may be scored from an
        // earlier attach's count.
        matchCount = 0;
        return true;
    }
    const int cx = CellX(row, col), cy = CellY(row);
    const int band = cellWidth / 4;
    const bool level = shotY >= cy - band && shotY <= cy + band;
    const bool above = shotY < cy - band;
    const bool longRow = RowLength(row) == 8;
    const bool right = longRow ? shotX >= cx : shotX > cx;
    int targetRow = row;
    int targetCol = col;
    if (level) {
        targetCol = right ? col + 1 : col - 1;
    } else if (longRow) {
        targetRow = above ? row - 1 : row + 1;
        targetCol = right ? col : col - 1;
        if (!above && right && col == 7) targetCol = 6;
    } else {
        targetRow = above ? row - 1 : row + 1;
        targetCol = right ? col + 1 : col;
    }
    if (targetRow < 0 || targetRow >= kFieldRows) return false;
    if (targetCol < 0 || targetCol >= RowLength(targetRow)) return false;
    if (field[targetRow][targetCol] >= 0) return false;
    field[targetRow][targetCol] = colour;
    matchCount = 0;
    FloodGroup(targetRow, targetCol, colour);
    return true;
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
    const int col = (x + cellWidth / 2 - fieldLeft) / cellWidth;
    const int length = RowLength(0);
    int target = -1;
    if (col >= 0 && col < length && field[0][col] < 0)
        target = col;
    else if (col >= -1 && col < length - 1 && field[0][col + 1] < 0)
        target = col + 1;
    else if (col > 0 && col - 1 < length && field[0][col - 1] < 0)
        target = col - 1;
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
        field[0][c] = c < RowLength(0) ? std::rand() % 8 + 1 : kEmptyCell;
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
    // ends the game by itself.
    OnKeyDown(keys.vkA);
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
