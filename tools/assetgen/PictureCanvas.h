// One picture being drawn: an anti-aliased cairo surface that is snapped to hard-edged,
// key-safe pixels when written, because the game has no alpha, only a colour key.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tools/assetgen/BmpWriter.h"
#include "tools/assetgen/KeySafety.h"

namespace assetgen {

class PictureCanvas {
  public:
    PictureCanvas(int width, int height, PictureKey key);
    ~PictureCanvas();
    PictureCanvas(const PictureCanvas&) = delete;
    PictureCanvas& operator=(const PictureCanvas&) = delete;

    cairo_t* Cairo() { return cr_; }
    cairo_surface_t* Surface() { return surface_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    PictureKey Key() const { return key_; }

    // R G B per pixel, top row first: pixels at least half covered keep their own colour,
    // the rest become the key colour.
    std::vector<uint8_t> SnappedRgb() const;

    bool WriteBmp24(const std::string& path) const;
    // Palettised; colours are coarsened only if the picture has more than 255 of them.
    bool WriteBmp8(const std::string& path) const;
    bool WritePng(const std::string& path) const;

  private:
    int width_, height_;
    PictureKey key_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

// Straight colour of a premultiplied ARGB32 pixel snapped against the key.
Rgb SnapPixel(uint32_t argb, PictureKey key);

// Index image and palette for rgb; entry 0 is the key colour when the picture has one.
void Palettise(const std::vector<uint8_t>& rgb, PictureKey key, std::vector<uint8_t>& indices,
               std::vector<Rgb>& palette);

}  // namespace assetgen
