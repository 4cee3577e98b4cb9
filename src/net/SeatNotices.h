#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "net/LongAgo.h"
#include "net/WireMessages.h"

namespace fl3::net {

// What every machine tells of the other players in the line below the
// panels: one whose connection is lost, with how long the host still waits
// for it, and one that has left. Fed each lobby the host makes or sends;
// the host's word is the same on every machine.
class SeatNotices {
 public:
  static constexpr std::int64_t kLeftShownMs = 6000;

  void Saw(const Lobby& lobby, std::int64_t nowMs);
  // Empty when there is nothing to tell.
  std::string Text(std::int64_t nowMs) const;

 private:
  struct Seat {
    SeatState state = SeatState::Off;
    std::string name;
    std::int64_t dropAtMs = kLongAgoMs;  // while its connection is lost
    std::int64_t leftAtMs = kLongAgoMs;
  };
  std::array<Seat, FigureCount> seats_{};
};

}  // namespace fl3::net
