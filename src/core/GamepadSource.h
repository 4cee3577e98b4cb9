#pragma once
#include <vector>

#include "PadChoices.h"

namespace fl3 {

// What one player's pad asks for in a frame. All false while the pad is not
// plugged in.
struct PadControls {
  bool left = false, up = false, right = false, down = false, plant = false;
  bool escape = false;  // its Start button
};

// The gamepads, polled once per frame. The players' choices say which pad
// belongs to whom; a pad unplugged and plugged in again belongs to the same
// player again.
class GamepadSource {
 public:
  virtual ~GamepadSource() = default;
  virtual void Choose(const PadChoices& choices) = 0;
  // Takes in pads plugged in or out and the state of every control.
  virtual void Poll() = 0;
  // player 0..3.
  virtual PadControls ControlsFor(int player) const = 0;
  // The pads plugged in now, each kind once.
  virtual std::vector<PadIdentity> Connected() const = 0;
};

}  // namespace fl3
