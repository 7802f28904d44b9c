// The aim arrow turns about the launcher bubble's centre, the point (44, 42) of its 88 x 88 box
// in edge coordinates. The game draws angles above 90 as the mirror image of 180 - angle, so
// the picture for every angle must be the exact left-right mirror of the one for 180 - angle.
#pragma once

#include "tools/assetgen/PictureCanvas.h"

namespace assetgen {

constexpr int kAimBox = 88;
constexpr double kAimPivotX = 44, kAimPivotY = 42;

// Draws the arrow for angleDegrees (90 straight up, smaller to the right) into an 88 x 88
// canvas, averaged with the mirror of its partner angle so that the mirror property holds to
// the last pixel whatever the rasteriser's rounding.
void DrawAimArrow(PictureCanvas& canvas, int angleDegrees);

}  // namespace assetgen
