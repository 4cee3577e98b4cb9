#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "MatchTestKit.h"
#include "match/FigureWalk.h"

namespace fl3 {
namespace {

// One field for every case: a fire-item row to walk onto, an exploded bomb at
// (10, 5) whose fire reaches (8..12, 5) and (10, 3..7) over a doodad and an
// item, a live bomb at (3, 10), a figure out of play standing on an item at
// (20, 10) and one walking from (17, 2) toward (16, 2).
void MakeScene(GameState& state) {
  testing::MakeOpenField(state, {{0, 12, CellNothing}, {1, 12, CellDoodad}, {2, 12, CellBox1}, {3, 12, CellBox3},
                                 {4, 12, CellBlock1}, {5, 12, CellBlock2}, {6, 12, CellBlock3}, {7, 12, CellItemBomb},
                                 {8, 12, CellItemFire}, {9, 12, CellItemFire2}, {10, 12, CellFireHorizontal},
                                 {11, 12, 30}, {8, 5, CellDoodad}, {12, 5, CellItemFire}, {20, 10, CellItemFire}});
  Bomb& fire = state.Bombs.Add(10, 5, 0, 2, 100, 3);
  fire.Exploded = true;
  fire.ExplodeLeft = 8, fire.ExplodeRight = 12, fire.ExplodeUp = 3, fire.ExplodeDown = 7;
  state.Bombs.Add(3, 10, 3000, 1, 100, 3);
  testing::PlaceFigure(state, 3, 20, 10, ContOff);
  Character& walker = testing::PlaceFigure(state, 2, 17, 2);
  walker.Moving = true;
  walker.Direction = DirLeft;
}

TEST(FigureWalk, TheTargetCellDecidesTheStepAndItemsAreTakenAsItStarts) {
  const std::int32_t left = DirLeft, up = DirUp, right = DirRight, down = DirDown;
  const struct {
    std::int32_t x, y, direction, result, fireGain = 0, bombGain = 0, cellAfter = 99;  // 99: the cell stays
    bool busy = false;
  } cases[] = {
      {0, 11, down, MoveFree},       {1, 11, down, MoveFree},     {2, 11, down, MoveBox},
      {3, 11, down, MoveBox},        {4, 11, down, MoveBlock},    {5, 11, down, MoveBlock},
      {6, 11, down, MoveBlock},      {7, 11, down, MoveTookBomb, 0, 1, -1},
      {8, 11, down, MoveTookFire, 1, 0, -1},                     {9, 11, down, MoveTookDoubleFire, 2, 0, -1},
      {10, 11, down, MoveFree},      {11, 11, down, MoveFree},  // fire refuses only through its bomb
      {19, 10, right, MoveFigure, 1, 0, -1},                     // the item goes first; in play or not, it blocks
      {15, 2, right, MoveFree},      // a figure walking there still stands on its own cell
      {3, 9, down, MoveBomb},        {7, 5, right, MoveFire},    {13, 5, left, MoveFire, 1, 0, -1},
      {10, 2, down, MoveFire},       {10, 8, up, MoveFire},      {14, 5, left, MoveFree},
      {10, 1, down, MoveFree},       {8, 4, right, MoveFree},    {10, 9, up, MoveFree},
      {0, 14, left, MoveOffGrid},    {0, 14, down, MoveOffGrid}, {24, 0, right, MoveOffGrid},
      {24, 0, up, MoveOffGrid},      {OffMapPos, OffMapPos, left, MoveOffGrid},                {-1, 3, right, MoveOffGrid},
      {25, 7, left, MoveOffGrid},    {4, 15, up, MoveOffGrid},  {5, 5, up, MoveBusy, 0, 0, 99, true},
  };
  for (const auto& c : cases) {
    GameState state;
    MakeScene(state);
    Character& figure = testing::PlaceFigure(state, 0, c.x, c.y);
    figure.Moving = c.busy;
    figure.Direction = DirDown;
    std::int32_t tx = c.x, ty = c.y;
    StepFrom(c.direction, tx, ty);
    const std::int32_t cellBefore = OnMap(tx, ty) ? state.Tile(tx, ty) : 0;
    EXPECT_EQ(Move(state, 0, c.direction), c.result) << c.x << "," << c.y << " " << c.direction;
    const bool walks = c.result == MoveFree || c.result >= MoveTookFire;
    EXPECT_EQ(figure.Moving, walks || c.busy) << c.x << "," << c.y;
    EXPECT_EQ(figure.AnimTime, walks ? 250 : 0) << c.x << "," << c.y;
    // Refused or not it faces the cell, unless a step was already under way.
    EXPECT_EQ(figure.Direction, c.busy ? DirDown : c.direction) << c.x << "," << c.y;
    EXPECT_EQ((std::array{figure.X, figure.Y, figure.PowerFire, figure.PowerBombs}),
              (std::array{c.x, c.y, c.fireGain, c.bombGain})) << c.x << "," << c.y;
    if (OnMap(tx, ty)) {
      EXPECT_EQ(state.Tile(tx, ty), c.cellAfter == 99 ? cellBefore : c.cellAfter) << tx << "," << ty;
    }
  }
}

TEST(FigureWalk, AStepTakesFourFramesAndTheAnimationFollowsTheOvershootHalfToEven) {
  const struct {
    std::array<std::int32_t, 4> frameMs, animFrames;
  } cases[] = {
      {{51, 51, 51, 51}, {0, 0, 0, 0}},      // 204 ms in all: the timer never runs out
      {{375, 750, 375, 1000}, {0, 2, 2, 0}},  // 0.5 -> 0, 2 -> 2, 0.5 + 2 -> 2; the step's end resets it
      {{200, 200, 500, 51}, {0, 1, 2, 0}},    // 0.6 -> 1, then 1 + 1 from a fresh 250
      {{1250, 51, 51, 51}, {1, 1, 1, 0}},     // 4 periods over: frame 4 mod 3
  };
  for (const auto& [frameMs, animFrames] : cases) {
    GameState state;
    testing::MakeOpenField(state);
    Character& figure = testing::PlaceFigure(state, 0, 3, 5);
    ASSERT_EQ(Move(state, 0, DirRight), MoveFree);
    for (std::size_t frame = 0; frame < 4; ++frame) {
      Prepare(figure, frameMs[frame]);
      EXPECT_EQ(figure.AnimFrame, animFrames[frame]) << frameMs[0] << ", frame " << frame;
      EXPECT_EQ(figure.X, frame < 3 ? 3 : 4) << frameMs[0];
      EXPECT_EQ(figure.Moving, frame < 3) << frameMs[0];
    }
    EXPECT_EQ((std::array{figure.StepOffset, figure.AnimTime}), (std::array{0, 0}));
    Prepare(figure, 51);
    EXPECT_EQ(figure.X, 4);
  }
}

}  // namespace
}  // namespace fl3
