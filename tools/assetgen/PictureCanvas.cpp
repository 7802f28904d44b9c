#include "tools/assetgen/PictureCanvas.h"

#include <cstdio>
#include <map>

namespace assetgen {
namespace {

uint8_t Unpremultiply(uint32_t channel, uint32_t alpha) {
    return static_cast<uint8_t>((channel * 255 + alpha / 2) / alpha);
}

uint32_t RgbKey(Rgb c) {
    return c.r << 16 | c.g << 8 | c.b;
}

Rgb Coarsen(Rgb c, int dropBits, PictureKey key) {
    const uint8_t mask = static_cast<uint8_t>(0xFF << dropBits);
    const Rgb coarse{static_cast<uint8_t>(c.r & mask), static_cast<uint8_t>(c.g & mask),
                     static_cast<uint8_t>(c.b & mask)};
    return KeepClearOfKey(coarse, key);
}

// Keeps every opaque colour distinct from the key so that only key pixels share entry 0.
std::map<uint32_t, int> CountColours(const std::vector<uint8_t>& rgb, int dropBits, PictureKey key,
                                     const Rgb keyColour) {
    std::map<uint32_t, int> colours;
    colours[RgbKey(keyColour)] = 0;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3) {
        const Rgb c{rgb[i], rgb[i + 1], rgb[i + 2]};
        if (c == keyColour) continue;
        colours.emplace(RgbKey(Coarsen(c, dropBits, key)), 0);
    }
    return colours;
}

}  // namespace

Rgb SnapPixel(uint32_t argb, PictureKey key) {
    const uint32_t alpha = argb >> 24;
    if (alpha < 128) return KeyColour(key);
    const Rgb own{Unpremultiply((argb >> 16) & 0xFF, alpha),
                  Unpremultiply((argb >> 8) & 0xFF, alpha), Unpremultiply(argb & 0xFF, alpha)};
    return KeepClearOfKey(own, key);
}

void Palettise(const std::vector<uint8_t>& rgb, PictureKey key, std::vector<uint8_t>& indices,
               std::vector<Rgb>& palette) {
    const Rgb keyColour = KeyColour(key);
    int dropBits = 0;
    std::map<uint32_t, int> colours = CountColours(rgb, dropBits, key, keyColour);
    while (colours.size() > 256 && dropBits < 6) {
        colours = CountColours(rgb, ++dropBits, key, keyColour);
    }
    palette.clear();
    palette.push_back(keyColour);
    for (auto& entry : colours) {
        if (entry.first == RgbKey(keyColour)) continue;
        entry.second = static_cast<int>(palette.size());
        palette.push_back({static_cast<uint8_t>(entry.first >> 16),
                           static_cast<uint8_t>(entry.first >> 8),
                           static_cast<uint8_t>(entry.first)});
    }
    indices.resize(rgb.size() / 3);
    for (size_t p = 0; p < indices.size(); ++p) {
        const Rgb c{rgb[p * 3], rgb[p * 3 + 1], rgb[p * 3 + 2]};
        indices[p] =
            c == keyColour ? 0 : static_cast<uint8_t>(colours[RgbKey(Coarsen(c, dropBits, key))]);
    }
}

PictureCanvas::PictureCanvas(int width, int height, PictureKey key)
    : width_(width),
      height_(height),
      key_(key),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_GOOD);
}

PictureCanvas::~PictureCanvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

std::vector<uint8_t> PictureCanvas::SnappedRgb() const {
    cairo_surface_flush(surface_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    std::vector<uint8_t> rgb(static_cast<size_t>(width_) * height_ * 3);
    for (int y = 0; y < height_; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < width_; ++x) {
            const Rgb c = SnapPixel(row[x], key_);
            uint8_t* out = &rgb[(static_cast<size_t>(y) * width_ + x) * 3];
            out[0] = c.r;
            out[1] = c.g;
            out[2] = c.b;
        }
    }
    return rgb;
}

bool PictureCanvas::WriteBmp24(const std::string& path) const {
    const std::vector<uint8_t> rgb = SnappedRgb();
    if (assetgen::WriteBmp24(path, width_, height_, rgb.data())) return true;
    std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
    return false;
}

bool PictureCanvas::WriteBmp8(const std::string& path) const {
    std::vector<uint8_t> indices;
    std::vector<Rgb> palette;
    Palettise(SnappedRgb(), key_, indices, palette);
    if (assetgen::WriteBmp8(path, width_, height_, indices.data(), palette)) return true;
    std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
    return false;
}

bool PictureCanvas::WritePng(const std::string& path) const {
    cairo_surface_flush(surface_);
    if (cairo_surface_write_to_png(surface_, path.c_str()) == CAIRO_STATUS_SUCCESS) return true;
    std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
    return false;
}

}  // namespace assetgen
