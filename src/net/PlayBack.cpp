#include "net/PlayBack.h"

#include <memory>

#include "match/MatchFrame.h"

namespace fl3::net {

std::optional<MatchSnapshot> PlayBack(const MatchStart& start, const std::vector<ControlFrame>& frames) {
  auto state = std::make_unique<GameState>();
  if (!ApplyMatchStart(start, *state)) return std::nullopt;
  MatchEngine engine(*state, start.BackgroundNumber());
  for (const ControlFrame& frame : frames) engine.RunFrame(frame, nullptr);
  MatchSnapshot after;
  engine.Save(after);
  return after;
}

}  // namespace fl3::net
