#pragma once
#include <array>
#include <memory>
#include <vector>

#include "core/GamepadSource.h"

struct _SDL_GameController;

namespace fl3 {

// The gamepads through SDL's game-controller layer, with its mapping
// database; no SDL window, sound or signal handling is set up. One object
// serves the whole run. Several pads of one kind go to the players who chose
// that kind in player order, and a player keeps their pad while it stays
// plugged in.
class Gamepads : public GamepadSource {
 public:
  // Null when SDL's game-controller layer cannot start.
  static std::unique_ptr<Gamepads> Open();
  ~Gamepads() override;
  Gamepads(const Gamepads&) = delete;
  Gamepads& operator=(const Gamepads&) = delete;

  void Choose(const PadChoices& choices) override;
  void Poll() override;
  PadControls ControlsFor(int player) const override;
  std::vector<PadIdentity> Connected() const override;

  // How far the left stick must lean (of 32767) before it steers.
  static constexpr int kStickDeadZone = 12000;

 private:
  struct OpenPad {
    _SDL_GameController* controller;
    int instance;
    PadIdentity identity;
  };

  Gamepads() = default;
  void OpenNewPads();
  void CloseUnpluggedPads();
  void HandOutPads();

  std::vector<OpenPad> pads_;
  PadChoices choices_{};
  std::array<int, 4> playerPads_{-1, -1, -1, -1};  // instance ids, -1 for none
  std::array<_SDL_GameController*, 4> players_{};
  std::array<PadControls, 4> controls_{};
};

}  // namespace fl3
