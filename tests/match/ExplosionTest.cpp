#include <gtest/gtest.h>

#include <array>

#include "MatchTestKit.h"
#include "match/BombLife.h"
#include "match/Explosion.h"
#include "match/Planting.h"

namespace fl3 {
namespace {

using testing::CellAt;
using testing::MakeOpenField;
using testing::PlaceFigure;
using testing::SetCell;

class Explosions : public ::testing::Test {
 protected:
  void SetUp() override { MakeOpenField(state); }
  Bomb& AddBomb(std::int32_t x, std::int32_t y, std::int32_t reach, std::int32_t owner = 0) {
    SetCell(state, x, y, CellBombFirst);
    return state.Bombs.Add(x, y, 3000, reach, 100, owner);
  }
  void ExpectExtents(const Bomb& bomb, std::int32_t left, std::int32_t up, std::int32_t right, std::int32_t down) {
    EXPECT_EQ(bomb.ExplodeLeft, left);
    EXPECT_EQ(bomb.ExplodeUp, up);
    EXPECT_EQ(bomb.ExplodeRight, right);
    EXPECT_EQ(bomb.ExplodeDown, down);
  }
  GameState state;
  FrameEvents events;
};

TEST_F(Explosions, ReachTwoLaysACrossWithCapsAndFourBeeps) {
  Bomb& bomb = AddBomb(5, 5, 2);
  Explode(state, bomb, events);
  EXPECT_TRUE(bomb.Exploded);
  EXPECT_EQ(CellAt(state, 3, 5), 22);
  EXPECT_EQ(CellAt(state, 4, 5), 18);
  EXPECT_EQ(CellAt(state, 5, 3), 23);
  EXPECT_EQ(CellAt(state, 5, 4), 19);
  EXPECT_EQ(CellAt(state, 6, 5), 18);
  EXPECT_EQ(CellAt(state, 7, 5), 20);
  EXPECT_EQ(CellAt(state, 5, 6), 19);
  EXPECT_EQ(CellAt(state, 5, 7), 21);
  EXPECT_EQ(CellAt(state, 5, 5), 24);
  EXPECT_EQ(CellAt(state, 2, 5), CellNothing);
  EXPECT_EQ(CellAt(state, 6, 6), CellNothing);
  ExpectExtents(bomb, 3, 3, 7, 7);
  EXPECT_EQ(events.beeps, 4);

  Die(state, bomb);
  for (std::int32_t i = 3; i <= 7; ++i) {
    EXPECT_EQ(CellAt(state, i, 5), CellNothing);
    EXPECT_EQ(CellAt(state, 5, i), CellNothing);
  }
}

TEST_F(Explosions, ReachZeroBurnsOnlyItsOwnCell) {
  SetCell(state, 4, 5, CellItemFire);
  Bomb& bomb = AddBomb(5, 5, 0);
  Explode(state, bomb, events);
  EXPECT_EQ(CellAt(state, 5, 5), 24);
  EXPECT_EQ(CellAt(state, 4, 5), CellItemFire);
  ExpectExtents(bomb, 5, 5, 5, 5);
  EXPECT_EQ(events.beeps, 0);
  Die(state, bomb);
  EXPECT_EQ(CellAt(state, 5, 5), CellNothing);
  EXPECT_EQ(CellAt(state, 4, 5), CellItemFire);
}

TEST_F(Explosions, ArmsEndAtTheEdgesAndEdgeBombsClearTheirInwardArm) {
  Bomb& right = AddBomb(24, 3, 3);
  Explode(state, right, events);
  ExpectExtents(right, 21, 0, 24, 6);
  EXPECT_EQ(CellAt(state, 21, 3), 22);
  EXPECT_EQ(CellAt(state, 24, 0), 23);  // the upper arm ran into the edge
  EXPECT_EQ(events.beeps, 3);
  Die(state, right);
  for (std::int32_t x = 21; x <= 24; ++x) EXPECT_EQ(CellAt(state, x, 3), CellNothing);
  for (std::int32_t y = 0; y <= 6; ++y) EXPECT_EQ(CellAt(state, 24, y), CellNothing);

  Bomb& bottom = AddBomb(10, 14, 2);
  Explode(state, bottom, events);
  ExpectExtents(bottom, 8, 12, 12, 14);
  EXPECT_EQ(CellAt(state, 10, 12), 23);
  EXPECT_EQ(CellAt(state, 10, 13), 19);
  Die(state, bottom);
  EXPECT_EQ(CellAt(state, 10, 12), CellNothing);
  EXPECT_EQ(CellAt(state, 10, 13), CellNothing);

  events.beeps = 0;
  Bomb& huge = AddBomb(5, 5, 2147483647);
  Explode(state, huge, events);
  ExpectExtents(huge, 0, 0, 24, 14);
  EXPECT_EQ(CellAt(state, 0, 5), 22);
  EXPECT_EQ(CellAt(state, 1, 5), 18);
  EXPECT_EQ(CellAt(state, 24, 5), 20);
  EXPECT_EQ(CellAt(state, 5, 0), 23);
  EXPECT_EQ(CellAt(state, 5, 14), 21);
  EXPECT_EQ(events.beeps, 4);
}

TEST_F(Explosions, BlocksAndBoxesStopTheArmOnTheCellBefore) {
  SetCell(state, 7, 5, CellBox2);
  state.Item(7, 5) = ItemFire;
  SetCell(state, 5, 3, CellBox1);  // hides nothing
  SetCell(state, 4, 5, CellBlock3);
  Bomb& bomb = AddBomb(5, 5, 3);
  Explode(state, bomb, events);
  EXPECT_EQ(CellAt(state, 6, 5), 20);  // right cap in front of the box
  EXPECT_EQ(CellAt(state, 7, 5), CellItemFire);
  EXPECT_EQ(CellAt(state, 8, 5), CellNothing);  // the fire went no further
  EXPECT_EQ(CellAt(state, 5, 4), 23);
  EXPECT_EQ(CellAt(state, 5, 3), CellDoodad);
  EXPECT_EQ(CellAt(state, 4, 5), CellBlock3);
  // The left cap went onto the bomb's own cell and the centre replaced it.
  EXPECT_EQ(CellAt(state, 5, 5), 24);
  ExpectExtents(bomb, 5, 4, 6, 8);
  EXPECT_EQ(events.beeps, 1);  // only the lower arm ends in open fire
  EXPECT_EQ(CellAt(state, 5, 8), 21);
}

TEST_F(Explosions, BoxesHidingOtherCodes) {
  EXPECT_EQ(BurntBoxCode(state, CellBox1, ItemBomb), CellItemBomb);
  EXPECT_EQ(BurntBoxCode(state, CellBox2, ItemFire2), CellItemFire2);
  EXPECT_EQ(BurntBoxCode(state, CellBox3, ItemNone), CellDoodad);
  EXPECT_EQ(BurntBoxCode(state, CellBox3, -7), CellBox3);
  EXPECT_EQ(state.Random.State(), RandomSource{}.State());
}

TEST_F(Explosions, RandomItemsAreDrawnInArmOrder) {
  // The first four values of the shared source give 71, 54, 58 and 30.
  const std::pair<std::int32_t, std::int32_t> boxes[] = {{11, 7}, {12, 6}, {13, 7}, {12, 8}};
  for (const auto& [x, y] : boxes) {
    SetCell(state, x, y, CellBox1);
    state.Item(x, y) = ItemRandom;
  }
  Bomb& bomb = AddBomb(12, 7, 1);
  Explode(state, bomb, events);
  EXPECT_EQ(CellAt(state, 11, 7), CellItemFire);
  EXPECT_EQ(CellAt(state, 12, 6), CellItemFire);
  EXPECT_EQ(CellAt(state, 13, 7), CellItemFire);
  EXPECT_EQ(CellAt(state, 12, 8), CellItemBomb);

  // Values 5 to 15 are passed over; the 16th gives 96.
  for (int i = 0; i < 11; ++i) state.Random.Next();
  SetCell(state, 20, 7, CellBox3);
  state.Item(20, 7) = ItemRandom;
  Bomb& second = AddBomb(19, 7, 1);
  Explode(state, second, events);
  EXPECT_EQ(CellAt(state, 20, 7), CellItemFire2);
}

TEST_F(Explosions, OtherBombsStopTheArmAndHaveTheirFuseCut) {
  Bomb& target = AddBomb(8, 5, 2, 1);
  target.ExplodeTimeLeft = 1000;
  Bomb& shown = AddBomb(5, 8, 2, 1);
  shown.Exploded = true;
  shown.ExplodeTimeLeft = -10;
  SetCell(state, 5, 8, CellFireCentre);
  Bomb& onBox = AddBomb(2, 5, 2, 1);
  onBox.ExplodeTimeLeft = 1002;
  SetCell(state, 2, 5, CellBox2);  // a bomb's code can pass through a box code
  state.Item(2, 5) = ItemFire;

  Bomb& bomb = AddBomb(5, 5, 3);
  Explode(state, bomb, events);
  EXPECT_EQ(target.ExplodeTimeLeft, 250);
  EXPECT_EQ(shown.ExplodeTimeLeft, -2);  // -2.5 goes to -2
  EXPECT_EQ(onBox.ExplodeTimeLeft, 250);  // 250.5 goes to 250
  EXPECT_EQ(CellAt(state, 2, 5), CellBox2);  // the bomb was found first
  EXPECT_EQ(CellAt(state, 7, 5), 20);
  EXPECT_EQ(CellAt(state, 5, 7), 21);
  EXPECT_EQ(CellAt(state, 3, 5), 22);
  ExpectExtents(bomb, 3, 2, 7, 7);
  EXPECT_EQ(events.beeps, 1);

  // Cut again: 250 -> 62.5 -> 62.
  Explode(state, bomb, events);
  EXPECT_EQ(target.ExplodeTimeLeft, 62);
}

TEST_F(Explosions, FiguresStopTheArmAndShieldThoseBehindButTheEdgeRuleComesFirst) {
  state.MatchKind = MatchNormal;
  Character& near = PlaceFigure(state, 1, 6, 5);
  Character& far = PlaceFigure(state, 2, 7, 5);
  Character& onBomb = PlaceFigure(state, 0, 5, 5);
  Character& alsoOnBomb = PlaceFigure(state, 3, 5, 5);
  Bomb& bomb = AddBomb(5, 5, 3);
  Explode(state, bomb, events);
  EXPECT_EQ(near.Lives, 2);
  EXPECT_EQ(far.Lives, 3);
  EXPECT_EQ(onBomb.Lives, 2);
  EXPECT_EQ(alsoOnBomb.Lives, 2);
  EXPECT_EQ(CellAt(state, 6, 5), 20);
  EXPECT_EQ(CellAt(state, 7, 5), CellNothing);
  EXPECT_EQ(bomb.ExplodeRight, 6);
  EXPECT_EQ(events.beeps, 4);

  // A figure on the outermost cell in the arm's direction is not hurt.
  MakeOpenField(state);
  Character& atEdge = PlaceFigure(state, 1, 0, 5);
  Bomb& second = AddBomb(2, 5, 4);
  Explode(state, second, events);
  EXPECT_EQ(atEdge.Lives, 3);
  EXPECT_EQ(CellAt(state, 0, 5), 22);
  EXPECT_EQ(second.ExplodeLeft, 0);
}

TEST_F(Explosions, FireCoversItemsAndFireButPassesOverUnknownCodes) {
  SetCell(state, 4, 5, CellItemBomb);
  SetCell(state, 5, 4, CellFireHorizontal);
  SetCell(state, 6, 5, 30);   // no such code: left as it is
  SetCell(state, 7, 5, CellNothing);
  SetCell(state, 5, 6, CellNothing);
  SetCell(state, 5, 7, -4);   // last cell of the lower arm
  Bomb& bomb = AddBomb(5, 5, 2);
  Explode(state, bomb, events);
  EXPECT_EQ(CellAt(state, 4, 5), 18);
  EXPECT_EQ(CellAt(state, 5, 4), 19);
  EXPECT_EQ(CellAt(state, 6, 5), 30);
  EXPECT_EQ(CellAt(state, 7, 5), 20);
  EXPECT_EQ(CellAt(state, 5, 6), 19);
  EXPECT_EQ(CellAt(state, 5, 7), -4);
  // An arm that never ended keeps its extent on the bomb's own cell.
  ExpectExtents(bomb, 3, 3, 7, 5);
  EXPECT_EQ(events.beeps, 3);
}

TEST_F(Explosions, PlantingHonoursTheCellAndTheBombCount) {
  Character& figure = PlaceFigure(state, 2, 5, 5);
  figure.PowerFire = 4;
  EXPECT_FALSE(PlantBomb(state, 2));
  ASSERT_EQ(state.Bombs.Count(), 1);
  const Bomb& bomb = state.Bombs.Item(1);
  // Place, fuse, reach, fire time, owner.
  EXPECT_EQ((std::array{bomb.X, bomb.Y, bomb.ExplodeTimeLeft, bomb.ExplodeLevel, bomb.ExplodeDuration, bomb.Owner}),
            (std::array{5, 5, 3000, 4, 100, 2}));
  EXPECT_FALSE(bomb.Exploded);
  EXPECT_EQ(CellAt(state, 5, 5), CellBombFirst);

  // One bomb with PowerBombs 0, also while its fire still shows.
  figure.X = 6;
  state.Bombs.Item(1).Exploded = true;
  PlantBomb(state, 2);
  EXPECT_EQ(state.Bombs.Count(), 1);
  figure.PowerBombs = 1;
  figure.PowerFire = 9;
  PlantBomb(state, 2);
  EXPECT_EQ(state.Bombs.Count(), 2);
  EXPECT_EQ(state.Bombs.Item(1).ExplodeLevel, 4);  // later fire does not reach old bombs

  // Anything above 0 under the figure stops it; -1 and 0 do not.
  figure.PowerBombs = 10;
  for (const std::int32_t code : {1, 4, 7, 9, 19}) {
    SetCell(state, 8, 8, code);
    figure.X = 8;
    figure.Y = 8;
    PlantBomb(state, 2);
    EXPECT_EQ(state.Bombs.Count(), 2) << code;
  }
  SetCell(state, 8, 8, CellDoodad);
  PlantBomb(state, 2);
  EXPECT_EQ(state.Bombs.Count(), 3);
}

}  // namespace
}  // namespace fl3
