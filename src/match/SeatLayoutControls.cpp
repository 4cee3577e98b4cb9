#include "match/SeatLayoutControls.h"

#include "match/KeyboardAndPadControls.h"
#include "match/KeyboardControls.h"

namespace fl3 {

FigureControls SeatLayoutControls::ControlsFor(const GameState& state, int figure) {
  const int layout = layouts_[static_cast<std::size_t>(figure)];
  if (layout < 0 || layout >= FigureCount) return {};
  const FigureControls keys = ControlsFromKeys(keys_, state.Characters[static_cast<std::size_t>(layout)].Keys);
  return pads_ != nullptr ? WithPad(keys, pads_->ControlsFor(layout)) : keys;
}

bool SeatLayoutControls::PadAsksToLeave() const {
  if (pads_ == nullptr) return false;
  for (const int layout : layouts_) {
    if (layout >= 0 && layout < FigureCount && pads_->ControlsFor(layout).escape) return true;
  }
  return false;
}

}  // namespace fl3
