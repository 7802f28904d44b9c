#include "actors/Rival.h"

#include <cstdio>

#include "gfx/BackBuffer.h"
#include "gfx/Bitmap.h"
#include "sound/SoundBank.h"

namespace {

template <int N>
void LoadRedKeyed(Bitmap* (&table)[N], const char* format) {
    char name[32];
    for (int i = 0; i < N; ++i) {
        std::snprintf(name, sizeof name, format, i);
        table[i] = Bitmap::Load(name);
        if (table[i]) table[i]->SetColorKey(255, 0, 0);
    }
}

template <int N>
void DeleteAll(Bitmap* (&table)[N]) {
    for (Bitmap*& b : table) {
        delete b;
        b = nullptr;
    }
}

constexpr int kFlagLength = 10;
constexpr int kWinLength = 50;
constexpr int kLoseLength = 50;

}  // namespace

Rival::Rival(int x, int y) : x(x), y(y) {
    LoadRedKeyed(walkImages, "\\bad%d.bmp");
    LoadRedKeyed(winImages, "\\badwin%d.bmp");
    LoadRedKeyed(loseImages, "\\badlose%d.bmp");
    LoadRedKeyed(flagImages, "\\badflag%d.bmp");
}

Rival::~Rival() {
    DeleteAll(walkImages);
    DeleteAll(winImages);
    DeleteAll(loseImages);
    DeleteAll(flagImages);
}

void Rival::Reset() {
    Walk();
    walkingRight = false;
    xOffset = 22;
    walkStep = 4;
    walkTick = 0;
    poseLength = 0;
    muteHappy = false;
}

void Rival::Walk() {
    pose = kWalk;
    frame = 0;
}

void Rival::FlagReaction() {
    pose = kFlag;
    frame = 0;
    poseLength = kFlagLength;
}

void Rival::WinReaction() {
    pose = kWin;
    frame = 0;
    poseLength = kWinLength;
}

void Rival::LoseReaction() {
    pose = kLose;
    frame = 0;
    poseLength = kLoseLength;
}

void Rival::Update() {
    if (pose == kWalk) {
        if (walkTick > 11) walkTick = 0;
        const int p = walkTick % 4;
        ++walkTick;
        if (p != 0) return;
        // One step every fourth update; the turn comes one step past either end.
        if (walkingRight) {
            frame = walkTick / 4 + 3;
            xOffset += walkStep;
            if (xOffset > 22) walkingRight = false;
        } else {
            frame = walkTick / 4;
            xOffset -= walkStep;
            if (xOffset < 0) walkingRight = true;
        }
        return;
    }
    if (pose == kFlag || pose == kWin || pose == kLose) {
        ++frame;
        if (frame > poseLength) {
            frame = 0;
            pose = kWalk;
        }
    }
}

void Rival::Draw(BackBuffer& target) {
    switch (pose) {
        case kWalk:
            target.Draw(walkImages[frame % 6], x + xOffset, y, 0);
            break;
        case kFlag:
            if (frame == 4) SoundBank::PlayBen();
            target.Draw(flagImages[(frame % 4) / 2], x - 20 + xOffset, y - 30, 0);
            break;
        case kWin:
            if (frame == 10) {
                // The round clear plays its own sound instead of this one.
                if (muteHappy)
                    muteHappy = false;
                else
                    SoundBank::PlayHappy();
            }
            target.Draw(winImages[frame % 3], x + xOffset, y, 0);
            break;
        case kLose:
            if (frame == 4) SoundBank::PlayLose();
            target.Draw(loseImages[frame % 3], x + xOffset, y, 0);
            break;
        default:
            break;
    }
}
