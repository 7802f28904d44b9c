#include "gfx/Bitmap.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "gfx/DataPath.h"
#include "gfx/DisplayFormat.h"
#include "platform/i_system.h"

namespace {

// Pictures larger than this are refused: the screen is 240 x 320 and a hostile header must
// not make us allocate gigabytes.
constexpr int32_t kMaxDimension = 4096;
constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;

Bitmap::LoadObserver g_loadObserver = nullptr;

int32_t ReadLE32(const uint8_t* p) {
    return static_cast<int32_t>(p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24);
}

struct InfoHeader {
    int32_t width;
    int32_t height;
    int bitsPerPixel;
    uint32_t coloursUsed;
};

InfoHeader ParseInfoHeader(const uint8_t* h) {
    InfoHeader info;
    info.width = ReadLE32(h + 4);
    info.height = ReadLE32(h + 8);
    info.bitsPerPixel = h[14] | h[15] << 8;
    info.coloursUsed = static_cast<uint32_t>(ReadLE32(h + 32));
    return info;
}

bool Acceptable(const InfoHeader& info) {
    if (info.width <= 0 || info.height <= 0) return false;
    if (info.width > kMaxDimension || info.height > kMaxDimension) return false;
    if (info.bitsPerPixel != 8 && info.bitsPerPixel != 24) return false;
    return info.bitsPerPixel != 8 || info.coloursUsed <= 256;
}

// The whole file as far as its headers promise; what the file lacks stays zero (black).
struct FileData {
    InfoHeader info{};
    uint8_t palette[256 * 4] = {};
    uint32_t paletteEntries = 0;
    uint8_t* rows = nullptr;  // calloc'ed rowSize * height bytes
    size_t rowSize = 0;
};

bool ReadFileData(FILE* f, FileData* data) {
    uint8_t header[kFileHeaderSize + kInfoHeaderSize];
    if (std::fread(header, 1, sizeof header, f) != sizeof header) return false;
    data->info = ParseInfoHeader(header + kFileHeaderSize);
    if (!Acceptable(data->info)) return false;
    if (data->info.bitsPerPixel == 8) {
        const uint32_t entries = data->info.coloursUsed == 0 ? 256 : data->info.coloursUsed;
        // A short palette counts only the entries that were really read.
        data->paletteEntries = static_cast<uint32_t>(std::fread(data->palette, 4, entries, f));
    }
    data->rowSize = ((data->info.bitsPerPixel / 8) * static_cast<size_t>(data->info.width) + 3) &
                    ~static_cast<size_t>(3);
    data->rows = static_cast<uint8_t*>(std::calloc(data->rowSize, data->info.height));
    if (!data->rows) return false;
    std::fread(data->rows, 1, data->rowSize * data->info.height, f);
    return true;
}

void PixelColour(const FileData& data, const uint8_t* p, uint8_t* r, uint8_t* g, uint8_t* b) {
    if (data.info.bitsPerPixel == 24) {
        *b = p[0];
        *g = p[1];
        *r = p[2];
        return;
    }
    // An index past the palette read falls back to entry 0 rather than reading beyond it.
    const uint32_t index = p[0] < data.paletteEntries ? p[0] : 0;
    const uint8_t* entry = data.palette + index * 4;
    *b = entry[0];
    *g = entry[1];
    *r = entry[2];
}

bool Convert(const FileData& data, Bitmap* bitmap) {
    const int32_t w = data.info.width, h = data.info.height;
    const int bytesPerPixel = DisplayBytesPerPixel();
    if (bytesPerPixel == 0) return false;
    bitmap->pixels = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(w) * h * bytesPerPixel));
    if (!bitmap->pixels) return false;
    const int fileBytesPerPixel = data.info.bitsPerPixel / 8;
    for (int32_t i = 0; i < h; ++i) {
        const uint8_t* row = data.rows + data.rowSize * i;
        uint8_t* out = bitmap->pixels + static_cast<size_t>(h - 1 - i) * w * bytesPerPixel;
        for (int32_t j = 0; j < w; ++j) {
            uint8_t r, g, b;
            PixelColour(data, row + j * fileBytesPerPixel, &r, &g, &b);
            if (bytesPerPixel == 2) {
                const uint16_t v = PackDisplayColour(r, g, b);
                std::memcpy(out + j * 2, &v, 2);
            } else {
                out[j * 3 + 0] = r;
                out[j * 3 + 1] = g;
                out[j * 3 + 2] = b;
            }
        }
    }
    bitmap->width = w;
    bitmap->height = h;
    return true;
}

}  // namespace

uint16_t PackDisplayColour(int r, int g, int b) {
    const int r5 = (r & 0xFF) >> 3, g5 = (g & 0xFF) >> 3, b5 = (b & 0xFF) >> 3;
    if (DisplayFormat().ffFormat & kfDirect565)
        return static_cast<uint16_t>(b5 | g5 << 6 | r5 << 11);
    if (DisplayFormat().ffFormat & kfDirect555)
        return static_cast<uint16_t>(b5 | g5 << 5 | r5 << 10);
    return 0;
}

Bitmap::~Bitmap() {
    std::free(pixels);
}

void Bitmap::SetLoadObserver(LoadObserver observer) {
    g_loadObserver = observer;
}

Bitmap* Bitmap::Load(const char* name) {
    if (g_loadObserver) g_loadObserver(name);
    char path[kMaxDataPath];
    if (!MakeDataPath(path, I_DataDir().c_str(), name)) return nullptr;
    FILE* f = std::fopen(path, "rb");
    if (!f) return nullptr;
    FileData data;
    const bool read = ReadFileData(f, &data);
    std::fclose(f);
    Bitmap* bitmap = nullptr;
    if (read) {
        bitmap = new Bitmap;
        if (!Convert(data, bitmap)) {
            delete bitmap;
            bitmap = nullptr;
        }
    }
    std::free(data.rows);
    return bitmap;
}

Bitmap* Bitmap::Filled(int width, int height, int r, int g, int b) {
    const int bytesPerPixel = DisplayBytesPerPixel();
    if (bytesPerPixel == 0 || width <= 0 || height <= 0 || width > kMaxDimension ||
        height > kMaxDimension)
        return nullptr;
    const size_t count = static_cast<size_t>(width) * height;
    auto* pixels = static_cast<uint8_t*>(std::malloc(count * bytesPerPixel));
    if (!pixels) return nullptr;
    const uint16_t packed = PackDisplayColour(r, g, b);
    const uint8_t rgb[3] = {static_cast<uint8_t>(r), static_cast<uint8_t>(g),
                            static_cast<uint8_t>(b)};
    for (size_t i = 0; i < count; ++i) {
        if (bytesPerPixel == 2)
            std::memcpy(pixels + i * 2, &packed, 2);
        else
            std::memcpy(pixels + i * 3, rgb, 3);
    }
    Bitmap* bitmap = new Bitmap;
    bitmap->pixels = pixels;
    bitmap->width = width;
    bitmap->height = height;
    return bitmap;
}

void Bitmap::SetColorKey(int r, int g, int b) {
    if (DisplayFormat().cBPP == 16) key16 = PackDisplayColour(r, g, b);
    keyRGB[0] = static_cast<uint8_t>(r);
    keyRGB[1] = static_cast<uint8_t>(g);
    keyRGB[2] = static_cast<uint8_t>(b);
    keyEnabled = true;
}

void Bitmap::SetColorKeyFromCorner() {
    if (!pixels) return;
    if (DisplayFormat().cBPP == 16) std::memcpy(&key16, pixels, 2);
    if (DisplayFormat().cBPP == 24) std::memcpy(keyRGB, pixels, 3);
    keyEnabled = true;
}

uint16_t Bitmap::Pixel16(int x, int y) const {
    uint16_t v;
    std::memcpy(&v, pixels + (static_cast<size_t>(y) * width + x) * 2, 2);
    return v;
}
