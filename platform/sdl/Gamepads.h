// Game controllers, plugged in or out while the game runs, turned into the device's keys:
// d-pad and left stick aim, A launches, B and X/Y launch too, Start pauses, Back taps the exit
// picture (a gamepad has no stylus).
#pragma once

#include <SDL.h>

#include <deque>
#include <map>

#include "platform/i_window.h"

class Gamepads {
  public:
    Gamepads();
    ~Gamepads();
    Gamepads(const Gamepads&) = delete;
    Gamepads& operator=(const Gamepads&) = delete;

    // Handles a controller event; true when it was one.
    bool Handle(const SDL_Event& event, std::deque<MSG>& queue);

  private:
    void Open(int deviceIndex);
    void Close(SDL_JoystickID id);
    void Button(const SDL_ControllerButtonEvent& event, std::deque<MSG>& queue);
    void Axis(const SDL_ControllerAxisEvent& event, std::deque<MSG>& queue);
    void Key(int code, bool down, std::deque<MSG>& queue);

    std::map<SDL_JoystickID, SDL_GameController*> open_;
    int stickX_ = 0;  // -1, 0, +1: which aim key the left stick holds down
    int stickY_ = 0;
    bool ready_ = false;
};
