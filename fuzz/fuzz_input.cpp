// Any input file: parsed whole or refused with the line named, events in frame order. The
// same bytes as a replay: its header is read or refused with a reason, never a crash.
#include <cstdlib>
#include <string>

#include "formats/ReplayHeader.h"
#include "platform/InputScript.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    ReplayHeader header;
    const std::string fault = ParseReplayHeader(text, &header);
    if (fault.empty() && (!header.hasResult || header.frames > kReplayMaxFrames)) std::abort();
    if (ReplayWithoutName(text).size() > text.size()) std::abort();
    InputScript script;
    std::string error;
    const bool ok = script.Parse(text, &error);
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
