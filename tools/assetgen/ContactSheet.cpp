// A review sheet of every picture at three times its size, see-through pixels shown as a
// checkerboard, each named with the game's own letters.
#include <dirent.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tools/assetgen/BmpReader.h"
#include "tools/assetgen/Generators.h"
#include "tools/assetgen/KeySafety.h"
#include "tools/assetgen/PictureCanvas.h"
#include "tools/assetgen/StrokeFont.h"

namespace assetgen {
namespace {

constexpr int kScale = 3;
constexpr int kSheetWidth = 2400;
constexpr int kGap = 14;
constexpr int kLabelHeight = 16;

bool StartsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

bool EndsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() &&
           s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool IsAimArrow(const std::string& name) {
    return name.size() > 1 && name[0] == 'p' && std::isdigit(static_cast<unsigned char>(name[1]));
}

PictureKey KeyOfPicture(const std::string& name) {
    if (name == "exit.bmp") return PictureKey::White;
    if (StartsWith(name, "insect") || StartsWith(name, "crab") || StartsWith(name, "snake")) {
        return PictureKey::Corner;
    }
    if (StartsWith(name, "wizardball")) return PictureKey::Black;
    const char* red[] = {"warnt", "board",   "sgear", "dog",    "mask",
                         "bad",   "bigfish", "rect",  "wizard", "broom"};
    for (const char* prefix : red) {
        if (StartsWith(name, prefix)) return PictureKey::Red;
    }
    if (EndsWith(name, "big.bmp") || EndsWith(name, "small.bmp")) return PictureKey::Red;
    const char* black[] = {"ball", "gear", "bridge", "breakball", "fish", "bonus", "el"};
    for (const char* prefix : black) {
        if (StartsWith(name, prefix)) return PictureKey::Black;
    }
    if (IsAimArrow(name)) return PictureKey::Black;
    return PictureKey::None;
}

// Orders ball2 before ball10: runs of digits compare by value.
bool NaturalLess(const std::string& a, const std::string& b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool da = std::isdigit(static_cast<unsigned char>(a[i]));
        const bool db = std::isdigit(static_cast<unsigned char>(b[j]));
        if (da && db) {
            size_t ie = i, je = j;
            while (ie < a.size() && std::isdigit(static_cast<unsigned char>(a[ie])))
                ++ie;
            while (je < b.size() && std::isdigit(static_cast<unsigned char>(b[je])))
                ++je;
            const long va = std::stol(a.substr(i, ie - i)), vb = std::stol(b.substr(j, je - j));
            if (va != vb) return va < vb;
            i = ie;
            j = je;
        } else {
            if (a[i] != b[j]) return a[i] < b[j];
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

// Families in the order a reviewer meets them on screen.
int FamilyRank(const std::string& name) {
    // Three ranks per family leave room for the fonts right after the victory picture.
    if (EndsWith(name, "big.bmp") && name.size() == 8) return 13 * 3 + 1;
    if (EndsWith(name, "small.bmp") && name.size() == 10) return 13 * 3 + 2;
    if (IsAimArrow(name)) return 9 * 3;
    const char* families[] = {
        "ball",   "pattern", "board",    "stone",   "line", "warnt",   "gear",      "sgear",
        "dog",    "arrows",  "bridge",   "mask",    "exit", "victory", "breakball", "fish",
        "bonus",  "badwin",  "badlose",  "badflag", "bad",  "bigfish", "welcome",   "option",
        "rect",   "arrow",   "gameover", "hiscore", "hy",   "icon",    "life",      "el",
        "insect", "crab",    "snake",    "wizard",  "broom"};
    int best = -1;
    size_t bestLength = 0;
    for (int i = 0; i < static_cast<int>(sizeof families / sizeof families[0]); ++i) {
        const size_t length = std::strlen(families[i]);
        if (StartsWith(name, families[i]) && length > bestLength) {
            best = i;
            bestLength = length;
        }
    }
    return best < 0 ? 1000 : best * 3;
}

bool SheetLess(const std::string& a, const std::string& b) {
    const int ra = FamilyRank(a), rb = FamilyRank(b);
    if (ra != rb) return ra < rb;
    if (IsAimArrow(a) && IsAimArrow(b)) return std::atoi(&a[1]) > std::atoi(&b[1]);  // p90 first
    return NaturalLess(a, b);
}

std::vector<std::string> PictureNames(const std::string& dir) {
    std::vector<std::string> names;
    DIR* d = opendir(dir.c_str());
    if (!d) return names;
    while (dirent* e = readdir(d)) {
        const std::string name = e->d_name;
        if (EndsWith(name, ".bmp")) names.push_back(name);
    }
    closedir(d);
    std::sort(names.begin(), names.end(), SheetLess);
    return names;
}

struct Tile {
    std::string name;
    RgbImage image;
    int x = 0, y = 0, cellWidth = 0;
};

TextStyle LabelStyle() {
    TextStyle s;
    s.letterWidth = 6;
    s.letterHeight = 9;
    s.pitch = 8.5;
    s.stroke = 1.5;
    s.outline = 0;
    s.top = s.bottom = FromRgb(200, 220, 240);
    return s;
}

std::string Label(const std::string& name) {
    std::string label = name.substr(0, name.size() - 4);
    for (char& c : label)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return label;
}

int LayOut(std::vector<Tile>& tiles) {
    int x = kGap, y = kGap, rowHeight = 0;
    for (Tile& t : tiles) {
        const int labelWidth = static_cast<int>(StrokeFont::InkWidth(Label(t.name), LabelStyle()));
        t.cellWidth = std::max(t.image.width * kScale, labelWidth);
        const int cellHeight = t.image.height * kScale + kLabelHeight;
        if (x + t.cellWidth > kSheetWidth - kGap && x > kGap) {
            x = kGap;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        t.x = x;
        t.y = y;
        x += t.cellWidth + kGap;
        rowHeight = std::max(rowHeight, cellHeight);
    }
    return y + rowHeight + kGap;
}

void DrawTile(cairo_t* cr, const Tile& t) {
    const PictureKey key = KeyOfPicture(t.name);
    const Rgb keyColour = KeyColour(key);
    cairo_surface_t* picture =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, t.image.width, t.image.height);
    unsigned char* data = cairo_image_surface_get_data(picture);
    const int stride = cairo_image_surface_get_stride(picture);
    for (int py = 0; py < t.image.height; ++py) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + py * stride);
        for (int px = 0; px < t.image.width; ++px) {
            const uint8_t* p = &t.image.rgb[(static_cast<size_t>(py) * t.image.width + px) * 3];
            const bool clear = key != PictureKey::None && Rgb{p[0], p[1], p[2]} == keyColour;
            const uint32_t shade = ((px + py) & 1) ? 40 : 62;
            row[px] = clear ? (shade << 16 | shade << 8 | (shade + 10))
                            : (uint32_t{p[0]} << 16 | p[1] << 8 | p[2]);
        }
    }
    cairo_surface_mark_dirty(picture);
    cairo_save(cr);
    cairo_translate(cr, t.x, t.y);
    cairo_scale(cr, kScale, kScale);
    cairo_set_source_surface(cr, picture, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(picture);
    StrokeFont::DrawText(cr, Label(t.name), t.x + 1, t.y + t.image.height * kScale + 4,
                         LabelStyle());
}

}  // namespace

bool WriteContactSheet(const std::string& outDir, const std::string& pngPath) {
    std::vector<Tile> tiles;
    for (const std::string& name : PictureNames(outDir)) {
        Tile t;
        t.name = name;
        if (ReadBmp(outDir + "/" + name, t.image)) tiles.push_back(std::move(t));
    }
    if (tiles.empty()) {
        std::fprintf(stderr, "assetgen: no pictures in %s for the sheet\n", outDir.c_str());
        return false;
    }
    const int height = LayOut(tiles);
    PictureCanvas sheet(kSheetWidth, height, PictureKey::None);
    cairo_t* cr = sheet.Cairo();
    cairo_set_source_rgb(cr, 0.05, 0.08, 0.16);
    cairo_paint(cr);
    for (const Tile& t : tiles)
        DrawTile(cr, t);
    return sheet.WritePng(pngPath);
}

}  // namespace assetgen
