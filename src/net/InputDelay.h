#pragma once

namespace fl3::net {

// An input delay of this value is chosen from the round trip when the match begins.
inline constexpr int kAutomaticDelay = -1;
inline constexpr int kMostAutomaticDelay = 2;

// The frames of input delay a round trip calls for: the whole frames that fit
// into the way across (half the round trip), at most two. A delay never
// exceeds the time it hides, so one's own figure never answers later than
// the others' controls arrive; on a link under about 100 ms it stays 0.
// Not measured yet (0 or less): none.
int AutomaticInputDelay(int roundTripMs);

// The delay a machine plays with: a fixed 0 to 3, or automatic.
int ChosenInputDelay(int setting, int roundTripMs);

}  // namespace fl3::net
