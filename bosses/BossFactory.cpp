#include "bosses/Boss.h"
#include "bosses/CrabBoss.h"
#include "bosses/InsectBoss.h"
#include "bosses/SnakeBoss.h"
#include "bosses/WizardBoss.h"

Boss* CreateBoss(int kind, Game* game, int originX, int originY, int rangeWidth, int rangeHeight,
                 int cellWidth) {
    // The bosses divide by the cell width and by the row height made from it.
    if (cellWidth < 2) return nullptr;
    switch (kind) {
        case kInsectBoss:
            return new InsectBoss(game, originX, originY, rangeWidth, rangeHeight, cellWidth);
        case kCrabBoss:
            return new CrabBoss(game, originX, originY, rangeWidth, rangeHeight, cellWidth);
        case kSnakeBoss:
            return new SnakeBoss(game, originX, originY, rangeWidth, rangeHeight, cellWidth);
        case kWizardBoss:
            return new WizardBoss(game, originX, originY, rangeWidth, rangeHeight, cellWidth);
        default:
            return nullptr;
    }
}
