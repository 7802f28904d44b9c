#include "actors/BigFish.h"
#include "game/Game.h"
#include "game/PointerAim.h"
#include "game/Settings.h"
#include "pages/Scene.h"
#include "sound/SoundBank.h"

void Game::NoteShownState() {
    if (state == shownState) return;
    shownState = state;
    shownFrames = 0;
}

bool Game::ResultPageGuarded(int key) {
    NoteShownState();
    if (state != kStateHiScores && state != kStateGameOver) return false;
    const bool confirms = IsConfirmKey(key) || key == kEnterKey;
    return confirms && shownFrames < kResultPageGuardFrames;
}

void Game::OnKeyDown(int key) {
    if (state == kStatePlay) {
        PlayKey(key);
        return;
    }
    if (ResultPageGuarded(key)) return;
    if (Scene* page = PageForState(state)) page->OnKey(key);
    // The options page sets the volumes; they are kept as soon as they change.
    Settings::SaveIfChanged();
}

void Game::OnKeyUp(int) {
    aimStep = 0;
    aimRepeatDelay = -1;
}

void Game::OnTap(int x, int y) {
    if (state == kStatePlay) {
        // On the victory picture any tap moves on, as a key does; nothing there is an exit.
        if (round > LastRound()) {
            FireKey();
            return;
        }
        if (InExitStrip(x, y)) {
            LeavePlay();
            return;
        }
        PlayPointerDown(x, y);
        return;
    }
    if (ResultPageGuarded(kConfirmKeys[0])) return;
    if (Scene* page = PageForState(state)) page->OnTap(x, y);
    Settings::SaveIfChanged();
}

void Game::OnStylusMove(int x, int y) {
    if (state == kStatePlay) {
        // A drag keeps the launcher on the finger wherever it wanders.
        if (pointerHeld) aimAngle = PointerAimAngle(x, y, aimAngle);
        return;
    }
    if (state != kStateOptions && state != kStateEditor) return;
    if (Scene* page = PageForState(state)) page->OnStylusMove(x, y);
    Settings::SaveIfChanged();
}

void Game::LeavePlay() {
    pointerHeld = false;
    ClearRunning();
    SoundBank::PlayMenu();
    state = kStateTitle;
    if (editorTrial) ReturnToEditor();
}

void Game::OnStylusUp(int x, int y) {
    // The pages act on the press alone.
    if (state == kStatePlay)
        PlayPointerUp(x, y);
    else
        pointerHeld = false;
}

void Game::PlayPointerDown(int x, int y) {
    if (round > LastRound() || losing || !InPointerAimZone(x, y)) return;
    pointerHeld = true;
    aimAngle = PointerAimAngle(x, y, aimAngle);
}

void Game::PlayPointerUp(int x, int y) {
    if (!pointerHeld) return;
    pointerHeld = false;
    aimAngle = PointerAimAngle(x, y, aimAngle);
    // Lifting outside the field only aims. A finger on a paused screen is not asking for a
    // shot, so the pointer is stricter there than the launch keys.
    if (!InPointerAimZone(x, y) || suspended || shotFlying || losing) return;
    if (round > LastRound() || !launchEnabled) return;
    LaunchByKey();
}

void Game::PlayKey(int key) {
    // Compared in this order: a device whose aim key shares a fire key's code aims with it.
    if (key == keys.vkLeft) {
        if (aimAngle > 166) return;
        aimStep = 4;
        aimRepeatDelay = 1;
        aimAngle += 4;
        return;
    }
    if (key == keys.vkRight) {
        if (aimAngle < 14) return;
        aimStep = -4;
        aimAngle -= 4;
        aimRepeatDelay = 1;
        return;
    }
    if (IsConfirmKey(key)) {
        FireKey();
        return;
    }
    if (key == kExitKey) {
        // One stray press must not throw a game away: the first pauses, the second leaves.
        if (suspended || round > LastRound())
            LeavePlay();
        else
            Suspend();
        return;
    }
    if (key == kPauseKey) {
        if (suspended)
            Resume();
        else
            Suspend();
    }
}

void Game::FireKey() {
    if (round > LastRound()) {
        // Past the last round: leave the victory picture the way a lost game is left.
        round = 0;
        losing = true;
        launchEnabled = true;
    }
    if (!launchEnabled) return;
    if (!shotFlying && !losing) LaunchByKey();
    if (!losing) return;
    losing = false;
    ClearRunning();
    if (editorTrial) {
        ReturnToEditor();
        return;
    }
    state = kStateHiScores;
    hiScoreReturnState = kStatePlay;  // the finished game's score goes in first
    if (Scene* page = PageForState(kStateGameOver)) page->Prepare();
}

void Game::LaunchByKey() {
    if (bigFish) bigFish->Start();
    Launch();
    // In a boss round only the automatic launches bring the ceiling down.
    if (!boss) ++shotsSinceDrop;
    SoundBank::PlayShoot();
}
