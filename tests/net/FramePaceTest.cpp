#include <gtest/gtest.h>

#include "net/FramePace.h"
#include "net/TimeSync.h"

namespace fl3 {
namespace {

using net::FramePace;
using net::TimeSync;

// The machine ahead waits a little longer before its next frame; the one
// behind never speeds up. Catches the advantage's sign swapped (the one
// behind slowing down and the one ahead running away), the round trip's
// half added on the wrong side, and a slowdown that never reaches the pace.
TEST(FramePaceTest, TheMachineAheadSlowsDownAndTheOneBehindDoesNot) {
  struct Row {
    const char* what;
    int ours, theirs, sinceMs, roundTripMs;
    bool slower;
  };
  for (const Row& row : {Row{"level", 100, 100, 0, 0, false}, Row{"two frames ahead", 102, 100, 0, 0, true},
                         Row{"two frames behind", 100, 102, 0, 0, false},
                         Row{"ahead only by the way their report took", 102, 100, 0, 204, false},
                         Row{"their report old, we are ahead", 104, 100, 0, 204, true}}) {
    TimeSync sync;
    for (int i = 0; i < 20; ++i) sync.Heard(row.theirs, row.ours, row.sinceMs, row.roundTripMs);
    const int slowdown = TimeSync::SlowdownFor(sync.Advantage());
    EXPECT_EQ(slowdown > 0, row.slower) << row.what << ": advantage " << sync.Advantage();
    EXPECT_GE(slowdown, 0) << row.what;
    FramePace pace;
    pace.Begin(1000);
    pace.Played(1000, slowdown);
    EXPECT_EQ(pace.DueMs(), 1000 + ControlFrame::kNetworkFrameMs + slowdown) << row.what;
  }
  // A machine that waited does not catch up by playing frames back to back.
  FramePace late;
  late.Begin(1000);
  late.Played(1200, 0);
  EXPECT_EQ(late.DueMs(), 1200 + ControlFrame::kNetworkFrameMs);
}

}  // namespace
}  // namespace fl3
