#include "pages/OptionsScene.h"

#include <cstdio>
#include <initializer_list>

#include "game/Game.h"
#include "gfx/BackBuffer.h"
#include "gfx/Bitmap.h"
#include "gfx/SmallFont.h"
#include "sound/SoundBank.h"

namespace {

enum Entry { kEffects = 0, kMusic = 1, kHiScores = 2, kStartRound = 3, kBack = 4 };
constexpr int kEntries = 5;
constexpr int kVolumeStep = 2;
constexpr int kLoudest = 64;
// The knob's left edge sits at 135 for volume 0 and at 199 for volume 64.
constexpr int kBarZeroX = 135;
constexpr int kLeftArrowX = 133;
constexpr int kRightArrowX = 183;
constexpr int kArrowWidth = 17;

Bitmap* LoadKeyed(const char* name, int r, int g, int b) {
    Bitmap* bitmap = Bitmap::Load(name);
    if (bitmap) bitmap->SetColorKey(r, g, b);
    return bitmap;
}

bool InsideBarX(int x) {
    return x > 100 && x < 234;
}

// A step from an odd volume the pointer left still reaches silence and the loudest.
int SteppedVolume(int volume, int step) {
    const int v = volume + step;
    return v < 0 ? 0 : (v > kLoudest ? kLoudest : v);
}

}  // namespace

OptionsScene::OptionsScene(Game* owner)
    : game(owner),
      background(Bitmap::Load("\\option.bmp")),
      cursor(LoadKeyed("\\ball1.bmp", 0, 0, 0)),
      knob(LoadKeyed("\\rect.bmp", 255, 0, 0)),
      leftArrow(Bitmap::Load("\\arrowl0.bmp")),
      leftArrowLit(Bitmap::Load("\\arrowl1.bmp")),
      rightArrow(Bitmap::Load("\\arrowr0.bmp")),
      rightArrowLit(Bitmap::Load("\\arrowr1.bmp")) {}

OptionsScene::~OptionsScene() {
    for (Bitmap* b : {background, cursor, knob, leftArrow, leftArrowLit, rightArrow, rightArrowLit})
        delete b;
}

void OptionsScene::Draw(BackBuffer& target) {
    target.Draw(background, 0, 0, 0);
    target.Draw(knob, SoundBank::GetEffectsVolume() + kBarZeroX, 102, 0);
    target.Draw(knob, SoundBank::GetMusicVolume() + kBarZeroX, 138, 0);
    target.Draw(cursor, cursorX, menuTop + entryHeight * selection, 0);
    const int arrowY = menuTop + 3 * entryHeight - 2;
    target.Draw(litArrow == 1 ? leftArrowLit : leftArrow, kLeftArrowX, arrowY, 0);
    target.Draw(litArrow == 2 ? rightArrowLit : rightArrow, kRightArrowX, arrowY, 0);
    litArrow = 0;
    const int startRound = game->GetStartRound();
    char text[16];
    std::snprintf(text, sizeof text, "%d", startRound + 1);
    SmallFont::DrawText(target, startRound < 9 ? 160 : 153, menuTop + 3 * entryHeight + 1, text);
}

void OptionsScene::OnKey(int key) {
    if (key == game->keys.vkRight) StepRight();
    if (key == game->keys.vkLeft) StepLeft();
    if (key == game->keys.vkUp) {
        SoundBank::PlayMenu();
        selection = selection == 0 ? kEntries - 1 : selection - 1;
    }
    if (key == game->keys.vkDown) {
        SoundBank::PlayMenu();
        selection = selection == kEntries - 1 ? 0 : selection + 1;
    }
    if (IsConfirmKey(key)) Confirm();
    // Escape and Backspace go back, as a player expects of a page with a back entry.
    if (key == kPauseKey || key == kExitKey) {
        SoundBank::PlayMenu();
        game->state = kStateTitle;
    }
}

void OptionsScene::StepRight() {
    if (selection == kEffects) {
        SoundBank::SetEffectsVolume(SteppedVolume(SoundBank::GetEffectsVolume(), kVolumeStep));
        SoundBank::PlayMenu();
    } else if (selection == kMusic) {
        SoundBank::SetMusicVolume(SteppedVolume(SoundBank::GetMusicVolume(), kVolumeStep));
    } else if (selection == kStartRound) {
        game->RaiseStartRound();
        litArrow = 2;
    }
}

void OptionsScene::StepLeft() {
    if (selection == kEffects) {
        SoundBank::SetEffectsVolume(SteppedVolume(SoundBank::GetEffectsVolume(), -kVolumeStep));
        SoundBank::PlayMenu();
    } else if (selection == kMusic) {
        SoundBank::SetMusicVolume(SteppedVolume(SoundBank::GetMusicVolume(), -kVolumeStep));
    } else if (selection == kStartRound) {
        game->LowerStartRound();
        litArrow = 1;
    }
}

void OptionsScene::Confirm() {
    SoundBank::PlayMenu();
    if (selection == kHiScores) {
        game->hiScoreReturnState = kStateOptions;
        game->state = kStateHiScores;
    } else if (selection == kBack) {
        game->state = kStateTitle;
    }
}

void OptionsScene::TouchBars(int x, int y) {
    if (!InsideBarX(x)) return;
    if (y >= 102 && y <= 126) {
        SoundBank::SetEffectsVolume(x - kBarZeroX);
        SoundBank::PlayMenu();  // heard at the new volume, so the player can judge it
        selection = kEffects;
    }
    if (y >= 138 && y <= 162) {
        SoundBank::SetMusicVolume(x - kBarZeroX);
        selection = kMusic;
    }
}

void OptionsScene::OnTap(int x, int y) {
    TouchBars(x, y);
    // The boxes are tested one after another on the same point and some overlap: (140, 210)
    // opens the high scores and steps the start round down as well.
    const bool inMenuColumn = x > cursorX + 22 && x < cursorX + 172;
    if (inMenuColumn && y >= menuTop + 2 * entryHeight - 2 && y <= menuTop + 3 * entryHeight - 2) {
        selection = kHiScores;
        OnKey(kConfirmKeys[0]);
    }
    if (inMenuColumn && y >= menuTop + 4 * entryHeight - 2 && y <= menuTop + 5 * entryHeight - 2) {
        selection = kBack;
        OnKey(kConfirmKeys[0]);
    }
    const bool inArrowRow =
        y >= menuTop + 3 * entryHeight - 2 && y <= menuTop + 3 * (entryHeight + 9);
    if (inArrowRow && x >= kLeftArrowX && x <= kLeftArrowX + kArrowWidth) {
        selection = kStartRound;
        OnKey(game->keys.vkLeft);
    }
    if (inArrowRow && x >= kRightArrowX && x <= kRightArrowX + kArrowWidth) {
        selection = kStartRound;
        OnKey(game->keys.vkRight);
    }
}

void OptionsScene::OnStylusMove(int x, int y) {
    TouchBars(x, y);
}
