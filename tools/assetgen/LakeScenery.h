// The tarn itself, behind every page: sky, mountains, the water line and the lake below it.
#pragma once

#include <cairo.h>

#include "tools/assetgen/Paint.h"

namespace assetgen {

struct SceneryMood {
    Colour skyTop, skyBottom;      // above the water line
    Colour waterTop, waterBottom;  // below it
    Colour farRidge, nearRidge;
    double waterline = 96;
    bool stars = true;  // night; otherwise a rising sun
    bool moon = true;   // a crescent in the top-right corner, clear of titles
    unsigned seed = 1;
};

SceneryMood NightMood();
SceneryMood StormMood();
SceneryMood DawnMood();

// Paints a whole width x height page.
void DrawLakeScenery(cairo_t* cr, double width, double height, const SceneryMood& mood);
// A loose bubble drifting in the water: a clear ring with a glint.
void DrawFloatingBubble(cairo_t* cr, double cx, double cy, double r);

}  // namespace assetgen
