// The off-screen frame, in the display's own pixel format and layout, and the only two ways
// anything reaches it: a clipped, optionally colour-keyed copy of a whole bitmap, plain or
// mirrored left to right.
#pragma once

#include <cstdint>

class Bitmap;

enum : int {
    kAnchorRight = 0x01,
    kAnchorHCenter = 0x02,
    kAnchorBottom = 0x10,
    kAnchorVCenter = 0x20,
};

class BackBuffer {
  public:
    BackBuffer(uint8_t* origin, int width, int height, int xPitch, int yPitch, int bytesPerPixel);
    virtual ~BackBuffer() = default;

    void Draw(const Bitmap* bitmap, int x, int y, int anchor);
    void DrawMirrored(const Bitmap* bitmap, int x, int y, int anchor, int mirror);

    uint8_t* origin;
    int width;
    int height;
    int xPitch;
    int yPitch;
    int bytesPerPixel;
    // False while a replay is verified: every frame's logic runs, no pixel is written.
    bool pixels = true;

  private:
    struct Span {
        int frameX, frameY;  // first frame pixel written
        int skipX, skipY;    // source columns and rows cut off at the left and top
        int w, h;            // visible columns and rows
    };
    bool Clip(const Bitmap& bitmap, int x, int y, int anchor, Span* span) const;
    void Copy16(const Bitmap& bitmap, const Span& span, bool mirrored);
    void Copy24(const Bitmap& bitmap, const Span& span, bool mirrored);
};
