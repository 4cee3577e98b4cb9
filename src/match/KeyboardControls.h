#pragma once
#include "core/KeyState.h"
#include "match/FigureControls.h"

namespace fl3 {

// The five controls that a layout's keys hold in a snapshot.
FigureControls ControlsFromKeys(const KeyState& keys, const KeyLayout& layout);

// A MAN figure's controls from the frame's keyboard snapshot and its own key
// layout. Figures on any other control mode hold nothing.
class KeyboardControls : public FigureControlSource {
 public:
  // Reads `keys`, which its owner refills every frame; it must outlive this.
  explicit KeyboardControls(const KeyState& keys) : keys_(keys) {}

  FigureControls ControlsFor(const GameState& state, int figure) override;

 private:
  const KeyState& keys_;
};

}  // namespace fl3
