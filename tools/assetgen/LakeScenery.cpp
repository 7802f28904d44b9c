#include "tools/assetgen/LakeScenery.h"

#include <cmath>
#include <random>
#include <utility>
#include <vector>

namespace assetgen {
namespace {

void DrawSky(cairo_t* cr, double width, const SceneryMood& mood, std::mt19937& rng) {
    SetVerticalGradient(cr, 0, mood.skyTop, mood.waterline, mood.skyBottom);
    cairo_rectangle(cr, 0, 0, width, mood.waterline);
    cairo_fill(cr);
    if (mood.stars) {
        std::uniform_real_distribution<double> ux(0, width), uy(0, mood.waterline * 0.7),
            bright(0.3, 0.9);
        for (int i = 0; i < 40; ++i) {
            cairo_arc(cr, ux(rng), uy(rng), 0.7, 0, 2 * M_PI);
            SetColour(cr, kWhite, bright(rng));
            cairo_fill(cr);
        }
        if (mood.moon) {
            cairo_arc(cr, width - 14, 12, 7, 0, 2 * M_PI);
            SetColour(cr, FromRgb(240, 240, 214));
            cairo_fill(cr);
            cairo_arc(cr, width - 11, 9.5, 6.2, 0, 2 * M_PI);
            SetColour(cr, mood.skyTop);
            cairo_fill(cr);
        }
    } else {
        cairo_pattern_t* glow = cairo_pattern_create_radial(width / 2, mood.waterline - 8, 4,
                                                            width / 2, mood.waterline - 8, 70);
        cairo_pattern_add_color_stop_rgba(glow, 0, 1, 0.95, 0.7, 1);
        cairo_pattern_add_color_stop_rgba(glow, 0.2, 1, 0.8, 0.4, 0.8);
        cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.6, 0.3, 0);
        cairo_set_source(cr, glow);
        cairo_rectangle(cr, 0, 0, width, mood.waterline);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
    }
}

void DrawRidge(cairo_t* cr, double width, double base, double height, Colour colour, bool snow,
               std::mt19937& rng) {
    std::uniform_real_distribution<double> jitter(0.35, 1.0), step(18, 34);
    cairo_move_to(cr, 0, base);
    std::vector<std::pair<double, double>> peaks;
    double x = -10;
    bool up = true;
    while (x < width + 20) {
        const double y = up ? base - height * jitter(rng) : base - height * 0.25 * jitter(rng);
        cairo_line_to(cr, x, y);
        if (up) peaks.push_back({x, y});
        x += step(rng);
        up = !up;
    }
    cairo_line_to(cr, width + 20, base);
    cairo_close_path(cr);
    SetColour(cr, colour);
    cairo_fill(cr);
    if (!snow) return;
    for (const auto& peak : peaks) {
        const double depth = (base - peak.second) * 0.22;
        cairo_move_to(cr, peak.first, peak.second);
        cairo_line_to(cr, peak.first + depth * 0.9, peak.second + depth);
        cairo_line_to(cr, peak.first + depth * 0.2, peak.second + depth * 0.8);
        cairo_line_to(cr, peak.first - depth * 0.3, peak.second + depth * 1.1);
        cairo_line_to(cr, peak.first - depth * 0.9, peak.second + depth);
        cairo_close_path(cr);
        SetColour(cr, Mix(colour, kWhite, 0.7));
        cairo_fill(cr);
    }
}

void DrawWater(cairo_t* cr, double width, double height, const SceneryMood& mood,
               std::mt19937& rng) {
    SetVerticalGradient(cr, mood.waterline, mood.waterTop, height, mood.waterBottom);
    cairo_rectangle(cr, 0, mood.waterline, width, height - mood.waterline);
    cairo_fill(cr);
    // Light shafts fanning down from the surface.
    for (int i = 0; i < 5; ++i) {
        const double x = width * (0.1 + 0.2 * i);
        cairo_move_to(cr, x - 6, mood.waterline);
        cairo_line_to(cr, x + 8, mood.waterline);
        cairo_line_to(cr, x + 40 + 10 * i, height);
        cairo_line_to(cr, x + 10 + 6 * i, height);
        cairo_close_path(cr);
        SetColour(cr, kFoam, 0.05);
        cairo_fill(cr);
    }
    // The shining surface line.
    cairo_rectangle(cr, 0, mood.waterline, width, 2);
    SetColour(cr, Mix(mood.waterTop, kFoam, 0.6));
    cairo_fill(cr);
    std::uniform_real_distribution<double> ux(0, width);
    for (int i = 0; i < 14; ++i) {
        const double x = ux(rng);
        cairo_rectangle(cr, x, mood.waterline + 3 + (i % 4) * 2, 6 + i % 5 * 3, 1);
        SetColour(cr, kFoam, 0.35);
        cairo_fill(cr);
    }
}

void DrawLakeBed(cairo_t* cr, double width, double height, std::mt19937& rng) {
    cairo_move_to(cr, 0, height - 18);
    cairo_curve_to(cr, width * 0.3, height - 26, width * 0.6, height - 8, width, height - 20);
    cairo_line_to(cr, width, height);
    cairo_line_to(cr, 0, height);
    cairo_close_path(cr);
    SetColour(cr, FromRgb(20, 34, 50));
    cairo_fill(cr);
    std::uniform_real_distribution<double> ux(0, width), lean(-10, 10);
    for (int i = 0; i < 9; ++i) {
        const double x = ux(rng), l = lean(rng);
        cairo_move_to(cr, x, height);
        cairo_curve_to(cr, x + l, height - 20, x - l, height - 30, x + l * 0.6,
                       height - 44 - i % 3 * 8);
        SetColour(cr, FromRgb(30, 96, 80), 0.8);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
    }
}

}  // namespace

SceneryMood NightMood() {
    SceneryMood m;
    m.skyTop = FromRgb(8, 14, 38);
    m.skyBottom = FromRgb(36, 66, 120);
    m.waterTop = FromRgb(30, 80, 140);
    m.waterBottom = FromRgb(6, 14, 40);
    m.farRidge = FromRgb(52, 70, 112);
    m.nearRidge = FromRgb(22, 34, 62);
    m.seed = 11;
    return m;
}

SceneryMood StormMood() {
    SceneryMood m = NightMood();
    m.skyTop = FromRgb(20, 16, 36);
    m.skyBottom = FromRgb(60, 52, 90);
    m.waterTop = FromRgb(34, 56, 96);
    m.waterBottom = FromRgb(10, 10, 30);
    m.farRidge = FromRgb(60, 56, 90);
    m.nearRidge = FromRgb(28, 26, 50);
    m.seed = 23;
    return m;
}

SceneryMood DawnMood() {
    SceneryMood m = NightMood();
    m.skyTop = FromRgb(40, 60, 130);
    m.skyBottom = FromRgb(250, 170, 110);
    m.waterTop = FromRgb(50, 120, 170);
    m.waterBottom = FromRgb(10, 30, 70);
    m.farRidge = FromRgb(110, 100, 150);
    m.nearRidge = FromRgb(40, 50, 90);
    m.stars = false;
    m.seed = 37;
    return m;
}

void DrawLakeScenery(cairo_t* cr, double width, double height, const SceneryMood& mood) {
    std::mt19937 rng(mood.seed);
    cairo_save(cr);
    DrawSky(cr, width, mood, rng);
    DrawRidge(cr, width, mood.waterline, mood.waterline * 0.55, mood.farRidge, true, rng);
    DrawRidge(cr, width, mood.waterline, mood.waterline * 0.3, mood.nearRidge, false, rng);
    DrawWater(cr, width, height, mood, rng);
    DrawLakeBed(cr, width, height, rng);
    cairo_restore(cr);
}

void DrawFloatingBubble(cairo_t* cr, double cx, double cy, double r) {
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    SetColour(cr, kFoam, 0.12);
    cairo_fill_preserve(cr);
    SetColour(cr, kFoam, 0.7);
    cairo_set_line_width(cr, std::fmax(1, r * 0.15));
    cairo_stroke(cr);
    cairo_arc(cr, cx - r * 0.4, cy - r * 0.4, r * 0.22, 0, 2 * M_PI);
    SetColour(cr, kWhite, 0.9);
    cairo_fill(cr);
}

}  // namespace assetgen
