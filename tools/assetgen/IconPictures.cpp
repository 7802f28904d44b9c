// The application icon: three bubbles over the tarn in a rounded tile, as PNG for desktops and
// the installable page, and as a small bitmap.
#include <cmath>

#include "tools/assetgen/BubbleArt.h"
#include "tools/assetgen/Paint.h"
#include "tools/assetgen/PictureCanvas.h"
#include "tools/assetgen/PictureFamilies.h"

namespace assetgen {
namespace {

// Drawn on a 48-unit grid and scaled to the icon's size.
void DrawIcon(cairo_t* cr, double size, bool roundedTile) {
    cairo_save(cr);
    cairo_scale(cr, size / 48.0, size / 48.0);
    if (roundedTile) {
        AddRoundedRect(cr, 1, 1, 46, 46, 9);
    } else {
        cairo_rectangle(cr, 0, 0, 48, 48);
    }
    cairo_clip_preserve(cr);
    SetVerticalGradient(cr, 0, FromRgb(16, 30, 70), 48, FromRgb(8, 16, 40));
    cairo_fill(cr);
    cairo_move_to(cr, 0, 30);
    cairo_line_to(cr, 12, 14);
    cairo_line_to(cr, 20, 22);
    cairo_line_to(cr, 30, 8);
    cairo_line_to(cr, 48, 30);
    cairo_close_path(cr);
    SetColour(cr, FromRgb(60, 84, 130));
    cairo_fill(cr);
    cairo_move_to(cr, 30, 8);
    cairo_line_to(cr, 34, 13);
    cairo_line_to(cr, 31, 12);
    cairo_line_to(cr, 28, 14);
    cairo_line_to(cr, 26.5, 12.8);
    cairo_close_path(cr);
    SetColour(cr, FromRgb(220, 236, 250));
    cairo_fill(cr);
    SetVerticalGradient(cr, 30, FromRgb(40, 110, 170), 48, FromRgb(12, 40, 90));
    cairo_rectangle(cr, 0, 30, 48, 18);
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 30, 48, 1.2);
    SetColour(cr, kFoam);
    cairo_fill(cr);
    DrawBubble(cr, 15, 33, 10, 1);
    DrawBubble(cr, 33, 35, 10, 5);
    DrawBubble(cr, 24, 19, 10, 3);
    cairo_reset_clip(cr);
    if (roundedTile) {
        AddRoundedRect(cr, 1, 1, 46, 46, 9);
        SetColour(cr, kInk);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

// The page's maskable icon: a launcher may crop it to any shape inside the middle 80 %, so the
// picture shrinks into that circle and the sky and water run on to the edges.
void DrawMaskableIcon(cairo_t* cr, double size) {
    // Whole pixels, so the tile's edge leaves no seam in the sky and water around it.
    const double inset = std::round(size * 0.1);
    const double inner = size - 2 * inset;
    cairo_save(cr);
    cairo_translate(cr, inset, inset);
    cairo_scale(cr, inner / 48.0, inner / 48.0);
    // The tile's own sky and water gradients, run on past its edges.
    cairo_rectangle(cr, -6, -6, 60, 36);
    SetVerticalGradient(cr, 0, FromRgb(16, 30, 70), 48, FromRgb(8, 16, 40));
    cairo_fill(cr);
    cairo_rectangle(cr, -6, 30, 60, 24);
    SetVerticalGradient(cr, 30, FromRgb(40, 110, 170), 48, FromRgb(12, 40, 90));
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_save(cr);
    cairo_translate(cr, inset, inset);
    DrawIcon(cr, inner, false);
    cairo_restore(cr);
}

bool WritePng(int size, const std::string& path, void (*draw)(cairo_t*, double)) {
    PictureCanvas canvas(size, size, PictureKey::None);
    draw(canvas.Cairo(), size);
    return canvas.WritePng(path);
}

// The installable page's icons (left out of the page's data package): the rounded tile with
// clear corners, the maskable one, and a square one that iOS rounds itself.
bool WriteWebIcons(const std::string& outDir) {
    const auto tile = [](cairo_t* cr, double size) { DrawIcon(cr, size, true); };
    const auto square = [](cairo_t* cr, double size) { DrawIcon(cr, size, false); };
    bool ok = WritePng(192, PicturePath(outDir, "web-icon-192.png"), tile);
    ok = WritePng(512, PicturePath(outDir, "web-icon-512.png"), tile) && ok;
    ok = WritePng(512, PicturePath(outDir, "web-icon-maskable-512.png"), DrawMaskableIcon) && ok;
    return WritePng(180, PicturePath(outDir, "web-apple-touch-icon.png"), square) && ok;
}

}  // namespace

bool WriteIconPictures(const std::string& outDir) {
    PictureCanvas large(256, 256, PictureKey::None);
    DrawIcon(large.Cairo(), 256, true);
    PictureCanvas small(48, 48, PictureKey::None);
    DrawIcon(small.Cairo(), 48, true);
    PictureCanvas bitmap(48, 48, PictureKey::None);
    DrawIcon(bitmap.Cairo(), 48, false);
    bool ok = large.WritePng(PicturePath(outDir, "icon256.png"));
    ok = small.WritePng(PicturePath(outDir, "icon48.png")) && ok;
    ok = WriteWebIcons(outDir) && ok;
    return bitmap.WriteBmp24(PicturePath(outDir, "icon.bmp")) && ok;
}

}  // namespace assetgen
