#include "platform/Stylus.h"

#include "platform/PlatformState.h"

void Stylus::Down(Source source, int64_t finger, bool inside, int x, int y,
                  std::deque<MSG>& queue) {
    if (held_ || !inside) return;
    held_ = true;
    source_ = source;
    finger_ = finger;
    Push(WM_LBUTTONDOWN, x, y, queue);
}

void Stylus::Move(Source source, int64_t finger, int x, int y, std::deque<MSG>& queue) {
    if (Holds(source, finger)) Push(WM_MOUSEMOVE, x, y, queue);
}

void Stylus::Up(Source source, int64_t finger, int x, int y, std::deque<MSG>& queue) {
    if (!Holds(source, finger)) return;
    held_ = false;
    Push(WM_LBUTTONUP, x, y, queue);
}

bool Stylus::Holds(Source source, int64_t finger) const {
    return held_ && source == source_ && (source == Source::kMouse || finger == finger_);
}

void Stylus::Push(UINT message, int x, int y, std::deque<MSG>& queue) const {
    MSG msg;
    msg.hwnd = platform::MainWindow();
    msg.message = message;
    msg.wParam = message == WM_LBUTTONUP ? 0 : 1;  // the button is down
    msg.lParam = static_cast<LPARAM>((x & 0xFFFF) | (y & 0xFFFF) << 16);
    queue.push_back(msg);
}
