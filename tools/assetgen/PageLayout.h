// Where the page labels go. The labels are part of the page pictures while the game draws
// only the cursor and takes taps in fixed boxes, so the rows here follow those boxes.
#pragma once

#include <string>
#include <vector>

#include "tools/assetgen/StrokeFont.h"

namespace assetgen {

struct PlacedLabel {
    std::string text;
    double x = 0, y = 0;  // the first letter's grid box
    TextStyle style;
};

// Title and game-over pages: four entries, cursor at x 47 on rows 111 + 43k, text in x 77..177.
constexpr int kMenuTop = 111, kMenuEntryHeight = 43, kMenuTextLeft = 77, kMenuTextRight = 177;
constexpr int kMenuCursorX = 47, kRowHeight = 22;
// Options page: labels from x 62 on rows 101 + 37k; the bars and arrows start at x 132.
constexpr int kOptionTop = 101, kOptionEntryHeight = 37, kOptionTextLeft = 62;
constexpr int kOptionNarrowRight = 132, kOptionWideRight = 212;

std::vector<PlacedLabel> MenuLabels(const std::vector<std::string>& texts);
std::vector<PlacedLabel> OptionLabels();

// The label ink centred in [left, right] and on the row's middle, shrunk to fit if need be.
PlacedLabel CentredLabel(const std::string& text, double left, double right, double rowTop,
                         TextStyle style);
TextStyle MenuLabelStyle();
TextStyle TitleStyle();
void DrawLabel(cairo_t* cr, const PlacedLabel& label);

}  // namespace assetgen
