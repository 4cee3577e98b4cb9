#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "match/FigureControls.h"

namespace fl3::netlab {

// A script of control frames: lines "COUNT CONTROLS", held for COUNT frames,
// CONTROLS being letters of l u r d p (left, up, right, down, plant) or "-"
// for nothing; "#" starts a comment. After the last line nothing is held.
bool ReadControlScript(std::string_view text, std::vector<FigureControls>& frames, std::string& error);

// Plays a script, one frame each time it is asked.
class ScriptSeat : public FigureControlSource {
 public:
  explicit ScriptSeat(std::vector<FigureControls> frames) : frames_(std::move(frames)) {}
  FigureControls ControlsFor(const GameState&, int) override {
    return next_ < frames_.size() ? frames_[next_++] : FigureControls{};
  }

 private:
  std::vector<FigureControls> frames_;
  std::size_t next_ = 0;
};

}  // namespace fl3::netlab
