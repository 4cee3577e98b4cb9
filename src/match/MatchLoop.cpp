#include "match/MatchLoop.h"

#include <utility>

namespace fl3 {

MatchLoop::MatchLoop(GameState& state, std::int32_t backgroundNumber, KeyboardSource& keyboard, Clock& clock,
                     Hooks hooks)
    : state_(state),
      engine_(state, backgroundNumber),
      keyboard_(keyboard),
      clock_(clock),
      hooks_(std::move(hooks)),
      pacer_(clock.NowMs()) {}

void MatchLoop::UseGamepads(GamepadSource& pads) {
  pads_ = &pads;
  padControls_.emplace(engine_.Keyboard(), pads);
  for (int figure = 0; figure < FigureCount; ++figure) {
    if (state_.Characters[static_cast<std::size_t>(figure)].Cont == ContMan) SetControlSource(figure, &*padControls_);
  }
}

void MatchLoop::RunOneFrame(std::int64_t nowMs) {
  state_.FrameTime = pacer_.BeginFrame(nowMs);
  keyboard_.ReadKeyboard(keys_);
  if (pads_ != nullptr) {
    pads_->Poll();
    if (PadAsksToLeave(state_, *pads_)) keys_[kEscapeKey] = 0x80;
  }
  if (escapeNext_) keys_[kEscapeKey] = 0x80;
  lastOutcome_ = engine_.RunFrame(state_.FrameTime, keys_, &draws_);
  if (hooks_.afterFrame) escapeNext_ = hooks_.afterFrame(lastOutcome_) && lastOutcome_.end == MatchEnd::Running;
  if (recorder_ != nullptr) recorder_->AddFrame(engine_.LastControls(), engine_);
  if (hooks_.present) hooks_.present(draws_);
  if (lastOutcome_.beeps > 0 && hooks_.beeps) hooks_.beeps(lastOutcome_.beeps);
}

MatchLoop::StepResult MatchLoop::Step() {
  StepResult result;
  const std::int64_t now = clock_.NowMs();
  if (finished_) {
    result.finished = true;
    return result;
  }
  if (winnerShownAtMs_ >= 0) {
    finished_ = now - winnerShownAtMs_ >= kWinnerShowMs;
    result.finished = finished_;
    result.wakeAtMs = winnerShownAtMs_ + kWinnerShowMs;
    return result;
  }
  if (pacer_.FrameDue(now)) {
    RunOneFrame(now);
    result.frameRan = true;
    if (lastOutcome_.end == MatchEnd::Winner) {
      winnerShownAtMs_ = clock_.NowMs();
      result.wakeAtMs = winnerShownAtMs_ + kWinnerShowMs;
      return result;
    }
    finished_ = lastOutcome_.end != MatchEnd::Running;
  }
  result.finished = finished_;
  result.wakeAtMs = now + pacer_.MsUntilDue(now);
  return result;
}

}  // namespace fl3
