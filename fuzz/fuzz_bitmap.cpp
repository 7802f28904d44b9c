// Any file where a picture should be: loads or refuses, never reads out of bounds.
#include "fuzz/FuzzSupport.h"
#include "gfx/BackBuffer.h"
#include "gfx/Bitmap.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::WriteFile("f.bmp", data, size);
    Bitmap* bitmap = Bitmap::Load("\\f.bmp");
    if (bitmap) {
        bitmap->SetColorKeyFromCorner();
        static std::vector<uint16_t> frame(240 * 320);
        BackBuffer target(reinterpret_cast<uint8_t*>(frame.data()), 240, 320, 2, 480, 2);
        target.Draw(bitmap, -3, -7, 0);
        target.DrawMirrored(bitmap, 200, 300, kAnchorHCenter | kAnchorVCenter, 1);
    }
    delete bitmap;
    return 0;
}
