// The four pages, the options page's knob and arrows, the name-entry underline and the
// victory picture. Labels are drawn with the game's own letters on the rows the game uses.
#include <cmath>
#include <string>
#include <vector>

#include "tools/assetgen/BubbleArt.h"
#include "tools/assetgen/LakeScenery.h"
#include "tools/assetgen/PageLayout.h"
#include "tools/assetgen/Paint.h"
#include "tools/assetgen/PictureCanvas.h"
#include "tools/assetgen/PictureFamilies.h"

namespace assetgen {
namespace {

constexpr int kPageWidth = 240, kPageHeight = 320;

void DrawTitleWords(cairo_t* cr, const std::string& first, const std::string& second, double top) {
    const TextStyle s = TitleStyle();
    const double margin = StrokeFont::Margin(s);
    const double rowHeight = s.letterHeight + 2 * margin;
    StrokeFont::DrawText(cr, first, 120 - StrokeFont::InkWidth(first, s) / 2 + margin, top + margin,
                         s);
    StrokeFont::DrawText(cr, second, 120 - StrokeFont::InkWidth(second, s) / 2 + margin,
                         top + rowHeight + 2 + margin, s);
}

void DrawBubbleSwarm(cairo_t* cr) {
    const double spots[][3] = {{18, 130, 6},    {26, 170, 3.5}, {14, 215, 8},
                               {30, 262, 4},    {214, 122, 5},  {224, 160, 8},
                               {206, 205, 3.5}, {220, 250, 6},  {200, 292, 4}};
    for (const auto& s : spots)
        DrawFloatingBubble(cr, s[0], s[1], s[2]);
}

// A plaque behind each entry: it spans the tap box, so what looks pressable is pressable.
void DrawMenuPlaques(cairo_t* cr, size_t entries) {
    for (size_t k = 0; k < entries; ++k) {
        const double top = kMenuTop + kMenuEntryHeight * static_cast<double>(k);
        AddRoundedRect(cr, kMenuTextLeft + 1.5, top - 1.5, kMenuTextRight - kMenuTextLeft - 3,
                       kRowHeight + 3, 8);
        SetColour(cr, FromRgb(10, 22, 54), 0.72);
        cairo_fill_preserve(cr);
        SetColour(cr, FromRgb(110, 170, 230), 0.85);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        // The cursor bubble's socket.
        cairo_arc(cr, kMenuCursorX + 11, top + 11, 12.5, 0, 2 * M_PI);
        SetColour(cr, FromRgb(10, 22, 54), 0.6);
        cairo_fill_preserve(cr);
        SetColour(cr, FromRgb(110, 170, 230), 0.5);
        cairo_stroke(cr);
    }
}

void DrawMenuPage(PictureCanvas& page, const SceneryMood& mood, const std::string& first,
                  const std::string& second, const std::vector<std::string>& entries) {
    cairo_t* cr = page.Cairo();
    DrawLakeScenery(cr, kPageWidth, kPageHeight, mood);
    DrawBubbleSwarm(cr);
    DrawTitleWords(cr, first, second, 8);
    DrawMenuPlaques(cr, entries.size());
    for (const PlacedLabel& label : MenuLabels(entries))
        DrawLabel(cr, label);
}

bool WriteWelcome(const std::string& outDir) {
    PictureCanvas page(kPageWidth, kPageHeight, PictureKey::None);
    DrawMenuPage(page, NightMood(), "BUBBLE", "TARN", {"ROUNDS", "PUSH", "OPTIONS", "QUIT"});
    // A few playing bubbles on the title, one of each of the first colours.
    cairo_t* cr = page.Cairo();
    DrawBubble(cr, 22, 40, 11, 1);
    DrawBubble(cr, 218, 34, 11, 3);
    DrawBubble(cr, 208, 70, 9, 5);
    DrawBubble(cr, 30, 78, 8, 7);
    return page.WriteBmp24(PicturePath(outDir, "welcome.bmp"));
}

bool WriteGameOver(const std::string& outDir) {
    PictureCanvas page(kPageWidth, kPageHeight, PictureKey::None);
    DrawMenuPage(page, StormMood(), "GAME", "OVER", {"NEW GAME", "RETRY", "HIGH SCORES", "TITLE"});
    DrawBubble(page.Cairo(), 24, 60, 10, 0);
    DrawBubble(page.Cairo(), 214, 60, 10, 0);
    return page.WriteBmp24(PicturePath(outDir, "gameover.bmp"));
}

void DrawVolumeTrack(cairo_t* cr, double top) {
    AddRoundedRect(cr, 135, top, 72, 24, 5);
    FillOutlined(cr, FromRgb(8, 16, 40), FromRgb(110, 170, 230), 1.2);
    // A rising wedge: louder to the right.
    cairo_move_to(cr, 139, top + 19);
    cairo_line_to(cr, 203, top + 19);
    cairo_line_to(cr, 203, top + 5);
    cairo_close_path(cr);
    cairo_pattern_t* ramp = cairo_pattern_create_linear(139, 0, 203, 0);
    cairo_pattern_add_color_stop_rgb(ramp, 0, 0.2, 0.6, 0.8);
    cairo_pattern_add_color_stop_rgb(ramp, 1, kGold.r, kGold.g, kGold.b);
    cairo_set_source(cr, ramp);
    cairo_fill(cr);
    cairo_pattern_destroy(ramp);
}

void DrawOptionPage(PictureCanvas& page) {
    cairo_t* cr = page.Cairo();
    SceneryMood mood = NightMood();
    mood.waterline = 70;
    mood.seed = 17;
    DrawLakeScenery(cr, kPageWidth, kPageHeight, mood);
    const TextStyle s = TitleStyle();
    StrokeFont::DrawText(
        cr, "OPTIONS", 120 - StrokeFont::InkWidth("OPTIONS", s) / 2 + StrokeFont::Margin(s), 18, s);
    AddRoundedRect(cr, 34, 96, 180, 196, 10);
    SetColour(cr, FromRgb(8, 18, 46), 0.7);
    cairo_fill_preserve(cr);
    SetColour(cr, FromRgb(110, 170, 230), 0.7);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    DrawVolumeTrack(cr, 102);
    DrawVolumeTrack(cr, 138);
    // The start round is printed by the game between the two arrows.
    AddRoundedRect(cr, 151, 211, 31, 26, 4);
    FillOutlined(cr, FromRgb(6, 12, 32), FromRgb(110, 170, 230), 1.2);
    for (const PlacedLabel& label : OptionLabels())
        DrawLabel(cr, label);
}

void DrawArrow(cairo_t* cr, bool pointsLeft, bool lit) {
    const double tipX = pointsLeft ? 2.5 : 14.5, backX = pointsLeft ? 14 : 3;
    cairo_move_to(cr, tipX, 14.5);
    cairo_line_to(cr, backX, 3.5);
    cairo_line_to(cr, backX, 25.5);
    cairo_close_path(cr);
    if (lit) {
        SetVerticalGradient(cr, 3, FromRgb(255, 250, 200), 26, kAmber);
    } else {
        SetVerticalGradient(cr, 3, FromRgb(170, 210, 240), 26, FromRgb(70, 110, 170));
    }
    cairo_fill_preserve(cr);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.6);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

// The arrows are unkeyed, so each carries the patch of page it covers.
bool WriteArrow(const std::string& outDir, PictureCanvas& page, bool left, bool lit) {
    PictureCanvas arrow(17, 29, PictureKey::None);
    cairo_t* cr = arrow.Cairo();
    cairo_set_source_surface(cr, page.Surface(), left ? -133 : -183, -210);
    cairo_paint(cr);
    DrawArrow(cr, left, lit);
    const std::string name = std::string(left ? "arrowl" : "arrowr") + (lit ? "1" : "0") + ".bmp";
    return arrow.WriteBmp24(PicturePath(outDir, name));
}

bool WriteKnob(const std::string& outDir) {
    PictureCanvas knob(8, 24, PictureKey::Red);
    cairo_t* cr = knob.Cairo();
    AddRoundedRect(cr, 0.7, 0.7, 6.6, 22.6, 2.5);
    cairo_pattern_t* metal = cairo_pattern_create_linear(0, 0, 8, 0);
    cairo_pattern_add_color_stop_rgb(metal, 0, 0.98, 0.95, 0.8);
    cairo_pattern_add_color_stop_rgb(metal, 1, kBrass.r * 0.8, kBrass.g * 0.8, kBrass.b * 0.8);
    cairo_set_source(cr, metal);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(metal);
    SetColour(cr, kInk);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    for (int i = 0; i < 3; ++i) {
        cairo_rectangle(cr, 2, 8.5 + 3 * i, 4, 1);
        SetColour(cr, Darker(kBrass, 0.5));
        cairo_fill(cr);
    }
    return knob.WriteBmp24(PicturePath(outDir, "rect.bmp"));
}

bool WriteOptions(const std::string& outDir) {
    PictureCanvas page(kPageWidth, kPageHeight, PictureKey::None);
    DrawOptionPage(page);
    bool ok = page.WriteBmp24(PicturePath(outDir, "option.bmp"));
    for (int left = 0; left < 2; ++left) {
        for (int lit = 0; lit < 2; ++lit)
            ok = WriteArrow(outDir, page, left, lit) && ok;
    }
    return WriteKnob(outDir) && ok;
}

bool WriteHiScore(const std::string& outDir) {
    PictureCanvas page(kPageWidth, kPageHeight, PictureKey::None);
    cairo_t* cr = page.Cairo();
    SceneryMood mood = NightMood();
    mood.waterline = 56;
    mood.seed = 29;
    mood.moon = false;
    DrawLakeScenery(cr, kPageWidth, kPageHeight, mood);
    TextStyle title = TitleStyle();
    title.letterWidth = 14;
    title.letterHeight = 22;
    title.pitch = 20;
    title.stroke = 4;
    const double margin = StrokeFont::Margin(title);
    StrokeFont::DrawText(cr, "HIGH SCORES",
                         120 - StrokeFont::InkWidth("HIGH SCORES", title) / 2 + margin, 12 + margin,
                         title);
    const Colour medals[3] = {kGold, FromRgb(200, 214, 230), FromRgb(214, 140, 80)};
    for (int k = 0; k < 7; ++k) {
        // Place at x 18, name x 36..106, score x 116..228; letters 21 high from y 85 + 30k.
        const double top = 83 + 30 * k;
        AddRoundedRect(cr, 8, top, 224, 27, 6);
        SetColour(cr, FromRgb(8, 18, 46), k % 2 ? 0.62 : 0.78);
        cairo_fill_preserve(cr);
        SetColour(cr, k < 3 ? medals[k] : FromRgb(110, 170, 230), 0.8);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        cairo_rectangle(cr, 111, top + 5, 1, 17);
        SetColour(cr, FromRgb(110, 170, 230), 0.4);
        cairo_fill(cr);
    }
    bool ok = page.WriteBmp24(PicturePath(outDir, "hiscore.bmp"));
    PictureCanvas underline(14, 3, PictureKey::None);
    cairo_t* u = underline.Cairo();
    SetColour(u, kGold);
    cairo_paint(u);
    cairo_rectangle(u, 0, 2, 14, 1);
    SetColour(u, Darker(kAmber, 0.3));
    cairo_fill(u);
    return underline.WriteBmp24(PicturePath(outDir, "hy.bmp")) && ok;
}

bool WriteVictory(const std::string& outDir) {
    PictureCanvas page(kPageWidth, kPageHeight, PictureKey::None);
    cairo_t* cr = page.Cairo();
    SceneryMood mood = DawnMood();
    mood.waterline = 150;
    DrawLakeScenery(cr, kPageWidth, kPageHeight, mood);
    DrawTitleWords(cr, "VICTORY", "", 20);
    TextStyle sub = MenuLabelStyle();
    for (const char* line : {"THE TARN", "IS CLEAR"}) {
        const double y = line[0] == 'T' ? 70 : 96;
        PlacedLabel label = CentredLabel(line, 30, 210, y, sub);
        DrawLabel(cr, label);
    }
    for (int code = 1; code <= 8; ++code) {
        const double a = M_PI * (code - 0.5) / 8;
        DrawBubble(cr, 120 - 88 * std::cos(a), 260 - 70 * std::sin(a), 11, code);
    }
    return page.WriteBmp24(PicturePath(outDir, "victory.bmp"));
}

}  // namespace

bool WritePagePictures(const std::string& outDir) {
    bool ok = WriteWelcome(outDir);
    ok = WriteGameOver(outDir) && ok;
    ok = WriteOptions(outDir) && ok;
    ok = WriteHiScore(outDir) && ok;
    ok = WriteVictory(outDir) && ok;
    return ok;
}

}  // namespace assetgen
