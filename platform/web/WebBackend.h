// What the page's entry tells the web back end beyond the common options.
#pragma once

#include <string>

namespace platform::web {

struct PageOptions {
    bool fast = false;     // a virtual 50 ms clock, as fast as the page can (tests)
    long shotFrame = -1;   // this frame goes to the element #shot as a PNG data URL
    std::string shotPath;  // where the PNG of that frame is written first
};

PageOptions& Page();

}  // namespace platform::web
