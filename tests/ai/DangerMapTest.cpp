#include <gtest/gtest.h>

#include <bit>
#include <memory>
#include <vector>

#include "MatchTestKit.h"
#include "ai/DangerMap.h"

namespace fl3::testing {
namespace {

constexpr std::int32_t kFrameMs = 51;

struct PlacedBomb { std::int32_t x, y, fuseMs, reach, owner; };

// Which blasts count as danger to figure 0 on (6, 5), and from which frame:
// its own bomb at once, another's once its fuse is down to the heeded
// 450 ms, a wary player's own bomb from a quarter of its fuse; a bomb it
// does not heed still sets off the bomb its fire reaches; a bomb whose fire
// has gone and a box burnt by an earlier blast no longer stop later fire. A
// blast due in frame b counts from b - 1 - b / 16 (care). Catches the owners
// swapped, the heed time compared the wrong way, the unheeded bomb left out
// of the chain, the wary start at the wrong fraction, and fire stopped by a
// bomb or box that is gone by then.
TEST(DangerMapTest, CountsABlastFromWhenThePlayerHeedsIt) {
  const struct {
    const char* name;
    std::vector<PlacedBomb> bombs;  // added in this order
    bool wary;
    bool boxAt55;
    int firstFrame;  // -1: never
  } rows[] = {
      {"own bomb, full fuse: bursts in frame 58", {{5, 5, 3000, 1, 0}}, false, false, 54},
      {"another's bomb, full fuse", {{5, 5, 3000, 1, 1}}, false, false, -1},
      {"another's bomb down to 450 ms: frame 8", {{5, 5, 450, 1, 1}}, false, false, 7},
      {"another's bomb at 460 ms", {{5, 5, 460, 1, 1}}, false, false, -1},
      {"own bomb, wary: from frame 58 / 4", {{5, 5, 3000, 1, 0}}, true, false, 10},
      // The trigger bursts in frame 19 and cuts 2031 ms to 508: frame 28.
      {"own bomb set off by an unheeded one", {{3, 5, 1000, 3, 1}, {5, 5, 3000, 1, 0}}, false, false, 26},
      // The reach-0 bomb bursts in frame 1 and is gone in frame 3.
      {"own fire passes a bomb gone by then", {{4, 5, 3000, 2, 0}, {5, 5, 60, 0, 1}}, false, false, 54},
      {"own fire passes a box burnt before", {{4, 5, 3000, 2, 0}, {5, 4, 60, 1, 1}}, false, true, 54},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    auto state = std::make_unique<GameState>();
    MakeOpenField(*state);
    state->FrameTime = kFrameMs;
    if (row.boxAt55) state->Tile(5, 5) = CellBox1;
    for (const PlacedBomb& b : row.bombs) state->Bombs.Add(b.x, b.y, b.fuseMs, b.reach, kBombFireMs, b.owner);
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
