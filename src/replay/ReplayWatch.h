#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "match/DrawList.h"
#include "replay/ReplayPlayback.h"

namespace fl3 {

// A replay being watched: its frames at their recorded pace times the chosen
// speed, pause, one frame on while paused, and jumps of 10 seconds that land
// at once. Frames on the way of a jump are neither drawn nor heard.
class ReplayWatch {
 public:
  enum class Command { PauseOrGo, OneFrame, Slower, Faster, Back, Forward };
  static constexpr std::array<int, 4> kSpeedHalves = {1, 2, 4, 8};  // 1/2, 1, 2, 4 times
  static constexpr std::int64_t kJumpMs = 10'000;

  // What to show after a call: when `changed`, show `draw` (a new frame, or
  // the same one under a new pause or speed) again.
  struct Step {
    bool changed = false;
    int beeps = 0;
    std::int64_t wakeAtMs = -1;  // when to advance again; -1: only after a command
  };

  // `playback` has been played through; watching starts at its first frame.
  ReplayWatch(ReplayPlayback& playback, std::int64_t nowMs);

  Step Advance(std::int64_t nowMs, DrawList& draw);
  Step Apply(Command command, std::int64_t nowMs, DrawList& draw);

  // What the status line shows; it changes at most every second or command.
  struct Status {
    std::int64_t seconds = 0;
    std::size_t speed = 0;
    bool paused = false, atEnd = false;
    friend bool operator==(const Status&, const Status&) = default;
  };
  Status Shown() const;

  bool Paused() const { return paused_; }
  bool AtEnd() const { return playback_.AtEnd(); }
  // "1/2", "1", "2" or "4".
  std::string SpeedText() const;
  // Game time shown and in all, as "m:ss / m:ss".
  std::string TimeText() const;

 private:
  std::int64_t Scaled(int frame) const;
  Step Due(Step step) const;

  ReplayPlayback& playback_;
  std::size_t speed_ = 1;
  bool paused_ = false;
  std::int64_t nextDueMs_;
};

}  // namespace fl3
