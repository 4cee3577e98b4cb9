#pragma once
#include <SDL2/SDL.h>

#include <gtest/gtest.h>

namespace fl3::testing {

// A gamepad made up inside SDL, plugged in while the object lives (or until
// Unplug); the game-controller layer sees it like a real one.
class VirtualGamepad {
 public:
  explicit VirtualGamepad(const char* name) {
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);  // keeps the pad alive between the game's own uses
    description_.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION, description_.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    description_.naxes = SDL_CONTROLLER_AXIS_MAX, description_.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    description_.name = name;
    Plug();
  }
  ~VirtualGamepad() {
    Unplug();
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  }
  void Plug() { ASSERT_NE(joystick_ = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&description_)), nullptr); }
  void Unplug() {
    const SDL_JoystickID instance = SDL_JoystickInstanceID(joystick_);
    SDL_JoystickClose(joystick_);
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
      if (SDL_JoystickGetDeviceInstanceID(i) == instance) SDL_JoystickDetachVirtual(i);
    }
  }
  // Only this button pressed and this axis leaning; all else at rest.
  void Set(int button, int axis = SDL_CONTROLLER_AXIS_LEFTX, Sint16 lean = 0) {
    for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b) SDL_JoystickSetVirtualButton(joystick_, b, b == button);
    for (int a = 0; a < SDL_CONTROLLER_AXIS_MAX; ++a) SDL_JoystickSetVirtualAxis(joystick_, a, a == axis ? lean : 0);
  }

 private:
  SDL_VirtualJoystickDesc description_{};
  SDL_Joystick* joystick_ = nullptr;
};

}  // namespace fl3::testing
