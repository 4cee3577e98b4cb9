#include <gtest/gtest.h>

#include "EditorTestBench.h"
#include "core/Messages.h"
#include "editor/model/CanvasCell.h"

namespace fl3 {
namespace {

using testing::EditorTestBench;

TEST(CanvasCell, OddMultiplesOf16BelongToTheCellBeforeAndPointsOffTheCanvasToCellsOffTheMap) {
  const std::pair<int, int> cells[] = {
      {15, 0}, {16, 0}, {17, 1}, {31, 1}, {32, 2}, {48, 2}, {49, 3}, {399, 24}, {239, 14},
      {0, 0},     // -0.5 goes to the even 0
      {-1, -1},   // -0.5625
      {-24, -2},  // -2.0
      {400, 24},  // 24.5 goes to the even 24
      {401, 25},
  };
  for (const auto& [pixel, cell] : cells) EXPECT_EQ(CanvasCell(pixel), cell) << pixel;
}

TEST(CanvasMouse, MovingHidesThePointerOnceAndPaintsOnlyWithTheLeftButtonInDotMode) {
  EditorTestBench bench;
  bench.editor.SelectedTool = Tool::Block2;

  bench.editor.MoveOnCanvas(100.5, 41.5, 0);
  EXPECT_EQ(bench.pointerSwitches, std::vector<bool>({false}));
  EXPECT_TRUE(bench.editor.PointerHidden);
  EXPECT_EQ(bench.editor.MouseX, 100);  // halves to even
  EXPECT_EQ(bench.editor.MouseY, 42);
  EXPECT_EQ(bench.editor.CellX, 6);  // (100.5 - 8) / 16 = 5.78
  EXPECT_EQ(bench.editor.CellY, 2);  // 2.09
  EXPECT_EQ(bench.Tile(6, 2), CellDoodad);

  bench.editor.MoveOnCanvas(20, 20, kLeftButton);
  bench.editor.MoveOnCanvas(70, 20, kLeftButton);
  bench.editor.MoveOnCanvas(90, 20, kLeftButton + kMiddleButton);
  EXPECT_EQ(bench.pointerSwitches.size(), 1u);
  EXPECT_EQ(bench.Tile(1, 1), CellBlock2);
  EXPECT_EQ(bench.Tile(4, 1), CellBlock2);
  // A fast stroke leaves the cells between the movement events alone.
  EXPECT_EQ(bench.Tile(2, 1), CellDoodad);
  EXPECT_EQ(bench.Tile(3, 1), CellDoodad);
  EXPECT_EQ(bench.Tile(5, 1), CellDoodad);

  bench.editor.Mode = DrawMode::Rectangle;
  bench.editor.MoveOnCanvas(150, 150, kLeftButton);
  EXPECT_EQ(bench.Tile(9, 9), CellDoodad);
}

// Notes the current cell at each message: with random item and no box the
// tool is refused once for every cell it is applied to.
class CellNotingMessages : public Messages {
 public:
  MessageAnswer Show(const std::string&, const std::string&, MessageIcon, MessageButtons) override {
    cells.emplace_back(editor->CellX, editor->CellY);
    return MessageAnswer::Ok;
  }
  const EditorModel* editor = nullptr;
  std::vector<std::pair<int, int>> cells;
};

TEST(CanvasMouse, RectangleFromTwoThreeToZeroOnePaintsNineCellsInWalkOrder) {
  GameState state;
  CellNotingMessages notes;
  EditorModel editor(state, notes, [](bool) {});
  notes.editor = &editor;
  editor.Mode = DrawMode::Rectangle;
  editor.SelectedTool = Tool::UseItem;
  editor.SelectedBox = BoxKind::None;
  editor.SelectedItem = ItemKind::Random;

  // Cell (2, 3) is pixels 32..47 x 48..63; cell (0, 1) 0..15 x 16..31.
  editor.PressOnCanvas(40, 56, kLeftButton);
  editor.MoveOnCanvas(20, 30, kLeftButton);
  EXPECT_TRUE(editor.ReleaseOnCanvas(8, 24, kLeftButton));
  // The press cell, then x = 2, 1, 0 by y = 3, 2, 1: the press cell twice.
  const std::vector<std::pair<int, int>> walk = {{2, 3}, {2, 3}, {2, 2}, {2, 1}, {1, 3},
                                                 {1, 2}, {1, 1}, {0, 3}, {0, 2}, {0, 1}};
  EXPECT_EQ(notes.cells, walk);
  EXPECT_EQ(editor.CellX, 0);
  EXPECT_EQ(editor.CellY, 1);
}

TEST(CanvasMouse, RectangleWithAPositionToolEndsOnTheLastCellInsideTheMap) {
  EditorTestBench bench;
  bench.editor.Mode = DrawMode::Rectangle;
  bench.editor.SelectedTool = Tool::PositionPlayer2;

  bench.editor.PressOnCanvas(40, 56, kLeftButton);  // (2, 3)
  bench.editor.ReleaseOnCanvas(8, 24, kLeftButton);  // (0, 1)
  EXPECT_EQ(bench.state.Characters[1].X, 0);
  EXPECT_EQ(bench.state.Characters[1].Y, 1);

  // Released past the bottom right corner, at cell (26, 16): the walk goes
  // x = 23..26 by y = 13..16, and its last cell on the map is (24, 14).
  bench.editor.PressOnCanvas(375, 215, kLeftButton);  // (23, 13)
  bench.editor.ReleaseOnCanvas(430, 270, kLeftButton);
  EXPECT_EQ(bench.state.Characters[1].X, 24);
  EXPECT_EQ(bench.state.Characters[1].Y, 14);
  EXPECT_EQ(bench.editor.CellX, 26);
  EXPECT_EQ(bench.editor.CellY, 16);

  // Released past the top left: from (1, 1) to (-2, -3); the last cell of
  // the walk on the map is (0, 0).
  bench.editor.PressOnCanvas(24, 24, kLeftButton);
  bench.editor.ReleaseOnCanvas(-24, -40, kLeftButton);
  EXPECT_EQ(bench.state.Characters[1].X, 0);
  EXPECT_EQ(bench.state.Characters[1].Y, 0);
}

TEST(CanvasMouse, RectangleIsCutAtTheEdgeOfTheMap) {
  EditorTestBench bench;
  bench.editor.Mode = DrawMode::Rectangle;
  bench.editor.SelectedTool = Tool::Block1;
  bench.editor.PressOnCanvas(390, 10, kLeftButton);     // (24, 0)
  bench.editor.ReleaseOnCanvas(5000, 40, kLeftButton);  // far to the right, row 2
  int painted = 0;
  for (const std::int32_t tile : bench.state.TileMap) painted += tile == CellBlock1 ? 1 : 0;
  EXPECT_EQ(painted, 3);
  EXPECT_EQ(bench.Tile(24, 2), CellBlock1);
}

TEST(CanvasMouse, OtherButtonsAndReleasesInDotModePaintNothing) {
  EditorTestBench bench;
  bench.editor.SelectedTool = Tool::Block1;
  EXPECT_FALSE(bench.editor.PressOnCanvas(40, 40, kRightButton));
  EXPECT_FALSE(bench.editor.PressOnCanvas(40, 40, kLeftButton + kRightButton));
  EXPECT_FALSE(bench.editor.FileChanged);

  bench.editor.Mode = DrawMode::Rectangle;
  bench.editor.PressOnCanvas(8, 8, kLeftButton);
  bench.state.Tile(0, 0) = CellDoodad;
  EXPECT_FALSE(bench.editor.ReleaseOnCanvas(100, 100, kRightButton));
  bench.editor.Mode = DrawMode::Dot;
  EXPECT_FALSE(bench.editor.ReleaseOnCanvas(100, 100, kLeftButton));
  for (const std::int32_t tile : bench.state.TileMap) ASSERT_EQ(tile, CellDoodad);
}

TEST(PointerTimer, HidesThePointerExactlyWhileItIsInsideTheCanvas) {
  EditorTestBench bench;
  bench.editor.PointerTick(false);
  EXPECT_TRUE(bench.pointerSwitches.empty());
  bench.editor.PointerTick(true);
  bench.editor.PointerTick(true);
  EXPECT_TRUE(bench.editor.PointerHidden);
  bench.editor.PointerTick(false);
  EXPECT_FALSE(bench.editor.PointerHidden);
  EXPECT_FALSE(bench.editor.TickRunning);
  EXPECT_EQ(bench.pointerSwitches, std::vector<bool>({false, true}));
}

}  // namespace
}  // namespace fl3
