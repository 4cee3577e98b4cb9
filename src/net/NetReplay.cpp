#include "net/NetReplay.h"

#include <algorithm>
#include <memory>

namespace fl3::net {

Replay ReplayOf(const MatchStart& start, const std::vector<ControlFrame>& controls, std::size_t frames, MatchEnd end,
                int winner, std::int64_t recordedAtSeconds) {
  auto state = std::make_unique<GameState>();
  ReplayRecorder recorder(start);
  const bool started = static_cast<bool>(ApplyMatchStart(start, *state));
  MatchEngine engine(*state, start.BackgroundNumber());
  for (std::size_t i = 0; started && i < std::min(frames, controls.size()); ++i) {
    engine.RunFrame(controls[i], nullptr);
    recorder.AddFrame(engine.LastControls(), engine);
  }
  return recorder.Finish(end, winner, engine, recordedAtSeconds);
}

Replay ReplayOf(const NetMatch& match, std::int64_t recordedAtSeconds) {
  const RollbackRunner& runner = match.Runner();
  const int frames = match.EndFrame() >= 0 ? match.EndFrame() + 1 : runner.Standing();
  const FrameOutcome& end = match.StandingEnd();
  return ReplayOf(match.Start(), runner.StandingControls(), static_cast<std::size_t>(frames), end.end, end.winner,
                  recordedAtSeconds);
}

void NameNetworkReplay(Replay& replay, const Lobby& lobby, bool watched) {
  replay.occasion = std::string(kNetworkMatchOccasion) + (watched ? ", watched" : "");
  for (std::size_t i = 0; i < replay.names.size(); ++i) {
    const Lobby::Seat& seat = lobby.seats[i];
    const bool played = seat.state == SeatState::Host || seat.state == SeatState::Taken || seat.state == SeatState::Left;
    const std::string name = seat.state == SeatState::Host && seat.name.empty() ? "Host" : seat.name;
    replay.names[i] = played ? name.substr(0, Replay::kMaxNameBytes) : "";
  }
}

}  // namespace fl3::net
