#include "actors/Effect.h"
#include "game/Game.h"

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
