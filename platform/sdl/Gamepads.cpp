#include "platform/sdl/Gamepads.h"

#include "platform/Device.h"
#include "platform/PlatformState.h"

namespace {

// The game's exit key, as the keyboard's Backspace: it leaves a game and does nothing on the
// pages (a tap there would confirm whatever page is shown).
// Stick travel that presses an aim key, and the lower travel that releases it again.
constexpr int kPressTravel = 16000;
constexpr int kReleaseTravel = 8000;

int ButtonKey(Uint8 button) {
    switch (button) {
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            return kKeyLeft;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
            return kKeyRight;
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
            return kKeyUp;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
            return kKeyDown;
        case SDL_CONTROLLER_BUTTON_A:
            return kKeyLaunch;
        case SDL_CONTROLLER_BUTTON_B:
            return kKeyLaunch2;
        case SDL_CONTROLLER_BUTTON_X:
        case SDL_CONTROLLER_BUTTON_Y:
            return kKeyLaunch3;
        case SDL_CONTROLLER_BUTTON_BACK:
            return kKeyExit;
        case SDL_CONTROLLER_BUTTON_START:
            return kKeyPause;
        default:
            return 0;
    }
}

// The stick's new direction on one axis, with hysteresis so it does not chatter.
int StickDirection(int held, int value) {
    if (held != 0 && value * held > kReleaseTravel) return held;
    if (value <= -kPressTravel) return -1;
    if (value >= kPressTravel) return 1;
    return 0;
}

}  // namespace

Gamepads::Gamepads() {
    ready_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    // Controllers present at start arrive as device-added events too.
}

Gamepads::~Gamepads() {
    for (auto& [id, controller] : open_)
        SDL_GameControllerClose(controller);
    if (ready_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void Gamepads::Open(int deviceIndex) {
    if (!SDL_IsGameController(deviceIndex)) return;
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (!controller) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    if (open_.count(id)) {
        SDL_GameControllerClose(controller);
        return;
    }
    open_[id] = controller;
}

void Gamepads::Close(SDL_JoystickID id) {
    auto it = open_.find(id);
    if (it == open_.end()) return;
    SDL_GameControllerClose(it->second);
    open_.erase(it);
}

void Gamepads::Key(int code, bool down, std::deque<MSG>& queue) {
    MSG msg;
    msg.hwnd = platform::MainWindow();
    msg.message = down ? WM_KEYDOWN : WM_KEYUP;
    msg.wParam = static_cast<WPARAM>(code);
    queue.push_back(msg);
}

void Gamepads::Button(const SDL_ControllerButtonEvent& event, std::deque<MSG>& queue) {
    const bool down = event.type == SDL_CONTROLLERBUTTONDOWN;
    if (const int code = ButtonKey(event.button)) Key(code, down, queue);
}

void Gamepads::Axis(const SDL_ControllerAxisEvent& event, std::deque<MSG>& queue) {
    const bool horizontal = event.axis == SDL_CONTROLLER_AXIS_LEFTX;
    if (!horizontal && event.axis != SDL_CONTROLLER_AXIS_LEFTY) return;
    int& held = horizontal ? stickX_ : stickY_;
    const int now = StickDirection(held, event.value);
    if (now == held) return;
    const int negative = horizontal ? kKeyLeft : kKeyUp,
              positive = horizontal ? kKeyRight : kKeyDown;
    if (held != 0) Key(held < 0 ? negative : positive, false, queue);
    if (now != 0) Key(now < 0 ? negative : positive, true, queue);
    held = now;
}

bool Gamepads::Handle(const SDL_Event& event, std::deque<MSG>& queue) {
    switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED:
            Open(event.cdevice.which);
            return true;
        case SDL_CONTROLLERDEVICEREMOVED:
            Close(event.cdevice.which);
            return true;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            Button(event.cbutton, queue);
            return true;
        case SDL_CONTROLLERAXISMOTION:
            Axis(event.caxis, queue);
            return true;
        default:
            return false;
    }
}
