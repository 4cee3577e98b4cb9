#include <gtest/gtest.h>

#include "MatchTestKit.h"
#include "match/FigureWalk.h"
#include "match/Planting.h"

namespace fl3 {
namespace {

using testing::CellAt;
using testing::MakeOpenField;
using testing::PlaceFigure;
using testing::SetCell;

class FigureWalk : public ::testing::Test {
 protected:
  void SetUp() override { MakeOpenField(state); }
  Character& Figure(int i) { return state.Characters[static_cast<std::size_t>(i)]; }
  GameState state;
};

TEST_F(FigureWalk, TheTargetCellDecidesTheResultAndItemsAreTakenAsTheStepStarts) {
  const struct {
    std::int32_t cell, result, fireGain, bombGain, cellAfter;
  } cases[] = {
      {CellNothing, MoveFree, 0, 0, CellNothing},
      {CellDoodad, MoveFree, 0, 0, CellDoodad},
      {CellBox1, MoveBox, 0, 0, CellBox1},
      {CellBox3, MoveBox, 0, 0, CellBox3},
      {CellBlock1, MoveBlock, 0, 0, CellBlock1},
      {CellBlock2, MoveBlock, 0, 0, CellBlock2},
      {CellBlock3, MoveBlock, 0, 0, CellBlock3},
      {CellItemBomb, MoveTookBomb, 0, 1, CellNothing},
      {CellItemFire, MoveTookFire, 1, 0, CellNothing},
      {CellItemFire2, MoveTookDoubleFire, 2, 0, CellNothing},
      // Fire codes refuse only through the bomb that laid them.
      {CellFireHorizontal, MoveFree, 0, 0, CellFireHorizontal},
      {30, MoveFree, 0, 0, 30},
  };
  for (const auto& c : cases) {
    MakeOpenField(state);
    Character& figure = PlaceFigure(state, 0, 5, 5);
    figure.PowerFire = 2;
    figure.PowerBombs = 1;
    SetCell(state, 6, 5, c.cell);
    EXPECT_EQ(Move(state, 0, DirRight), c.result) << c.cell;
    const bool walks = c.result == MoveFree || c.result >= MoveTookFire;
    EXPECT_EQ(figure.Moving, walks) << c.cell;
    EXPECT_EQ(figure.AnimTime, walks ? 250 : 0) << c.cell;
    EXPECT_EQ(figure.Direction, DirRight) << c.cell;  // refused or not, it faces the cell
    EXPECT_EQ(figure.X, 5);                           // still on its old cell
    EXPECT_EQ(figure.PowerFire, 2 + c.fireGain) << c.cell;
    EXPECT_EQ(figure.PowerBombs, 1 + c.bombGain) << c.cell;
    EXPECT_EQ(CellAt(state, 6, 5), c.cellAfter) << c.cell;
  }
}

TEST_F(FigureWalk, FiguresBombsAndFireRefuseAfterTheItemIsTaken) {
  PlaceFigure(state, 0, 5, 5);
  PlaceFigure(state, 3, 6, 5, ContOff);  // in play or not, a figure blocks
  SetCell(state, 6, 5, CellItemFire);
  EXPECT_EQ(Move(state, 0, DirRight), MoveFigure);
  EXPECT_EQ(Figure(0).PowerFire, 1);
  EXPECT_EQ(CellAt(state, 6, 5), CellNothing);
  state.Bombs.Add(5, 4, 3000, 1, 100, 1);
  EXPECT_EQ(Move(state, 0, DirUp), MoveBomb);
  EXPECT_FALSE(Figure(0).Moving);

  MakeOpenField(state);
  PlaceFigure(state, 0, 3, 5);
  PlaceFigure(state, 1, 5, 2);
  PlaceFigure(state, 2, 9, 5);
  Bomb& bomb = state.Bombs.Add(6, 5, 3000, 2, 100, 3);
  bomb.Exploded = true;
  bomb.ExplodeLeft = 4;
  bomb.ExplodeRight = 8;
  bomb.ExplodeUp = 3;
  bomb.ExplodeDown = 7;
  // The fire drawn over a doodad or an item still refuses.
  SetCell(state, 4, 5, CellDoodad);
  SetCell(state, 8, 5, CellItemFire);
  EXPECT_EQ(Move(state, 0, DirRight), MoveFire);
  EXPECT_EQ(Move(state, 2, DirLeft), MoveFire);
  EXPECT_EQ(Figure(2).PowerFire, 1);             // the item went first
  EXPECT_EQ(Move(state, 1, DirDown), MoveFree);  // (5, 3) is off the bomb's column
  state.Bombs.Clear();
  EXPECT_EQ(Move(state, 0, DirRight), MoveFree);
}

TEST_F(FigureWalk, EdgesRefuseAndTurnButABusyFigureKeepsItsWay) {
  PlaceFigure(state, 0, 0, 14);
  EXPECT_EQ(Move(state, 0, DirLeft), MoveOffGrid);
  EXPECT_EQ(Figure(0).Direction, DirLeft);
  EXPECT_EQ(Move(state, 0, DirDown), MoveOffGrid);
  EXPECT_EQ(Figure(0).Direction, DirDown);
  EXPECT_EQ(Move(state, 0, DirRight), MoveFree);
  EXPECT_EQ(Move(state, 0, DirUp), MoveBusy);
  EXPECT_EQ(Figure(0).Direction, DirRight);

  PlaceFigure(state, 1, 24, 0);
  EXPECT_EQ(Move(state, 1, DirRight), MoveOffGrid);
  EXPECT_EQ(Move(state, 1, DirUp), MoveOffGrid);
}

TEST_F(FigureWalk, StepsLastFourFramesWhateverTheFrameTime) {
  Character& figure = PlaceFigure(state, 0, 3, 5);
  ASSERT_EQ(Move(state, 0, DirRight), MoveFree);
  const std::int32_t animTimes[] = {199, 148, 97};
  for (int frame = 0; frame < 3; ++frame) {
    Prepare(figure, 51);
    EXPECT_EQ(figure.StepOffset, 8 * (frame + 1));
    EXPECT_EQ(figure.AnimTime, animTimes[frame]);
    EXPECT_EQ(figure.AnimFrame, 0);
    EXPECT_EQ(figure.X, 3);
  }
  Prepare(figure, 51);  // 204 ms in all
  EXPECT_FALSE(figure.Moving);
  EXPECT_EQ(figure.X, 4);
  EXPECT_EQ(figure.StepOffset, 0);
  EXPECT_EQ(figure.AnimTime, 0);
  Prepare(figure, 51);
  EXPECT_EQ(figure.X, 4);

  // Frames of 200 ms: still four frames, 8 pixels each.
  ASSERT_EQ(Move(state, 0, DirRight), MoveFree);
  for (int frame = 0; frame < 3; ++frame) Prepare(figure, 200);
  EXPECT_EQ(figure.StepOffset, 24);
  EXPECT_EQ(figure.X, 4);
  Prepare(figure, 200);
  EXPECT_EQ(figure.X, 5);
  EXPECT_FALSE(figure.Moving);
}

TEST_F(FigureWalk, AnimationFrameFollowsTheOvershootRoundedHalfToEven) {
  Character& figure = PlaceFigure(state, 0, 5, 5);
  ASSERT_EQ(Move(state, 0, DirUp), MoveFree);
  Prepare(figure, 375);  // |-125| / 250 = 0.5 -> 0
  EXPECT_EQ(figure.AnimFrame, 0);
  EXPECT_EQ(figure.AnimTime, 250);
  Prepare(figure, 750);  // 500 / 250 = 2
  EXPECT_EQ(figure.AnimFrame, 2);
  Prepare(figure, 375);  // 0.5 + 2 = 2.5 -> 2
  EXPECT_EQ(figure.AnimFrame, 2);
  Prepare(figure, 1000);  // 750 / 250 + 2 = 5 -> 2, then the step ends
  EXPECT_EQ(figure.AnimFrame, 0);
  EXPECT_EQ(figure.Y, 4);

  ASSERT_EQ(Move(state, 0, DirLeft), MoveFree);
  Prepare(figure, 200);
  Prepare(figure, 200);  // -150 -> 0.6 -> 1
  EXPECT_EQ(figure.AnimFrame, 1);
  Prepare(figure, 500);  // 250 / 250 + 1 = 2
  EXPECT_EQ(figure.AnimFrame, 2);
}

TEST_F(FigureWalk, TwoFiguresMayStepOntoTheSameFreeCell) {
  Character& left = PlaceFigure(state, 0, 4, 5);
  Character& right = PlaceFigure(state, 1, 6, 5);
  EXPECT_EQ(Move(state, 0, DirRight), MoveFree);
  EXPECT_EQ(Move(state, 1, DirLeft), MoveFree);
  for (int frame = 0; frame < 4; ++frame) {
    Prepare(left, 51);
    Prepare(right, 51);
  }
  EXPECT_EQ(left.X, 5);
  EXPECT_EQ(right.X, 5);
  EXPECT_EQ(Move(state, 0, DirRight), MoveFree);
}

TEST_F(FigureWalk, AFigureOffTheGridNeitherWalksNorPlants) {
  for (const auto& [x, y] : {std::pair{OffMapPos, OffMapPos}, std::pair{-1, 3}, std::pair{25, 7}, std::pair{4, 15}}) {
    MakeOpenField(state);
    Character& figure = PlaceFigure(state, 0, x, y);
    figure.PowerBombs = 3;
    for (const std::int32_t direction : {DirLeft, DirUp, DirRight, DirDown}) {
      EXPECT_EQ(Move(state, 0, direction), MoveOffGrid);
      EXPECT_EQ(figure.Direction, direction);
      EXPECT_FALSE(figure.Moving);
    }
    EXPECT_FALSE(PlantBomb(state, 0));
    EXPECT_EQ(state.Bombs.Count(), 0);
    Prepare(figure, 51);
    EXPECT_EQ(figure.X, x);
    EXPECT_EQ(figure.Y, y);
  }
}

}  // namespace
}  // namespace fl3
