#include "bot/Autoplayer.h"

#include <cstdio>

#include "bot/ShotPlanner.h"
#include "pages/TitleScene.h"

namespace {

constexpr int kFireKey = kConfirmKeys[0];
// Keys a person presses on the victory picture or at the end of a lost game, not every frame.
constexpr int kEndKeyInterval = 5;

}  // namespace

Autoplayer::Autoplayer(Mode mode, int startRound, uint32_t seed)
    : mode_(mode), startRound_(startRound), random_(seed) {}

void Autoplayer::EventsFor(const Game& game, long frame, std::vector<InputEvent>* out) {
    frame_ = frame;
    out_ = out;
    Track(game);
    if (game.state != lastState_) {
        Release();
        lastState_ = game.state;
        stateSince_ = frame;
    }
    if (game.state == kStatePlay)
        InPlay(game);
    else
        OnPage(game, frame);
    out_ = nullptr;
}

void Autoplayer::Track(const Game& game) {
    const bool playing = game.state == kStatePlay;
    // A try starts whenever play is entered from a page (a new game or a retry) or the next
    // round comes up.
    const bool entered = playing && (trackedState_ != kStatePlay || game.round != trackedRound_);
    if (entered && game.round < 48) ++rounds_[game.round].tries;
    trackedState_ = game.state;
    trackedRound_ = game.round;
    if (game.shotsFired != seenShots_) {
        rounds_[game.round].shots += game.shotsFired - seenShots_;
        seenShots_ = game.shotsFired;
    }
    if (game.roundsCleared != seenClears_) {
        // The clear sequence keeps the cleared round's index for a while.
        rounds_[game.round].cleared = true;
        seenClears_ = game.roundsCleared;
    }
}

void Autoplayer::OnPage(const Game& game, long frame) {
    const long waited = frame - stateSince_;
    // The result pages take a confirm only when none came in the frames before it.
    const bool resultPage = game.state == kStateHiScores || game.state == kStateGameOver;
    const int delay = resultPage ? kResultPageDelay : kPageDelay;
    if (waited == 0 || waited % delay != 0) return;
    switch (game.state) {
        case kStateTitle:
            OnTitlePage(game, frame);
            break;
        case kStateOptions:
            OnOptionsPage(game);
            break;
        default:
            // The high-score page takes the name as it stands; the game-over page comes up
            // with its cursor on the retry entry.
            Press(kFireKey);
            break;
    }
}

bool Autoplayer::WantsStartRound(const Game& game) const {
    return startRound_ >= 0 && mode_ == Mode::kRounds && game.optionsPage && !startRoundRefused_ &&
           game.GetStartRound() != startRound_;
}

void Autoplayer::OnOptionsPage(const Game& game) {
    if (WantsStartRound(game)) {
        if (optionsSelection_ != kOptionsStartRound) {
            Press(game.keys.vkDown);
            optionsSelection_ = (optionsSelection_ + 1) % kOptionsEntries;
            return;
        }
        if (game.GetStartRound() == startRoundBeforeKey_) {
            // The last step did not take: the progress saved does not reach that far.
            startRoundRefused_ = true;
        } else {
            startRoundBeforeKey_ = game.GetStartRound();
            Press(startRound_ > game.GetStartRound() ? game.keys.vkRight : game.keys.vkLeft);
            return;
        }
    }
    startRoundBeforeKey_ = -1;
    if (optionsSelection_ != kOptionsBack) {
        Press(game.keys.vkDown);
        optionsSelection_ = (optionsSelection_ + 1) % kOptionsEntries;
        return;
    }
    Press(kFireKey);  // back to the title
}

void Autoplayer::OnTitlePage(const Game& game, long) {
    int wanted = mode_ == Mode::kPush ? TitleScene::kPushMode : TitleScene::kRoundsMode;
    if (WantsStartRound(game)) wanted = TitleScene::kOptions;
    const int selection = game.titlePage ? game.titlePage->selection : wanted;
    if (selection == wanted)
        Press(kFireKey);
    else if (selection > wanted)
        Press(game.keys.vkUp);
    else
        Press(game.keys.vkDown);
}

void Autoplayer::InPlay(const Game& game) {
    // A pause is the watching person's: the bot waits for them to resume.
    if (!game.running) {
        Release();
        return;
    }
    if (game.round > 47 || game.losing) {
        Release();
        if (frame_ % kEndKeyInterval == 0) Press(kFireKey);
        return;
    }
    if (!game.launchEnabled || game.shotFlying) {
        Release();
        return;
    }
    const int aim = TargetAim(game);
    if (game.aimAngle == aim) {
        Release();
        Press(kFireKey);
        return;
    }
    // Held, the launcher turns a step at the press and a step every frame from the next but
    // one; the key is let go in the frame that finds the aim reached.
    Hold(aim > game.aimAngle ? game.keys.vkLeft : game.keys.vkRight);
}

int Autoplayer::TargetAim(const Game& game) {
    const Snapshot now = SnapshotOf(game);
    if (target_ < 0 || now != plannedFor_) {
        target_ = ShotPlanner::BestAim(PlannerView::Of(game), random_);
        plannedFor_ = now;
    }
    return target_;
}

Autoplayer::Snapshot Autoplayer::SnapshotOf(const Game& game) {
    Snapshot s{};
    size_t i = 0;
    for (const auto& row : game.field)
        for (int cell : row)
            s[i++] = cell;
    s[i++] = game.nextColour;
    s[i++] = game.fieldTop;
    s[i++] = game.rowParity;
    s[i++] = game.deadlineRow;
    s[i++] = game.shotsSinceDrop;
    s[i++] = game.round;
    return s;
}

void Autoplayer::Press(int key) {
    InputEvent down;
    down.frame = frame_;
    down.message = WM_KEYDOWN;
    down.a = key;
    InputEvent up = down;
    up.message = WM_KEYUP;
    out_->push_back(down);
    out_->push_back(up);
}

void Autoplayer::Hold(int key) {
    if (heldKey_ == key) return;
    Release();
    InputEvent down;
    down.frame = frame_;
    down.message = WM_KEYDOWN;
    down.a = key;
    out_->push_back(down);
    heldKey_ = key;
}

void Autoplayer::Release() {
    if (heldKey_ == 0) return;
    InputEvent up;
    up.frame = frame_;
    up.message = WM_KEYUP;
    up.a = heldKey_;
    out_->push_back(up);
    heldKey_ = 0;
}

std::string Autoplayer::Report() const {
    std::string text;
    char line[96];
    for (const auto& [round, log] : rounds_) {
        std::snprintf(line, sizeof line, "round %d: cleared %s, shots %d, tries %d\n", round + 1,
                      log.cleared ? "yes" : "no", log.shots, log.tries);
        text += line;
    }
    return text;
}
