#pragma once
#include <cstdint>

#include "match/ControlFrame.h"

namespace fl3::net {

// When the next frame of a network match is due: every 51 ms, plus the
// slowdown of a machine that runs ahead. A machine that waited does not
// catch up by playing frames back to back; the others slow down instead.
class FramePace {
 public:
  static constexpr std::int64_t kLateMs = 5;

  void Begin(std::int64_t firstFrameAtMs) { dueMs_ = firstFrameAtMs, lastFrameMs_ = firstFrameAtMs; }
  bool Due(std::int64_t nowMs) const { return nowMs >= dueMs_; }
  std::int64_t DueMs() const { return dueMs_; }
  std::int64_t SinceFrameMs(std::int64_t nowMs) const { return nowMs - lastFrameMs_; }
  // A frame was played at nowMs.
  void Played(std::int64_t nowMs, int slowdownMs) {
    const std::int64_t base = nowMs - dueMs_ > kLateMs ? nowMs : dueMs_;
    lastFrameMs_ = nowMs;
    dueMs_ = base + ControlFrame::kNetworkFrameMs + slowdownMs;
  }

 private:
  std::int64_t dueMs_ = 0;
  std::int64_t lastFrameMs_ = 0;
};

}  // namespace fl3::net
