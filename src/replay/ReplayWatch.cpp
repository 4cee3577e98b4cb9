#include "replay/ReplayWatch.h"

#include <algorithm>
#include <cstdio>

namespace fl3 {
namespace {

// Behind by more than this (a busy machine), the watch goes on from now
// instead of rushing through the frames it missed.
constexpr std::int64_t kMostBehindMs = 250;
// At 4 times, a slow tick plays a few frames and shows the last.
constexpr int kMostFramesAStep = 8;

std::string Clock(std::int64_t ms) {
  const std::int64_t seconds = std::max<std::int64_t>(0, ms) / 1000;
  char text[32];
  std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 60),
                static_cast<long long>(seconds % 60));
  return text;
}

}  // namespace

ReplayWatch::ReplayWatch(ReplayPlayback& playback, std::int64_t nowMs) : playback_(playback), nextDueMs_(nowMs) {
  nextDueMs_ += Scaled(playback_.Position());
}

std::int64_t ReplayWatch::Scaled(int frame) const {
  if (frame >= playback_.FrameCount()) return 0;
  const std::int64_t recorded = playback_.ElapsedMs(frame + 1) - playback_.ElapsedMs(frame);
  return recorded * 2 / kSpeedHalves[speed_];
}

ReplayWatch::Step ReplayWatch::Due(Step step) const {
  if (!paused_ && !AtEnd()) step.wakeAtMs = nextDueMs_;
  return step;
}

ReplayWatch::Step ReplayWatch::Advance(std::int64_t nowMs, DrawList& draw) {
  Step step;
  if (paused_) return step;
  if (nowMs - nextDueMs_ > kMostBehindMs) nextDueMs_ = nowMs;
  for (int played = 0; played < kMostFramesAStep && !AtEnd() && nowMs >= nextDueMs_; ++played) {
    step.beeps += playback_.Next(&draw).beeps;
    step.changed = true;
    nextDueMs_ += Scaled(playback_.Position());
  }
  return Due(step);
}

ReplayWatch::Step ReplayWatch::Apply(Command command, std::int64_t nowMs, DrawList& draw) {
  Step step;
  switch (command) {
    case Command::PauseOrGo:
      // At the end, going on starts the replay over.
      if (AtEnd() && !paused_) {
        playback_.MoveTo(1, &draw);
        step.changed = true;
      } else {
        paused_ = !paused_;
      }
      nextDueMs_ = nowMs + Scaled(playback_.Position());
      break;
    case Command::OneFrame:
      if (!paused_ || AtEnd()) break;
      step.beeps = playback_.Next(&draw).beeps;
      step.changed = true;
      break;
    case Command::Slower:
    case Command::Faster:
      speed_ = command == Command::Slower ? (speed_ > 0 ? speed_ - 1 : 0) : std::min(speed_ + 1, kSpeedHalves.size() - 1);
      // The next frame comes after its own time at the new speed.
      nextDueMs_ = nowMs + Scaled(playback_.Position());
      break;
    case Command::Back:
    case Command::Forward:
      playback_.MoveTo(playback_.FrameAfter(command == Command::Back ? -kJumpMs : kJumpMs), &draw);
      step.changed = true;
      nextDueMs_ = nowMs + Scaled(playback_.Position());
      break;
  }
  step.changed = step.changed || command == Command::PauseOrGo || command == Command::Slower || command == Command::Faster;
  return Due(step);
}

ReplayWatch::Status ReplayWatch::Shown() const {
  return {playback_.ElapsedMs(playback_.Position()) / 1000, speed_, paused_, AtEnd()};
}

std::string ReplayWatch::SpeedText() const {
  return kSpeedHalves[speed_] == 1 ? "1/2" : std::to_string(kSpeedHalves[speed_] / 2);
}

std::string ReplayWatch::TimeText() const {
  return Clock(playback_.ElapsedMs(playback_.Position())) + " / " + Clock(playback_.ElapsedMs(playback_.FrameCount()));
}

}  // namespace fl3
