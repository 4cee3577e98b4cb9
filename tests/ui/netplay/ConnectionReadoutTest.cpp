// The line below the panels of a network match.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/netplay/ConnectionReadout.h"

namespace fl3::testing {
namespace {

// Each line catches a fault of the readout: warning of the corrections a
// computer player's turns cause with every round trip, short or long; not
// warning of ones deeper than the round trip explains; warning on after they stopped; "(0 s)" for a short wait;
// "Waiting for the connection" during the winner picture; a lost player
// not named; "Round trip -" before anything is measured.
TEST(ConnectionReadout, TellsOnlyWhatIsTrue) {
  struct Case {
    const char* what;
    int replayedEvery, depth;  // a correction of `depth` frames every n frames (0: none)
    std::int64_t waitMs;       // then held back this long
    std::string notice;
    bool over;
    int roundTripMs;
    std::string text;
    bool warning;
  };
  const std::vector<Case> cases = {
      {"round trip's every frame", 1, 4, 0, "", false, 84, "Round trip 84 ms", false},
      {"long round trip's every frame", 1, 9, 0, "", false, 400, "Round trip 400 ms", false},
      {"deeper every eighth", 8, 5, 0, "", false, 84, "Round trip 84 ms", false},
      {"deeper every third", 3, 5, 0, "", false, 84, "Round trip 84 ms, many corrections", true},
      {"none", 0, 0, 0, "", false, 84, "Round trip 84 ms", false},
      {"short wait", 0, 0, 100, "", false, 84, "Waiting for the connection", true},
      {"long wait", 0, 0, 1000, "", false, 84, "Waiting for the connection (1 s)", true},
      {"wait after the end", 0, 0, 4000, "", true, 84, "Round trip 84 ms", false},
      {"lost player", 0, 0, 1600, "Bo's connection is lost: waiting 2 s", false, 84, "Bo's connection is lost: waiting 2 s", true},
      {"nothing measured", 0, 0, 0, "", false, 0, "", false},
  };
  ConnectionReadout readout;
  std::int64_t now = 0;
  for (const Case& c : cases) {
    for (int i = 1; i <= ConnectionReadout::kWindowFrames; ++i) {
      NetPlayStep step;
      step.newFrame = true;
      step.replayed = c.replayedEvery > 0 && i % c.replayedEvery == 0 ? c.depth : 0;
      readout.Took(now += 51, step, c.roundTripMs);
    }
    NetPlayStep held;
    held.waiting = true;
    for (std::int64_t waited = 0; waited < c.waitMs; waited += 100) readout.Took(now += 100, held, c.roundTripMs);
    now += ConnectionReadout::kRefreshMs;
    readout.Refresh(now, c.notice, c.over);
    EXPECT_EQ(std::pair(readout.Text(), readout.Warning()), std::pair(c.text, c.warning)) << c.what;
  }
  EXPECT_FALSE(readout.Refresh(now + 100, "", false));  // not yet due: no flicker
}

}  // namespace
}  // namespace fl3::testing
