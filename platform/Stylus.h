// The device's one stylus, played by whatever points on a desktop or a browser: the left
// mouse button or one finger at a time. A press outside the picture (on the letterbox) is
// not a tap and is dropped; once a press is delivered, its drags and its release always are,
// clamped to the picture by the caller, so the game never keeps a press that was lifted.
// Other fingers, and the mouse while a finger is down, are ignored.
#pragma once

#include <cstdint>
#include <deque>

#include "platform/i_window.h"

class Stylus {
  public:
    enum class Source { kMouse, kFinger };

    // (x, y): picture pixels, clamped to the picture; inside: the press was on the picture.
    void Down(Source source, int64_t finger, bool inside, int x, int y, std::deque<MSG>& queue);
    void Move(Source source, int64_t finger, int x, int y, std::deque<MSG>& queue);
    void Up(Source source, int64_t finger, int x, int y, std::deque<MSG>& queue);

    bool Held() const { return held_; }

  private:
    bool Holds(Source source, int64_t finger) const;
    void Push(UINT message, int x, int y, std::deque<MSG>& queue) const;

    bool held_ = false;
    Source source_ = Source::kMouse;
    int64_t finger_ = 0;
};
