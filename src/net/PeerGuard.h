#pragma once
#include <cstdint>

#include "net/LongAgo.h"

namespace fl3::net {

// What one peer may send: a flood or a run of malformed messages gets it
// disconnected; the rest of the match goes on.
class PeerGuard {
 public:
  static constexpr int kMessagesPerSecond = 120;  // a player sends about 20
  static constexpr int kFaultsAllowed = 50;

  // A message came in; false once the peer has flooded.
  bool Admit(std::int64_t nowMs) {
    if (nowMs - windowStartMs_ >= 1000) windowStartMs_ = nowMs, inWindow_ = 0;
    if (++inWindow_ > kMessagesPerSecond) flooded_ = true;
    return !flooded_;
  }
  // A message that was malformed, unknown or not this peer's to send.
  void Fault() { ++faults_; }
  bool Excluded() const { return flooded_ || faults_ > kFaultsAllowed; }
  int Faults() const { return faults_; }

 private:
  std::int64_t windowStartMs_ = kLongAgoMs;
  int inWindow_ = 0;
  int faults_ = 0;
  bool flooded_ = false;
};

}  // namespace fl3::net
