#include <gtest/gtest.h>

#include <bit>
#include <memory>

#include "MatchTestKit.h"
#include "ai/DangerMap.h"

namespace fl3::testing {
namespace {

constexpr std::int32_t kFrameMs = 51;

// Which blasts count as danger to figure 0 on the cell right of a reach-1
// bomb at (5, 5), and from which frame: its own bomb at once, another's once
// its fuse is down to the heeded 450 ms, a wary player's own bomb from a
// quarter of its fuse; a bomb it does not heed still sets off the bomb its
// fire reaches. A blast due in frame b counts from b - 1 - b / 16 (care).
// Catches the owners swapped, the heed time compared the wrong way, the
// unheeded bomb left out of the chain, the wary start at the wrong fraction.
TEST(DangerMapTest, CountsABlastFromWhenThePlayerHeedsIt) {
  const struct {
    const char* name;
    int owner;
    std::int32_t fuseMs;
    bool wary;
    std::int32_t triggerFuseMs;  // another's reach-3 bomb at (3, 5), added first; 0: none
    int firstFrame;              // -1: never
  } rows[] = {
      {"own bomb, full fuse: bursts in frame 58", 0, 3000, false, 0, 54},
      {"another's bomb, full fuse", 1, 3000, false, 0, -1},
      {"another's bomb down to 450 ms: frame 8", 1, 450, false, 0, 7},
      {"another's bomb at 460 ms", 1, 460, false, 0, -1},
      {"own bomb, wary: from frame 58 / 4", 0, 3000, true, 0, 10},
      // The trigger bursts in frame 19 and cuts 2031 ms to 508: frame 28.
      {"own bomb set off by an unheeded one", 0, 3000, false, 1000, 26},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    auto state = std::make_unique<GameState>();
    MakeOpenField(*state);
    state->FrameTime = kFrameMs;
    if (row.triggerFuseMs > 0) state->Bombs.Add(3, 5, row.triggerFuseMs, 3, kBombFireMs, 1);
    state->Bombs.Add(5, 5, row.fuseMs, 1, kBombFireMs, row.owner);
    ai::DangerSight sight;
    sight.self = 0;
    sight.othersHeedMs = 450;
    sight.waryOfOwnChains = row.wary;
    ai::DangerMap danger;
    danger.Build(*state, sight);
    const ai::FrameMask mask = danger.Blast(CellIndex(6, 5));
    EXPECT_EQ(mask == 0 ? -1 : std::countr_zero(mask), row.firstFrame);
  }
}

}  // namespace
}  // namespace fl3::testing
