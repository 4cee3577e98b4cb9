#include "match/MatchFrame.h"

namespace fl3 {

MatchEngine::MatchEngine(GameState& state, std::int32_t backgroundNumber)
    : state_(state), backgroundNumber_(backgroundNumber) {}

FrameOutcome MatchEngine::RunFrame(std::int32_t, const KeyState&, DrawList* draw) {
  if (draw) draw->Clear();
  return {};
}

}  // namespace fl3
