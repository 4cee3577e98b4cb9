#pragma once
#include "core/GamepadSource.h"
#include "match/FigureControls.h"

namespace fl3 {

// A control is held when the keys or the pad hold it.
FigureControls WithPad(FigureControls keys, const PadControls& pad);

// A MAN figure's controls from its keys and its player's pad together: a
// control is held when either holds it. Other figures get what the keyboard
// source gives them.
class KeyboardAndPadControls : public FigureControlSource {
 public:
  KeyboardAndPadControls(FigureControlSource& keyboard, const GamepadSource& pads) : keyboard_(keyboard), pads_(pads) {}

  FigureControls ControlsFor(const GameState& state, int figure) override;

 private:
  FigureControlSource& keyboard_;
  const GamepadSource& pads_;
};

// Whether the pad of any MAN figure asks to leave the match (its Start button).
bool PadAsksToLeave(const GameState& state, const GamepadSource& pads);

}  // namespace fl3
