// How a bubble looks, shared by the bubble files, the bursting bubbles, the pages and the icon.
// Every colour carries its own dark symbol so that the colours can be told apart without hue.
#pragma once

#include <cairo.h>

namespace assetgen {

// code 0 is the grey bubble of a lost game (no symbol), 1..8 the playing colours.
void DrawBubble(cairo_t* cr, double cx, double cy, double radius, int code);
// The symbol alone, filled with the colour's own dark shade; size is its half-extent.
void DrawBubbleSymbol(cairo_t* cr, double cx, double cy, double size, int code);

}  // namespace assetgen
