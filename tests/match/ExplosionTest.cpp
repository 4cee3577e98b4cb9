#include <gtest/gtest.h>

#include <array>

#include "MatchTestKit.h"
#include "match/BombLife.h"
#include "match/Explosion.h"
#include "match/Planting.h"

namespace fl3 {
namespace {

using testing::CellAt;
using testing::Codes;
using testing::Column;
using testing::MakeOpenField;
using testing::PlaceFigure;
using testing::Row;
using testing::SetCell;
using Extents = std::array<std::int32_t, 4>;

// Left, up, right, down.
Extents ExtentsOf(const Bomb& bomb) { return {bomb.ExplodeLeft, bomb.ExplodeUp, bomb.ExplodeRight, bomb.ExplodeDown}; }

class Explosions : public ::testing::Test {
 protected:
  void SetUp() override { MakeOpenField(state); }
  Bomb& AddBomb(std::int32_t x, std::int32_t y, std::int32_t reach, std::int32_t owner = 0) {
    SetCell(state, x, y, CellBombFirst);
    return state.Bombs.Add(x, y, 3000, reach, 100, owner);
  }
  GameState state;
  FrameEvents events;
};

TEST_F(Explosions, ReachTwoLaysACrossWithCapsAndFourBeepsAndReachZeroOnlyItsCell) {
  Bomb& bomb = AddBomb(5, 5, 2);
  Explode(state, bomb, events);
  EXPECT_TRUE(bomb.Exploded);
  EXPECT_EQ(Row(state, 5, 2, 8), (Codes{-1, 22, 18, 24, 18, 20, -1}));
  EXPECT_EQ(Column(state, 5, 2, 8), (Codes{-1, 23, 19, 24, 19, 21, -1}));
  EXPECT_EQ(CellAt(state, 6, 6), CellNothing);
  EXPECT_EQ(ExtentsOf(bomb), (Extents{3, 3, 7, 7}));
  EXPECT_EQ(events.beeps, 4);
  Die(state, bomb);
  EXPECT_EQ(Row(state, 5, 3, 7), Codes(5, CellNothing));
  EXPECT_EQ(Column(state, 5, 3, 7), Codes(5, CellNothing));

  events.beeps = 0;
  SetCell(state, 11, 5, CellItemFire);
  Bomb& zero = AddBomb(12, 5, 0);
  Explode(state, zero, events);
  EXPECT_EQ(Row(state, 5, 11, 13), (Codes{CellItemFire, 24, -1}));
  EXPECT_EQ(ExtentsOf(zero), (Extents{12, 5, 12, 5}));
  EXPECT_EQ(events.beeps, 0);
  Die(state, zero);
  EXPECT_EQ(Row(state, 5, 11, 13), (Codes{CellItemFire, -1, -1}));
}

TEST_F(Explosions, ArmsEndAtTheEdgesAndEdgeBombsClearTheirInwardArm) {
  Bomb& right = AddBomb(24, 3, 3);
  Explode(state, right, events);
  EXPECT_EQ(Row(state, 3, 21, 24), (Codes{22, 18, 18, 24}));
  EXPECT_EQ(Column(state, 24, 0, 6), (Codes{23, 19, 19, 24, 19, 19, 21}));  // the upper arm ran into the edge
  EXPECT_EQ(ExtentsOf(right), (Extents{21, 0, 24, 6}));
  EXPECT_EQ(events.beeps, 3);
  Die(state, right);
  EXPECT_EQ(Row(state, 3, 21, 24), Codes(4, CellNothing));
  EXPECT_EQ(Column(state, 24, 0, 6), Codes(7, CellNothing));

  Bomb& bottom = AddBomb(10, 14, 2);
  Explode(state, bottom, events);
  EXPECT_EQ(Column(state, 10, 12, 14), (Codes{23, 19, 24}));
  EXPECT_EQ(ExtentsOf(bottom), (Extents{8, 12, 12, 14}));
  Die(state, bottom);
  EXPECT_EQ(Column(state, 10, 12, 14), Codes(3, CellNothing));

  events.beeps = 0;
  Bomb& huge = AddBomb(5, 5, 2147483647);
  Explode(state, huge, events);
  EXPECT_EQ(ExtentsOf(huge), (Extents{0, 0, 24, 14}));
  EXPECT_EQ(Row(state, 5, 0, 1), (Codes{22, 18}));
  EXPECT_EQ(Row(state, 5, 23, 24), (Codes{18, 20}));
  EXPECT_EQ(Column(state, 5, 0, 0), (Codes{23}));
  EXPECT_EQ(Column(state, 5, 14, 14), (Codes{21}));
  EXPECT_EQ(events.beeps, 4);
}

TEST_F(Explosions, BlocksAndBoxesStopTheArmOnTheCellBeforeAndBoxesShowWhatTheyHide) {
  SetCell(state, 7, 5, CellBox2);
  state.Item(7, 5) = ItemFire;
  SetCell(state, 5, 3, CellBox1);  // hides nothing
  SetCell(state, 4, 5, CellBlock3);
  Bomb& bomb = AddBomb(5, 5, 3);
  Explode(state, bomb, events);
  // The left cap went onto the bomb's own cell and the centre replaced it.
  EXPECT_EQ(Row(state, 5, 4, 8), (Codes{CellBlock3, 24, 20, CellItemFire, -1}));
  EXPECT_EQ(Column(state, 5, 3, 8), (Codes{CellDoodad, 23, 24, 19, 19, 21}));
  EXPECT_EQ(ExtentsOf(bomb), (Extents{5, 4, 6, 8}));
  EXPECT_EQ(events.beeps, 1);  // only the lower arm ends in open fire

  EXPECT_EQ(BurntBoxCode(state, CellBox1, ItemBomb), CellItemBomb);
  EXPECT_EQ(BurntBoxCode(state, CellBox2, ItemFire2), CellItemFire2);
  EXPECT_EQ(BurntBoxCode(state, CellBox3, -7), CellBox3);
  EXPECT_EQ(state.Random.State(), RandomSource{}.State());  // nothing drawn
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
  EXPECT_EQ(Row(state, 7, 11, 13), (Codes{CellItemFire, 24, CellItemFire}));
  EXPECT_EQ(Column(state, 12, 6, 8), (Codes{CellItemFire, 24, CellItemBomb}));

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
  EXPECT_EQ(shown.ExplodeTimeLeft, -2);   // -2.5 goes to -2
  EXPECT_EQ(onBox.ExplodeTimeLeft, 250);  // 250.5 goes to 250
  // The bomb on the box was found first, so the box stands.
  EXPECT_EQ(Row(state, 5, 2, 8), (Codes{CellBox2, 22, 18, 24, 18, 20, CellBombFirst}));
  EXPECT_EQ(Column(state, 5, 2, 8), (Codes{23, 19, 19, 24, 19, 21, CellFireCentre}));
  EXPECT_EQ(ExtentsOf(bomb), (Extents{3, 2, 7, 7}));
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
  EXPECT_EQ((std::array{onBomb.Lives, near.Lives, far.Lives, alsoOnBomb.Lives}), (std::array{2, 2, 3, 2}));
  EXPECT_EQ(Row(state, 5, 6, 7), (Codes{20, CellNothing}));
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
  SetCell(state, 6, 5, 30);  // no such code: left as it is
  SetCell(state, 5, 7, -4);  // last cell of the lower arm
  Bomb& bomb = AddBomb(5, 5, 2);
  Explode(state, bomb, events);
  EXPECT_EQ(Row(state, 5, 4, 7), (Codes{18, 24, 30, 20}));
  EXPECT_EQ(Column(state, 5, 4, 7), (Codes{19, 24, 19, -4}));
  // An arm that never ended keeps its extent on the bomb's own cell.
  EXPECT_EQ(ExtentsOf(bomb), (Extents{3, 3, 7, 5}));
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
  figure.X = 8;
  figure.Y = 8;
  for (const std::int32_t code : {1, 4, 7, 9, 19}) {
    SetCell(state, 8, 8, code);
    PlantBomb(state, 2);
    EXPECT_EQ(state.Bombs.Count(), 2) << code;
  }
  SetCell(state, 8, 8, CellDoodad);
  PlantBomb(state, 2);
  EXPECT_EQ(state.Bombs.Count(), 3);
}

}  // namespace
}  // namespace fl3
