#include "tools/assetgen/KeySafety.h"

namespace assetgen {

Rgb KeyColour(PictureKey key) {
    switch (key) {
        case PictureKey::Red:
            return {255, 0, 0};
        case PictureKey::White:
            return {255, 255, 255};
        case PictureKey::Corner:
            return {255, 0, 255};
        case PictureKey::Black:
        case PictureKey::None:
            break;
    }
    return {0, 0, 0};
}

uint16_t Pack565(Rgb c) {
    return (c.r >> 3) << 11 | (c.g >> 3) << 6 | (c.b >> 3);
}

uint16_t Pack555(Rgb c) {
    return (c.r >> 3) << 10 | (c.g >> 3) << 5 | (c.b >> 3);
}

bool PacksToKey(Rgb c, PictureKey key) {
    if (key == PictureKey::None) return false;
    const Rgb k = KeyColour(key);
    return Pack565(c) == Pack565(k) || Pack555(c) == Pack555(k);
}

Rgb KeepClearOfKey(Rgb c, PictureKey key) {
    if (!PacksToKey(c, key)) return c;
    switch (key) {
        case PictureKey::Black:
            return {16, 16, 24};
        case PictureKey::Red:
            return {232, 24, 16};
        case PictureKey::White:
            return {236, 236, 240};
        case PictureKey::Corner:
            return {232, 16, 232};
        case PictureKey::None:
            break;
    }
    return c;
}

}  // namespace assetgen
