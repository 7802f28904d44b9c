#include "actors/BigFish.h"
#include "game/Game.h"
#include "game/PointerAim.h"
#include "game/Settings.h"
#include "pages/Scene.h"
#include "sound/SoundBank.h"

namespace {

bool IsResultPage(int state) {
    return state == kStateHiScores || state == kStateGameOver;
}

// The same key as the page's typed codes and the play keys see it: Space, Enter and Z are one
// key to the player whether the name entry was open when it went down or when it came up.
int PhysicalKey(int key) {
    switch (key) {
        case ' ':
        case kEnterKey:
        case 'Z':
            return kConfirmKeys[0];
        case 'X':
            return kConfirmKeys[1];
        case 'C':
            return kConfirmKeys[2];
        case 'P':
        case 27:
            return kPauseKey;
        case kBackspaceKey:
            return kExitKey;
        default:
            return key;
    }
}

}  // namespace

void Game::NoteShownState() {
    if (state == shownState) return;
    shownState = state;
    shownFrames = 0;
    // Only keys held from the game are waited for: a letter let go after the name entry
    // closed is never heard again, and must not hold up the pages of the next game.
    if (state == kStatePlay) heldKeyCount = 0;
    awaitingRelease = state == kStateHiScores && heldKeyCount > 0;
}

void Game::NoteKeyDown(int key) {
    // A letter typed into a name is a letter, even on the key that launches in play.
    if (IsConfirmKey(key) || key == kEnterKey) lastConfirmFrame = drawnFrames;
    const int physical = PhysicalKey(key);
    for (int i = 0; i < heldKeyCount; ++i)
        if (heldKeys[i] == physical) return;
    if (heldKeyCount < kMaxHeldKeys) heldKeys[heldKeyCount++] = physical;
}

void Game::NoteKeyUp(int key) {
    const int physical = PhysicalKey(key);
    for (int i = 0; i < heldKeyCount; ++i) {
        if (heldKeys[i] != physical) continue;
        heldKeys[i] = heldKeys[--heldKeyCount];
        break;
    }
    if (heldKeyCount == 0) awaitingRelease = false;
}

bool Game::ResultPageGuarded(int key) {
    const long sinceConfirm = drawnFrames - lastConfirmFrame;
    NoteKeyDown(key);
    NoteShownState();
    if (!IsResultPage(state)) return false;
    if (shownFrames < kResultPageGuardFrames) return true;
    const bool confirms = IsConfirmKey(key) || key == kEnterKey;
    // Fire still held as the page opened must not go on to type into the name.
    if (!confirms) return awaitingRelease;
    return sinceConfirm <= kMashFrames;
}

bool Game::ResultPageTapGuarded() {
    NoteShownState();
    return IsResultPage(state) && shownFrames < kResultPageGuardFrames;
}

void Game::OnKeyDown(int key) {
    if (state == kStatePlay) {
        NoteKeyDown(key);
        PlayKey(key);
        return;
    }
    if (ResultPageGuarded(key)) return;
    if (Scene* page = PageForState(state)) page->OnKey(key);
    // The options page sets the volumes; they are kept as soon as they change.
    Settings::SaveIfChanged();
}

void Game::OnKeyUp(int key) {
    NoteKeyUp(key);
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
    if (ResultPageTapGuarded()) return;
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
    // A game left before its end is not a finished game: it leaves no replay.
    replay.Abandon();
    pointerHeld = false;
    ClearRunning();
    SoundBank::PlayMenu();
    state = kStateTitle;
    ReturnAfterPlay();
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
        if (aimAngle > kAimHighest - kAimKeyStep) return;
        aimStep = kAimKeyStep;
        aimRepeatDelay = 1;
        aimAngle += kAimKeyStep;
        return;
    }
    if (key == keys.vkRight) {
        if (aimAngle < kAimLowest + kAimKeyStep) return;
        aimStep = -kAimKeyStep;
        aimAngle -= kAimKeyStep;
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
    if (ReturnAfterPlay()) return;
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
