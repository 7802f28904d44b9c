// Any input file: parsed whole or refused with the line named, events in frame order.
#include <cstdlib>
#include <string>

#include "platform/InputScript.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    InputScript script;
    std::string error;
    const bool ok = script.Parse(std::string(reinterpret_cast<const char*>(data), size), &error);
    if (!ok && error.rfind("line ", 0) != 0) std::abort();
    long last = 0;
    for (const InputEvent& e : script.Events()) {
        if (e.frame < last) std::abort();
        last = e.frame;
        const MSG msg = InputScript::ToMessage(e, nullptr);
        if (InputScript::FormatMessage(e.frame, msg).empty()) std::abort();
    }
    return 0;
}
