#include "tools/assetgen/PageLayout.h"

#include <cmath>

namespace assetgen {

namespace {
constexpr double kLabelInset = 5;
}  // namespace

TextStyle MenuLabelStyle() {
    TextStyle s;
    s.letterWidth = 9;
    s.letterHeight = 15;
    s.pitch = 12.5;
    s.stroke = 2.6;
    s.outline = 1.2;
    s.top = kWhite;
    s.bottom = FromRgb(160, 220, 255);
    return s;
}

TextStyle TitleStyle() {
    TextStyle s;
    s.letterWidth = 20;
    s.letterHeight = 28;
    s.pitch = 25;
    s.stroke = 5;
    s.outline = 2;
    s.top = FromRgb(255, 246, 180);
    s.bottom = FromRgb(246, 150, 36);
    return s;
}

PlacedLabel CentredLabel(const std::string& text, double left, double right, double rowTop,
                         TextStyle style) {
    // The plaque's outline lies 1.5 inside [left, right]: the ink keeps two pixels clear of it.
    const double room = right - left - 2 * kLabelInset;
    const double width = StrokeFont::InkWidth(text, style);
    if (width > room) {
        const double letters = style.pitch * (text.size() - 1) + style.letterWidth;
        const double squeeze = (room - 2 * StrokeFont::Margin(style)) / letters;
        style.pitch *= squeeze;
        style.letterWidth *= squeeze;
    }
    PlacedLabel label;
    label.text = text;
    label.style = style;
    label.x =
        (left + right) / 2 - StrokeFont::InkWidth(text, style) / 2 + StrokeFont::Margin(style);
    label.y = rowTop + kRowHeight / 2.0 - style.letterHeight / 2;
    return label;
}

std::vector<PlacedLabel> MenuLabels(const std::vector<std::string>& texts) {
    std::vector<PlacedLabel> labels;
    for (size_t k = 0; k < texts.size(); ++k) {
        labels.push_back(CentredLabel(texts[k], kMenuTextLeft, kMenuTextRight,
                                      kMenuTop + kMenuEntryHeight * static_cast<int>(k),
                                      MenuLabelStyle()));
    }
    return labels;
}

std::vector<PlacedLabel> OptionLabels() {
    // About ten pixels a letter so that EFFECTS ends before the volume bar at x 132.
    TextStyle s = MenuLabelStyle();
    s.letterWidth = 7;
    s.letterHeight = 15;
    s.pitch = 9.6;
    s.stroke = 2.2;
    s.outline = 1.0;
    const char* texts[] = {"EFFECTS", "MUSIC", "HIGH SCORES", "ROUND", "BACK"};
    std::vector<PlacedLabel> labels;
    for (int k = 0; k < 5; ++k) {
        PlacedLabel label;
        label.text = texts[k];
        label.style = s;
        label.x = kOptionTextLeft + 1 + StrokeFont::Margin(s);
        label.y = kOptionTop + kOptionEntryHeight * k + kRowHeight / 2.0 - s.letterHeight / 2;
        labels.push_back(label);
    }
    return labels;
}

void DrawLabel(cairo_t* cr, const PlacedLabel& label) {
    StrokeFont::DrawText(cr, label.text, label.x, label.y, label.style);
}

}  // namespace assetgen
