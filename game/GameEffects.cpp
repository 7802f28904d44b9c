#include "actors/BonusEffect.h"
#include "actors/Effect.h"
#include "game/Game.h"
#include "gfx/ScoreCounter.h"

void Game::AddEffect(Effect* effect) {
    int slot = lastEffect + 1;
    // Slot 0 is only reused once a later slot has been taken (lastEffect above 0).
    if (lastEffect > 0) {
        for (int i = 0; i < lastEffect; ++i) {
            if (!effects[i]) {
                slot = i;
                break;
            }
        }
    }
    if (slot >= kMaxEffects) {
        delete effect;  // every slot busy: the newest effect is dropped
        return;
    }
    effects[slot] = effect;
    if (lastEffect < slot) lastEffect = slot;
}

void Game::ClearEffects() {
    for (int i = 0; i <= lastEffect && i < kMaxEffects; ++i) {
        delete effects[i];
        effects[i] = nullptr;
    }
    lastEffect = 0;
}

void Game::AwardEpisodeBonus() {
    ++bossesBeaten;
    const int episode = round / 12;
    if (episode < 0 || episode > 3) return;
    score->Add(1000000 * (episode + 1));
    // Positions and tier of the bonus pictures that fill the screen, by episode.
    static const int kCount[4] = {2, 4, 3, 4};
    static const int kValue[4] = {18, 18, 21, 21};
    for (int i = 0; i < kCount[episode]; ++i) {
        int x = 0, y = 0;
        switch (episode) {
            case 0:
                x = fieldLeft + 20 + 30 * (i + 2 * (i % 2));
                y = 60 + 30 * i;
                break;
            case 1:
                x = fieldLeft + 20 + 30 * (i + i % 2);
                y = 20 + 30 * i;
                break;
            case 2:
                x = fieldLeft + 20 + 60 * (i % 2);
                y = 30 + 30 * i;
                break;
            default:
                x = fieldLeft + 20 + 60 * (i % 2);
                y = 20 + 30 * i;
                break;
        }
        AddEffect(new BonusEffect(x, y, kValue[episode]));
    }
}
