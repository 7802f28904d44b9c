// The play screen, redrawn whole every frame. Some of the frame's game logic lives here on
// purpose: the loss and clear tests while the field is drawn, the boss's life, hit and step,
// the effects' steps and the round-clear sequence, in that order, so that what the frame
// shows and the state it leaves always agree.
#include <cassert>
#include <cstdlib>

#include "actors/BigFish.h"
#include "actors/Effect.h"
#include "actors/Rival.h"
#include "bosses/Boss.h"
#include "game/Game.h"
#include "gfx/BackBuffer.h"
#include "gfx/BigFont.h"
#include "gfx/Bitmap.h"
#include "gfx/ScoreCounter.h"
#include "pages/Scene.h"
#include "sound/SoundBank.h"

namespace {

// Every picture index below comes from game state that should keep it in range. A slip
// stops a debug build on the spot; a release build draws nothing rather than read past the
// table.
template <int N>
const Bitmap* Picture(Bitmap* const (&table)[N], int index) {
    assert(index >= 0 && index < N);
    return index >= 0 && index < N ? table[index] : nullptr;
}

constexpr int kBackgroundColumns = 4;
constexpr int kBackgroundRows = 6;
constexpr int kMaskGrid = 16;
constexpr int kMaskColumns = 11;
constexpr int kMaskRows = 9;
constexpr int kWarnBlink = 20;
constexpr int kGuideDotSpacing = 6;
// The slowest climb is 4 pixels a frame, and the ceiling is never 300 pixels away.
constexpr int kGuideFrames = 80;

void DrawBackground(const Game& game, BackBuffer& target) {
    // The tiles step by the first pattern's size; without it there is nothing to step by.
    const Bitmap* first = game.patternImages[0];
    if (!first) return;
    const Bitmap* tile = Picture(game.patternImages, game.round / 4);
    for (int j = 0; j < kBackgroundRows; ++j)
        for (int i = 0; i < kBackgroundColumns; ++i)
            target.Draw(tile, i * first->width, j * first->height, 0);
}

void StepBoss(Game& game, BackBuffer& target) {
    if (game.suspended) {
        // Paused: the boss stands still; not even its pictures draw from rand().
        game.boss->DrawStill(target);
        return;
    }
    if (!game.boss->IsAlive()) {
        game.AwardEpisodeBonus();
        game.boss = nullptr;
        return;
    }
    if (game.shotFlying &&
        game.boss->HitTest(game.shotX, game.shotY, game.cellWidth, game.cellWidth))
        game.shotFlying = false;
    game.boss->UpdateAndDraw(target);
}

void StepEffects(Game& game, BackBuffer& target) {
    // lastEffect is read afresh each step and never lowered here; the slots it leaves empty
    // are refilled first by AddEffect.
    for (int i = 0; i <= game.lastEffect && i < kMaxEffects; ++i) {
        Effect* effect = game.effects[i];
        if (!effect) continue;
        if (effect->Update()) {
            effect->Draw(target);
        } else {
            delete effect;
            game.effects[i] = nullptr;
        }
    }
}

void DrawLaunchWarning(const Game& game, BackBuffer& target) {
    // Blinks, and steps to a more urgent picture every blink, until the launcher fires.
    if (game.idleFrames <= game.autoFireDelay || game.idleFrames % kWarnBlink >= kWarnBlink / 2)
        return;
    const int step = (game.idleFrames - game.autoFireDelay) / kWarnBlink;
    target.Draw(Picture(game.warnImages, step), game.fieldLeft, 10 * game.cellWidth + game.baseTop,
                0);
}

void DrawMaskOverlay(const Game& game, BackBuffer& target) {
    for (int j = 0; j < kMaskRows; ++j)
        for (int i = 0; i < kMaskColumns; ++i)
            target.Draw(game.maskImage, game.fieldLeft + kMaskGrid * i,
                        game.baseTop + 13 + kMaskGrid * j, 0);
}

}  // namespace

void Game::Render(BackBuffer& target) {
    RenderShown(target);
    replay.EndFrame();
}

void Game::RenderShown(BackBuffer& target) {
    NoteShownState();
    if (shownFrames < kResultPageGuardFrames) ++shownFrames;
    ++drawnFrames;
    if (state == kStatePlay) {
        DrawPlayScreen(target);
        return;
    }
    Scene* page = PageForState(state);
    if (!page && state != kStateTitle) {
        // A page that does not exist cannot strand the player: back to the title.
        state = kStateTitle;
        page = PageForState(state);
    }
    if (page) page->Draw(target);
    // A press held while play was left (by keys) must not fire into the next game.
    pointerHeld = false;
}

void Game::DrawPlayScreen(BackBuffer& target) {
    if (round > LastRound()) {
        // Every round is won: the victory picture alone, and no game logic runs.
        target.Draw(victoryImage, 0, 0, 0);
        return;
    }
    DrawBackground(*this, target);
    target.Draw(boardImage, 0, 0, 0);
    target.Draw(bridgeImage, fieldLeft + 2 * cellWidth + 6, 13 * rowHeight + baseTop + 6, 0);
    target.Draw(lineImage, fieldLeft, 11 * rowHeight + baseTop + 5, 0);
    DrawStones(target);
    DrawField(target);
    DrawMachinery(target);
    DrawPointer(target);
    DrawAimGuide(target);
    target.Draw(Picture(ballImages, nextColour), fieldLeft + (7 * cellWidth) / 2,
                13 * rowHeight + baseTop + 2, 0);
    target.Draw(Picture(ballImages, afterNextColour), fieldLeft + (4 * cellWidth) / 2 + 6,
                13 * rowHeight + baseTop + 6, 0);
    bigFish->Draw(target);
    if (shotFlying) target.Draw(Picture(ballImages, shotColour), shotX, shotY, 0);
    if (boss) StepBoss(*this, target);
    StepEffects(*this, target);
    score->Draw(target);
    rival->Draw(target);
    DrawLaunchWarning(*this, target);
    if (roundCleared || suspended) DrawMaskOverlay(*this, target);
    if (roundCleared) RunClearSequence(target);
    if (suspended) BigFont::DrawText(target, 68, 82, "PAUSE");
    target.Draw(exitImage, 200, 304, 0);
}

void Game::DrawStones(BackBuffer& target) {
    // One stone per ceiling drop; the newest sits on top of the field and pushes the older
    // ones up towards baseTop.
    const int drops = kFieldRows - deadlineRow - 1;
    for (int i = 0; i < drops; ++i)
        target.Draw(Picture(stoneImages, i), fieldLeft, (drops - 1 - i) * rowHeight + baseTop, 0);
}

void Game::DrawField(BackBuffer& target) {
    // The field jitters during the last launches before the ceiling comes down.
    const bool shaking = shotsSinceDrop > kWarnShots;
    if (shaking) shakeOffset = -shakeOffset;
    DrawFieldCells(target, field, Geometry(), shaking ? shakeOffset : 0);
    CheckFieldEnds();
}

void Game::DrawFieldCells(BackBuffer& target, const int (&cells)[kFieldRows][kFieldCols],
                          const FieldGeometry& geometry, int shake) const {
    for (int r = 0; r < kFieldRows; ++r) {
        for (int c = 0; c < geometry.RowLength(r); ++c) {
            const int code = cells[r][c];
            if (code < 0) continue;
            const int picture = code >= 1 && code <= 8 ? code : 0;
            target.Draw(ballImages[picture], geometry.CellX(r, c) + shake, geometry.CellY(r), 0);
        }
    }
}

void Game::CheckFieldEnds() {
    int bubbles = 0;
    int lowestRow = 0;
    for (int r = 0; r < kFieldRows; ++r) {
        for (int c = 0; c < RowLength(r); ++c) {
            if (field[r][c] < 0) continue;
            ++bubbles;
            lowestRow = r;
        }
    }
    if (lowestRow >= deadlineRow) LoseStep();
    // Grey bubbles of the lose sequence count as bubbles: a lost field is never cleared.
    if (!roundCleared && bubbles == 0 && !boss && !pushMode) {
        roundCleared = true;
        SoundBank::PlayClear();
        rival->MuteNextHappy();
        rival->WinReaction();
    }
}

void Game::DrawMachinery(BackBuffer& target) {
    // Each 4-degree step moves the frame by 2 (mod 3), so the wheels turn with the aim.
    const int f = (aimAngle / 2) % 3;
    const int y = baseTop + 12 * rowHeight + rowHeight / 2;
    target.Draw(Picture(gearImages, f), fieldLeft + 3 * cellWidth, y, 0);
    target.Draw(Picture(smallGearImages, f), fieldLeft + 5 * cellWidth - 2, y + 18, 0);
    target.Draw(Picture(dogImages, f), fieldLeft + 6 * cellWidth - 8, y + 8, 0);
}

void Game::DrawPointer(BackBuffer& target) {
    // Pictures exist for 90 down to 10 degrees; the left half is their mirror image.
    const int x = fieldLeft + 2 * cellWidth;
    const int y = baseTop + 11 * rowHeight + rowHeight / 2;
    if (aimAngle <= 90)
        target.Draw(Picture(pointerImages, (90 - aimAngle) / 4), x, y, 0);
    else
        target.DrawMirrored(Picture(pointerImages, (aimAngle - 90) / 4), x, y, 0, 1);
}

void Game::DrawAimGuide(BackBuffer& target) {
    // While a finger aims, dots follow the flight the shot would take, until its first bounce
    // or the bubble it would touch: the flight's own steps, so the guide never lies.
    if (!pointerHeld) return;
    const ShotRules rules = Rules();
    FlyingShot shot = rules.Launch(aimAngle);
    ShotCandidates candidates;
    const int centre = cellWidth / 2 - 1;  // the 2-pixel dot on the bubble's centre
    int travelled = 0;
    for (int frame = 0; frame < kGuideFrames; ++frame) {
        const int fromX = shot.x, fromY = shot.y;
        const ShotFrameEnd end = rules.FlyOneFrame(shot, &candidates);
        const int dx = shot.x - fromX, dy = shot.y - fromY;
        const int steps = std::abs(dx) > std::abs(dy) ? std::abs(dx) : std::abs(dy);
        for (int t = 1; t <= steps; ++t) {
            if (++travelled % kGuideDotSpacing != 0) continue;
            target.Draw(aimDotImage, fromX + dx * t / steps + centre,
                        fromY + dy * t / steps + centre, 0);
        }
        if (end.kind != ShotFrameEnd::kStillFlying || end.bounced) return;
    }
}
