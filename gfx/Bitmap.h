// A picture from a .bmp file in the data directory, converted once to the display's pixel
// format so drawing copies it as it stands. A missing or unreadable file gives null, which
// every copy draws as nothing.
#pragma once

#include <cstdint>

class Bitmap {
  public:
    Bitmap() = default;
    virtual ~Bitmap();
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    // name: "\file.bmp", relative to the data directory.
    static Bitmap* Load(const char* name);
    // A small block of one colour, for marks the game draws itself; null on an unknown display.
    static Bitmap* Filled(int width, int height, int r, int g, int b);

    void SetColorKey(int r, int g, int b);
    void SetColorKeyFromCorner();

    // The stored pixel (16-bit displays).
    uint16_t Pixel16(int x, int y) const;

    // Called with every name passed to Load, found or not; for tests that list what the game
    // asks for. Null turns it off.
    using LoadObserver = void (*)(const char* name);
    static void SetLoadObserver(LoadObserver observer);

    int width = 0;
    int height = 0;
    uint8_t* pixels = nullptr;  // row-major, top row first; 2 or 3 bytes per pixel
    bool keyEnabled = false;
    uint16_t key16 = 0;
    uint8_t keyRGB[3] = {0, 0, 0};
};

// Packs an 8-bit colour as the current display stores it (5-6-5 or 5-5-5).
uint16_t PackDisplayColour(int r, int g, int b);
