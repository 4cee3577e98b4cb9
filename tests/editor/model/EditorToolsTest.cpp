#include <gtest/gtest.h>

#include "EditorTestBench.h"
#include "editor/model/EditorMessages.h"

namespace fl3 {
namespace {

using testing::EditorTestBench;

TEST(EditorTools, FreshEditorHasTheDefaultChoicesAndPaintsNothingFirst) {
  EditorTestBench bench;
  EXPECT_EQ(bench.editor.SelectedTool, Tool::Nothing);
  EXPECT_EQ(bench.editor.SelectedBox, BoxKind::Box1);
  EXPECT_EQ(bench.editor.SelectedItem, ItemKind::Bomb);
  EXPECT_EQ(bench.editor.Mode, DrawMode::Dot);
  EXPECT_FALSE(bench.editor.FileChanged);
  EXPECT_EQ(bench.editor.TileSetNumber, 0);
  EXPECT_EQ(bench.editor.BackgroundNumber, 0);

  bench.ApplyAt(3, 2);
  EXPECT_EQ(bench.Tile(3, 2), CellNothing);
  EXPECT_TRUE(bench.editor.FileChanged);
}

TEST(EditorTools, EachToolWritesItsCodesIntoBothGrids) {
  const struct {
    Tool tool;
    BoxKind box;
    ItemKind item;
    std::int32_t tile, itemCode;
  } rows[] = {
      // Environment tools clear the item; the kinds do not count for them.
      {Tool::Nothing, BoxKind::Box3, ItemKind::Fire, -1, 0},
      {Tool::Doodad, BoxKind::Box1, ItemKind::Bomb, 0, 0},
      {Tool::Block1, BoxKind::Box1, ItemKind::Bomb, 4, 0},
      {Tool::Block2, BoxKind::Box1, ItemKind::Bomb, 5, 0},
      {Tool::Block3, BoxKind::Box1, ItemKind::Bomb, 6, 0},
      {Tool::UseItem, BoxKind::Box3, ItemKind::Empty, 3, 0},
      {Tool::UseItem, BoxKind::None, ItemKind::Bomb, -1, 1},
      {Tool::UseItem, BoxKind::Box1, ItemKind::Fire, 1, 2},
      {Tool::UseItem, BoxKind::Box2, ItemKind::Fire2, 2, 3},
      {Tool::UseItem, BoxKind::Box2, ItemKind::Random, 2, -1},
  };
  for (const auto& row : rows) {
    EditorTestBench bench;
    bench.state.Tile(5, 6) = CellBox2;
    bench.state.Item(5, 6) = ItemRandom;
    bench.editor.SelectedTool = row.tool;
    bench.editor.SelectedBox = row.box;
    bench.editor.SelectedItem = row.item;
    bench.ApplyAt(5, 6);
    // Index 25 * 6 + 5 = 155 and no other cell.
    EXPECT_EQ(bench.state.TileMap[155], row.tile);
    EXPECT_EQ(bench.state.ItemMap[155], row.itemCode);
    EXPECT_EQ(bench.Tile(4, 6), CellDoodad);
    EXPECT_EQ(bench.Tile(5, 5), CellDoodad);
    EXPECT_TRUE(bench.messages.shown.empty());
  }
}

TEST(EditorTools, RandomItemWithoutBoxIsRefusedYetMarksTheLevelChanged) {
  EditorTestBench bench;
  bench.state.Tile(1, 1) = CellBox1;
  bench.state.Item(1, 1) = ItemFire;
  bench.editor.SelectedTool = Tool::UseItem;
  bench.editor.SelectedBox = BoxKind::None;
  bench.editor.SelectedItem = ItemKind::Random;

  bench.ApplyAt(1, 1);

  ASSERT_EQ(bench.messages.shown.size(), 1u);
  EXPECT_EQ(bench.messages.shown[0].text, "You can't select random item and no box!");
  EXPECT_EQ(bench.messages.shown[0].title, "Weird Combination");
  EXPECT_EQ(bench.messages.shown[0].icon, MessageIcon::Information);
  EXPECT_EQ(bench.messages.shown[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(bench.Tile(1, 1), CellBox1);
  EXPECT_EQ(bench.Item(1, 1), ItemFire);
  EXPECT_TRUE(bench.editor.FileChanged);
  // The pointer is shown for the box; it was not hidden, so it stays shown.
  EXPECT_EQ(bench.pointerSwitches, std::vector<bool>({true}));

  // Hidden over the canvas, it is hidden again once the box is closed.
  bench.editor.PointerHidden = true;
  bench.ApplyAt(0, 0);
  EXPECT_EQ(bench.pointerSwitches, std::vector<bool>({true, true, false}));
  EXPECT_TRUE(bench.editor.PointerHidden);
}

TEST(EditorTools, PositionToolsMoveTheirFigureAndLeaveTheGrids) {
  EditorTestBench bench;
  bench.state.Tile(7, 4) = CellBlock2;
  bench.state.Item(7, 4) = ItemBomb;
  bench.editor.SelectedTool = Tool::PositionPlayer3;

  bench.ApplyAt(7, 4);

  EXPECT_EQ(bench.state.Characters[2].X, 7);
  EXPECT_EQ(bench.state.Characters[2].Y, 4);
  EXPECT_EQ(bench.Tile(7, 4), CellBlock2);
  EXPECT_EQ(bench.Item(7, 4), ItemBomb);
  for (const int other : {0, 1, 3}) {
    EXPECT_EQ(bench.state.Characters[static_cast<std::size_t>(other)].X, 0);
    EXPECT_EQ(bench.state.Characters[static_cast<std::size_t>(other)].Y, 0);
  }
  EXPECT_TRUE(bench.editor.FileChanged);

  bench.editor.SelectedTool = Tool::PositionPlayer4;
  bench.ApplyAt(0, 14);
  EXPECT_EQ(bench.state.Characters[3].X, 0);
  EXPECT_EQ(bench.state.Characters[3].Y, 14);
}

TEST(EditorTools, CellsOffTheMapAreNeverWrittenAndLeaveFileChanged) {
  EditorTestBench bench;
  bench.editor.SelectedTool = Tool::Block1;
  for (const auto& [x, y] : {std::pair{-1, 0}, {0, -1}, {25, 3}, {3, 15}}) bench.ApplyAt(x, y);
  EXPECT_FALSE(bench.editor.FileChanged);
  for (const std::int32_t tile : bench.state.TileMap) ASSERT_EQ(tile, CellDoodad);

  bench.editor.SelectedTool = Tool::PositionPlayer2;
  bench.ApplyAt(25, 14);
  EXPECT_EQ(bench.state.Characters[1].X, 0);
  EXPECT_FALSE(bench.editor.FileChanged);
}

}  // namespace
}  // namespace fl3
