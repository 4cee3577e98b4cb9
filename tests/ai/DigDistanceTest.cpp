#include <gtest/gtest.h>

#include <memory>

#include "MatchTestKit.h"
#include "ai/DigDistance.h"

namespace fl3::testing {
namespace {

// Steps to the nearest other figure in play along "#A.X.B#" with figure 2
// OFF on the second cell and a walled-in cell below: the box costs the five
// steps of burning it, the block is never passed. Catches boxes taken as
// floor or as walls, the asking figure or one out of play taken as a target.
TEST(DigDistanceTest, CountsABoxAsStepsToBurnItAndNeverPassesABlock) {
  auto state = std::make_unique<GameState>();
  MakeOpenField(*state);
  state->TileMap.fill(CellBlock1);
  for (int x = 1; x <= 5; ++x) state->Tile(x, 1) = x == 3 ? CellBox1 : CellNothing;
  state->Tile(1, 3) = CellNothing;
  PlaceFigure(*state, 0, 1, 1, ContCpu);
  PlaceFigure(*state, 1, 5, 1, ContCpu);
  PlaceFigure(*state, 2, 2, 1, ContOff);
  ai::DigDistance dig;
  dig.Run(*state, 0);
  const int steps[] = {9, 8, 7, 1, 0};  // along the row from column 1
  for (int x = 1; x <= 5; ++x) EXPECT_EQ(dig.To(CellIndex(x, 1)), steps[x - 1]) << x;
  EXPECT_EQ(dig.To(CellIndex(1, 3)), ai::DigDistance::kUnreachable);
}

}  // namespace
}  // namespace fl3::testing
