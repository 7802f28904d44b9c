#include "actors/BigFish.h"
#include "game/Game.h"
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
        // The whole right-hand strip below the score leaves play for the title page.
        if (x >= 200 && y >= 104) LeavePlay();
        return;
    }
    if (ResultPageGuarded(kConfirmKeys[0])) return;
    if (Scene* page = PageForState(state)) page->OnTap(x, y);
    Settings::SaveIfChanged();
}

void Game::OnStylusMove(int x, int y) {
    if (state != kStateOptions) return;
    if (Scene* page = PageForState(state)) page->OnStylusMove(x, y);
    Settings::SaveIfChanged();
}

void Game::LeavePlay() {
    ClearRunning();
    SoundBank::PlayMenu();
    state = kStateTitle;
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
        LeavePlay();
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
    if (round > 47) {
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
