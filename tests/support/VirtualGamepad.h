#pragma once
#include <SDL2/SDL.h>

#include <gtest/gtest.h>

namespace fl3::testing {

// A gamepad made up inside SDL, plugged in while the object lives (or until
// Unplug): the game-controller layer sees it like a real one.
class VirtualGamepad {
 public:
  explicit VirtualGamepad(const char* name, Uint16 product = 0x5678) {
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);  // keeps the pad alive between the game's own uses
    SDL_zero(description_);
    description_.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    description_.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    description_.naxes = SDL_CONTROLLER_AXIS_MAX;
    description_.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    description_.vendor_id = 0x1234;
    description_.product_id = product;
    description_.name = name;
    Plug();
  }
  ~VirtualGamepad() {
    Unplug();
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  }

  void Plug() {
    const int index = SDL_JoystickAttachVirtualEx(&description_);
    ASSERT_GE(index, 0) << SDL_GetError();
    joystick_ = SDL_JoystickOpen(index);
    ASSERT_NE(joystick_, nullptr) << SDL_GetError();
  }
  void Unplug() {
    if (joystick_ == nullptr) return;
    const int instance = SDL_JoystickInstanceID(joystick_);
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    for (int index = 0; index < SDL_NumJoysticks(); ++index) {
      if (SDL_JoystickGetDeviceInstanceID(index) == instance) SDL_JoystickDetachVirtual(index);
    }
  }
  void Button(SDL_GameControllerButton button, bool down) { SDL_JoystickSetVirtualButton(joystick_, button, down); }
  void Axis(SDL_GameControllerAxis axis, Sint16 value) { SDL_JoystickSetVirtualAxis(joystick_, axis, value); }
  void Release() {
    for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b) Button(static_cast<SDL_GameControllerButton>(b), false);
    for (int a = 0; a < SDL_CONTROLLER_AXIS_MAX; ++a) Axis(static_cast<SDL_GameControllerAxis>(a), 0);
  }

 private:
  SDL_VirtualJoystickDesc description_;
  SDL_Joystick* joystick_ = nullptr;
};

}  // namespace fl3::testing
