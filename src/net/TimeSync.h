#pragma once
#include <algorithm>
#include <cstdint>

#include "match/ControlFrame.h"

namespace fl3::net {

// How far this machine runs ahead of another, in frames, and how much it
// slows down to let the other catch up: a few milliseconds a frame, never a
// skipped or doubled frame.
class TimeSync {
 public:
  static constexpr int kMaxSlowdownMs = 6;

  // The other side had played `theirs` frames when it sent; we have played
  // `ours` and our newest frame began `sinceFrameMs` ago.
  void Heard(std::int64_t theirs, std::int64_t ours, std::int64_t sinceFrameMs, int roundTripMs) {
    const double frame = ControlFrame::kNetworkFrameMs;
    const double advantage = (ours + sinceFrameMs / frame) - (theirs + roundTripMs / 2.0 / frame);
    advantage_ = heard_ ? advantage_ + (advantage - advantage_) / 8 : advantage;
    heard_ = true;
  }
  void Forget() { heard_ = false, advantage_ = 0; }
  double Advantage() const { return advantage_; }
  bool Heard() const { return heard_; }

  // The extra milliseconds for our next frame when `advantage` frames ahead.
  static int SlowdownFor(double advantage) {
    if (advantage <= 0.5) return 0;
    return std::min(kMaxSlowdownMs, static_cast<int>(advantage * ControlFrame::kNetworkFrameMs / 8));
  }

 private:
  bool heard_ = false;
  double advantage_ = 0;
};

}  // namespace fl3::net
