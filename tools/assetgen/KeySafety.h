// The game packs every picture to 16 bits and treats the pixels that pack to the key value as
// see-through, so an opaque pixel must never land on the key after packing.
#pragma once

#include <cstdint>

#include "tools/assetgen/BmpWriter.h"

namespace assetgen {

enum class PictureKey { None, Black, Red, White, Corner };

// The colour transparent pixels are written with; Corner uses magenta in the top-left pixel.
Rgb KeyColour(PictureKey key);

uint16_t Pack565(Rgb c);
uint16_t Pack555(Rgb c);

// True when c packs, in either 16-bit layout, to the same value as the key colour.
bool PacksToKey(Rgb c, PictureKey key);

// The nearest safe stand-in for an opaque colour that would vanish into the key.
Rgb KeepClearOfKey(Rgb c, PictureKey key);

}  // namespace assetgen
