#include "media/Gamepads.h"

#include <SDL2/SDL.h>

#include <algorithm>

namespace fl3 {
namespace {

// Events nobody reads would pile up between matches; the state of every
// control is read directly instead, so only plugging in and out is queued.
constexpr Uint32 kUnreadEvents[] = {
    SDL_JOYAXISMOTION,          SDL_JOYBALLMOTION,          SDL_JOYHATMOTION,           SDL_JOYBUTTONDOWN,
    SDL_JOYBUTTONUP,            SDL_JOYBATTERYUPDATED,      SDL_CONTROLLERAXISMOTION,   SDL_CONTROLLERBUTTONDOWN,
    SDL_CONTROLLERBUTTONUP,     SDL_CONTROLLERDEVICEREMAPPED, SDL_CONTROLLERTOUCHPADDOWN, SDL_CONTROLLERTOUCHPADMOTION,
    SDL_CONTROLLERTOUCHPADUP,   SDL_CONTROLLERSENSORUPDATE};

PadIdentity IdentityOf(SDL_GameController* controller) {
  char guid[33] = {};
  SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(SDL_GameControllerGetJoystick(controller)), guid, sizeof guid);
  const char* name = SDL_GameControllerName(controller);
  return {guid, name != nullptr ? name : "Gamepad"};
}

bool Pressed(SDL_GameController* controller, SDL_GameControllerButton button) {
  return SDL_GameControllerGetButton(controller, button) != 0;
}

PadControls ReadControls(SDL_GameController* controller) {
  PadControls controls;
  if (controller == nullptr) return controls;
  const int x = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX);
  const int y = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY);
  controls.left = Pressed(controller, SDL_CONTROLLER_BUTTON_DPAD_LEFT) || x < -Gamepads::kStickDeadZone;
  controls.right = Pressed(controller, SDL_CONTROLLER_BUTTON_DPAD_RIGHT) || x > Gamepads::kStickDeadZone;
  controls.up = Pressed(controller, SDL_CONTROLLER_BUTTON_DPAD_UP) || y < -Gamepads::kStickDeadZone;
  controls.down = Pressed(controller, SDL_CONTROLLER_BUTTON_DPAD_DOWN) || y > Gamepads::kStickDeadZone;
  controls.plant = Pressed(controller, SDL_CONTROLLER_BUTTON_A) || Pressed(controller, SDL_CONTROLLER_BUTTON_B);
  controls.escape = Pressed(controller, SDL_CONTROLLER_BUTTON_START);
  return controls;
}

}  // namespace

std::unique_ptr<Gamepads> Gamepads::Open() {
  // The game handles its own signals, and pads count whichever window is in front.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return nullptr;
  for (Uint32 type : kUnreadEvents) SDL_EventState(type, SDL_IGNORE);
  std::unique_ptr<Gamepads> pads(new Gamepads());
  pads->OpenNewPads();
  pads->HandOutPads();
  return pads;
}

Gamepads::~Gamepads() {
  for (const OpenPad& pad : pads_) SDL_GameControllerClose(pad.controller);
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void Gamepads::Choose(const PadChoices& choices) {
  choices_ = choices;
  HandOutPads();
}

void Gamepads::Poll() {
  SDL_GameControllerUpdate();
  bool plugged = false;
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) {
    plugged = plugged || event.type == SDL_CONTROLLERDEVICEADDED || event.type == SDL_CONTROLLERDEVICEREMOVED ||
              event.type == SDL_JOYDEVICEADDED || event.type == SDL_JOYDEVICEREMOVED;
  }
  if (plugged) {
    CloseUnpluggedPads();
    OpenNewPads();
    HandOutPads();
  }
  for (std::size_t player = 0; player < players_.size(); ++player) controls_[player] = ReadControls(players_[player]);
}

PadControls Gamepads::ControlsFor(int player) const {
  if (player < 0 || player >= static_cast<int>(controls_.size())) return {};
  return controls_[static_cast<std::size_t>(player)];
}

std::vector<PadIdentity> Gamepads::Connected() const {
  std::vector<PadIdentity> kinds;
  for (const OpenPad& pad : pads_) {
    if (std::find(kinds.begin(), kinds.end(), pad.identity) == kinds.end()) kinds.push_back(pad.identity);
  }
  return kinds;
}

void Gamepads::OpenNewPads() {
  for (int index = 0; index < SDL_NumJoysticks(); ++index) {
    if (!SDL_IsGameController(index)) continue;
    const int instance = SDL_JoystickGetDeviceInstanceID(index);
    const bool known = std::any_of(pads_.begin(), pads_.end(), [&](const OpenPad& pad) { return pad.instance == instance; });
    if (known) continue;
    if (SDL_GameController* controller = SDL_GameControllerOpen(index)) {
      pads_.push_back({controller, instance, IdentityOf(controller)});
    }
  }
}

void Gamepads::CloseUnpluggedPads() {
  std::erase_if(pads_, [](const OpenPad& pad) {
    if (SDL_GameControllerGetAttached(pad.controller)) return false;
    SDL_GameControllerClose(pad.controller);
    return true;
  });
}

// Pads that stay plugged in stay with their players, so unplugging one of
// two pads of a kind never moves the other one to another figure.
void Gamepads::HandOutPads() {
  const auto openPad = [this](int instance) {
    return std::find_if(pads_.begin(), pads_.end(), [instance](const OpenPad& pad) { return pad.instance == instance; });
  };
  for (std::size_t player = 0; player < players_.size(); ++player) {
    const auto kept = openPad(playerPads_[player]);
    if (kept == pads_.end() || !(kept->identity == choices_[player])) playerPads_[player] = -1;
  }
  for (std::size_t player = 0; player < players_.size(); ++player) {
    if (playerPads_[player] >= 0 || choices_[player].Empty()) continue;
    for (const OpenPad& pad : pads_) {
      const bool taken = std::find(playerPads_.begin(), playerPads_.end(), pad.instance) != playerPads_.end();
      if (taken || !(pad.identity == choices_[player])) continue;
      playerPads_[player] = pad.instance;
      break;
    }
  }
  for (std::size_t player = 0; player < players_.size(); ++player) {
    const auto pad = openPad(playerPads_[player]);
    players_[player] = pad == pads_.end() ? nullptr : pad->controller;
    controls_[player] = {};
  }
}

}  // namespace fl3
