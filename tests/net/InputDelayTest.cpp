#include <gtest/gtest.h>

#include "net/InputDelay.h"

namespace fl3 {
namespace {

// Round trip to frames, at the edges: a frame of delay (51 ms) once half the
// round trip holds it, two at twice that, never more. Catches dividing the
// whole round trip instead of the way across (a delay longer than what it
// hides), rounding up, a missing cap, and a delay on a link not measured yet.
TEST(InputDelayTest, AutomaticDelayFollowsHalfTheRoundTrip) {
  struct Case { int roundTripMs, frames; };
  for (const Case c : {Case{-1, 0}, Case{0, 0}, Case{40, 0}, Case{101, 0}, Case{102, 1}, Case{150, 1}, Case{203, 1},
                       Case{204, 2}, Case{300, 2}, Case{2000, 2}}) {
    EXPECT_EQ(net::AutomaticInputDelay(c.roundTripMs), c.frames) << c.roundTripMs << " ms";
  }
}

// A fixed delay stays fixed whatever the link; automatic follows it.
// Catches the setting read as automatic when 0, or clamped to 2.
TEST(InputDelayTest, AFixedDelayStaysFixed) {
  struct Case { int setting, roundTripMs, frames; };
  for (const Case c : {Case{0, 300, 0}, Case{3, 0, 3}, Case{1, 300, 1}, Case{net::kAutomaticDelay, 300, 2},
                       Case{net::kAutomaticDelay, 50, 0}}) {
    EXPECT_EQ(net::ChosenInputDelay(c.setting, c.roundTripMs), c.frames) << c.setting << ", " << c.roundTripMs << " ms";
  }
}

}  // namespace
}  // namespace fl3
