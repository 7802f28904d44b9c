// The glyph files of the big and small fonts. They are written palettised so that the game's
// 8-bit read path is exercised by real data, not only by tests.
#include <cctype>

#include "tools/assetgen/PictureCanvas.h"
#include "tools/assetgen/PictureFamilies.h"

namespace assetgen {
namespace {

constexpr int kBigWidth = 20, kBigHeight = 24;
constexpr int kSmallWidth = 14, kSmallHeight = 21;
// The score's digits: short enough to keep two pixels clear of the box above the field.
constexpr int kScoreWidth = 8, kScoreHeight = 10;

bool WriteGlyph(const std::string& outDir, char c, const char* suffix, int width, int height,
                const TextStyle& style, double shiftX) {
    PictureCanvas canvas(width, height, PictureKey::Red);
    const double margin = StrokeFont::Margin(style);
    const std::string text(1, c);
    StrokeFont::DrawText(canvas.Cairo(), text, margin + shiftX, margin, style);
    const std::string name =
        std::string(1, static_cast<char>(std::tolower(static_cast<unsigned char>(c)))) + suffix;
    return canvas.WriteBmp8(PicturePath(outDir, name));
}

bool WriteFont(const std::string& outDir, const char* suffix, int width, int height,
               const TextStyle& style, double digitShift) {
    bool ok = true;
    for (char c = 'A'; c <= 'Z'; ++c) {
        ok = WriteGlyph(outDir, c, suffix, width, height, style, 0) && ok;
    }
    for (char c = '0'; c <= '9'; ++c) {
        ok = WriteGlyph(outDir, c, suffix, width, height, style, digitShift) && ok;
    }
    return ok;
}

bool WriteScoreDigits(const std::string& outDir) {
    TextStyle s;
    s.stroke = 1.6;
    s.outline = 0.7;
    const double margin = StrokeFont::Margin(s);
    s.letterWidth = kScoreWidth - 2 * margin;
    s.letterHeight = kScoreHeight - 2 * margin;
    s.pitch = kScoreWidth;
    s.top = kWhite;
    s.bottom = FromRgb(150, 220, 255);
    bool ok = true;
    for (char c = '0'; c <= '9'; ++c) {
        PictureCanvas canvas(kScoreWidth, kScoreHeight, PictureKey::Red);
        StrokeFont::DrawText(canvas.Cairo(), std::string(1, c), margin, margin, s);
        ok = canvas.WriteBmp8(PicturePath(outDir, std::string("score") + c + ".bmp")) && ok;
    }
    return ok;
}

}  // namespace

TextStyle BigFontStyle() {
    TextStyle s;
    s.stroke = 3.6;
    s.outline = 1.5;
    const double margin = StrokeFont::Margin(s);
    s.letterWidth = kBigWidth - 2 * margin;
    s.letterHeight = kBigHeight - 2 * margin;
    s.pitch = kBigWidth;
    s.top = FromRgb(255, 244, 170);
    s.bottom = FromRgb(246, 164, 40);
    return s;
}

TextStyle SmallFontStyle() {
    TextStyle s;
    s.stroke = 2.6;
    s.outline = 1.2;
    const double margin = StrokeFont::Margin(s);
    s.letterWidth = kSmallWidth - 2 * margin;
    s.letterHeight = kSmallHeight - 2 * margin;
    s.pitch = kSmallWidth;
    s.top = kWhite;
    s.bottom = FromRgb(150, 220, 255);
    return s;
}

bool WriteFontPictures(const std::string& outDir) {
    // Small digits are drawn one pixel left of their cell; their ink leans half a pixel right
    // so that a score and a name in the same row still look lined up.
    const bool big = WriteFont(outDir, "big.bmp", kBigWidth, kBigHeight, BigFontStyle(), 0);
    const bool small =
        WriteFont(outDir, "small.bmp", kSmallWidth, kSmallHeight, SmallFontStyle(), 0.5);
    return WriteScoreDigits(outDir) && big && small;
}

}  // namespace assetgen
