#include "net/InputDelay.h"

#include <algorithm>

#include "match/ControlFrame.h"

namespace fl3::net {

int AutomaticInputDelay(int roundTripMs) {
  if (roundTripMs <= 0) return 0;
  return std::min(kMostAutomaticDelay, roundTripMs / 2 / ControlFrame::kNetworkFrameMs);
}

int ChosenInputDelay(int setting, int roundTripMs) {
  if (setting < 0) return AutomaticInputDelay(roundTripMs);
  return std::min(setting, 3);
}

}  // namespace fl3::net
