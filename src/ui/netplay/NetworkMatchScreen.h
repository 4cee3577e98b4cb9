#pragma once
#include <functional>

#include "core/KeyState.h"
#include "ui/match/MatchWindow.h"
#include "ui/netplay/NetPlayPump.h"

namespace fl3 {

// A network match that the pump's link runs, shown in the match window,
// drawn and heard exactly as a local one, with a quiet line about the
// connection below the panels. This machine's seats read `keys`, filled here
// before every service of the network; `padAsksToLeave` tells when a seat's
// pad presses Start. Escape quits through the link. Returns when the match is
// over here.
void PlayNetworkMatch(frmNormalGame& window, NetPlayPump& pump, KeyState& keys,
                      const std::function<bool()>& padAsksToLeave);

}  // namespace fl3
