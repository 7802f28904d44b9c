// Scripted input: one event per line, "FRAME keydown CODE [ctrl]", "FRAME keyup CODE",
// "FRAME tap X Y", "FRAME move X Y", "FRAME release X Y"; '#' starts a comment. Frames never
// decrease.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "platform/i_window.h"

struct InputEvent {
    long frame = 0;
    UINT message = 0;  // WM_KEYDOWN, WM_KEYUP, WM_LBUTTONDOWN, WM_MOUSEMOVE or WM_LBUTTONUP
    int a = 0;         // key code, or x
    int b = 0;         // y
    bool control = false;
};

class InputScript {
  public:
    // Parses the whole text; on the first bad line returns false with "line N: why" in *error.
    bool Parse(const std::string& text, std::string* error);
    bool Load(const std::string& path, std::string* error);

    // Moves the events of frames up to `frame`, in file order, into messages.
    template <typename Sink>
    void Deliver(long frame, Sink&& sink) {
        while (next_ < events_.size() && events_[next_].frame <= frame)
            sink(events_[next_++]);
    }

    const std::vector<InputEvent>& Events() const { return events_; }

    static MSG ToMessage(const InputEvent& event, HWND window);
    // The line that reproduces a delivered message, or "" for messages not recorded.
    static std::string FormatMessage(long frame, const MSG& msg);

  private:
    std::vector<InputEvent> events_;
    size_t next_ = 0;
};
