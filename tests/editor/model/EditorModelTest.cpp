// The editor's tools, canvas mouse, pointer and drawing, without a window.
#include <gtest/gtest.h>

#include "EditorTestBench.h"
#include "core/Messages.h"
#include "editor/model/CanvasCell.h"
#include "editor/model/EditMapDrawing.h"

namespace fl3 {
namespace {

using testing::EditorTestBench;

TEST(EditorTools, EachToolWritesItsCodesAtItsCellOnlyAndMarksTheLevelChanged) {
  const struct {
    Tool tool;
    BoxKind box;
    ItemKind item;
    std::int32_t tile, itemCode;
    int figure;    // the figure placed at the cell, -1 for none
    bool refused;  // random item without a box
  } rows[] = {
      // Environment tools clear the item; the kinds do not count for them.
      {Tool::Nothing, BoxKind::Box3, ItemKind::Fire, -1, 0, -1, false},
      {Tool::Doodad, BoxKind::Box1, ItemKind::Bomb, 0, 0, -1, false},
      {Tool::Block1, BoxKind::Box1, ItemKind::Bomb, 4, 0, -1, false},
      {Tool::Block2, BoxKind::Box1, ItemKind::Bomb, 5, 0, -1, false},
      {Tool::Block3, BoxKind::Box1, ItemKind::Bomb, 6, 0, -1, false},
      {Tool::UseItem, BoxKind::Box3, ItemKind::Empty, 3, 0, -1, false},
      {Tool::UseItem, BoxKind::None, ItemKind::Bomb, -1, 1, -1, false},
      {Tool::UseItem, BoxKind::Box1, ItemKind::Fire, 1, 2, -1, false},
      {Tool::UseItem, BoxKind::Box2, ItemKind::Fire2, 2, 3, -1, false},
      {Tool::UseItem, BoxKind::Box3, ItemKind::Random, 3, -1, -1, false},
      {Tool::UseItem, BoxKind::None, ItemKind::Random, 2, 1, -1, true},
      // Position tools leave the grids as they were.
      {Tool::PositionPlayer1, BoxKind::Box1, ItemKind::Bomb, 2, 1, 0, false},
      {Tool::PositionPlayer4, BoxKind::Box1, ItemKind::Bomb, 2, 1, 3, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(&row - rows);
    EditorTestBench bench;
    bench.state.Tile(5, 6) = CellBox2;
    bench.state.Item(5, 6) = ItemBomb;
    bench.editor.SelectedTool = row.tool;
    bench.editor.SelectedBox = row.box;
    bench.editor.SelectedItem = row.item;
    bench.ApplyAt(5, 6);
    // Element 25 * 6 + 5 = 155 and no other cell.
    EXPECT_EQ(std::pair(bench.state.TileMap[155], bench.state.ItemMap[155]), std::pair(row.tile, row.itemCode));
    EXPECT_EQ(std::count(bench.state.TileMap.begin(), bench.state.TileMap.end(), CellDoodad), 374 + (row.tile == 0));
    for (int i = 0; i < FigureCount; ++i) {
      const Character& figure = bench.state.Characters[static_cast<std::size_t>(i)];
      EXPECT_EQ(std::pair(figure.X, figure.Y), i == row.figure ? std::pair(5, 6) : std::pair(0, 0)) << i;
    }
    EXPECT_TRUE(bench.editor.FileChanged);
    ASSERT_EQ(bench.messages.shown.size(), row.refused ? 1u : 0u);
    if (row.refused) {
      EXPECT_EQ(bench.Shown(0), std::tuple("You can't select random item and no box!", "Weird Combination",
                                           MessageIcon::Information, MessageButtons::Ok));
    }
  }
}

TEST(EditorTools, TheRefusalShowsThePointerForItsBoxAndHidesItAgainOnlyIfItWasHidden) {
  EditorTestBench bench;
  bench.editor.SelectedTool = Tool::UseItem;
  bench.editor.SelectedBox = BoxKind::None;
  bench.editor.SelectedItem = ItemKind::Random;
  bench.ApplyAt(1, 1);
  EXPECT_EQ(bench.pointerSwitches, std::vector<bool>({true}));
  bench.editor.PointerHidden = true;
  bench.ApplyAt(0, 0);
  EXPECT_EQ(bench.pointerSwitches, std::vector<bool>({true, true, false}));
}

TEST(EditorTools, CellsOffTheMapAreNeverWrittenNorMarkTheLevelChanged) {
  EditorTestBench bench;
  for (const Tool tool : {Tool::Block1, Tool::PositionPlayer2}) {
    bench.editor.SelectedTool = tool;
    for (const auto& [x, y] : {std::pair{-1, 0}, {0, -1}, {25, 3}, {3, 15}, {25, 14}}) bench.ApplyAt(x, y);
  }
  EXPECT_FALSE(bench.editor.FileChanged);
  for (const std::int32_t tile : bench.state.TileMap) ASSERT_EQ(tile, CellDoodad);
  EXPECT_EQ(bench.state.Characters[1].X, 0);
}

// Cell = round((pixel - 8) / 16), halves to even: 0 gives -0.5 and cell 0, 400 gives 24.5 and cell 24.
TEST(CanvasCell, OddMultiplesOf16BelongToTheCellBeforeAndPointsOffTheCanvasToCellsOffTheMap) {
  const std::pair<int, int> cells[] = {{15, 0}, {16, 0}, {17, 1},    {31, 1},   {32, 2},   {48, 2},  {49, 3},
                                       {399, 24}, {239, 14}, {0, 0}, {-1, -1}, {-24, -2}, {400, 24}, {401, 25}};
  for (const auto& [pixel, cell] : cells) EXPECT_EQ(CanvasCell(pixel), cell) << pixel;
}

using Cells = std::vector<std::pair<int, int>>;

// The cells holding `code`, column by column.
Cells Painted(EditorTestBench& bench, std::int32_t code) {
  Cells cells;
  for (int x = 0; x < MapWidth; ++x) {
    for (int y = 0; y < MapHeight; ++y) {
      if (bench.Tile(x, y) == code) cells.emplace_back(x, y);
    }
  }
  return cells;
}

TEST(CanvasMouse, MovingHidesThePointerOnceAndPaintsOnlyWithTheLeftButtonAloneInDotMode) {
  EditorTestBench bench;
  bench.editor.SelectedTool = Tool::Block2;
  bench.editor.MoveOnCanvas(100.5, 41.5, 0);
  EXPECT_EQ(std::pair(bench.editor.MouseX, bench.editor.MouseY), std::pair(100, 42));  // halves to even
  EXPECT_EQ(std::pair(bench.editor.CellX, bench.editor.CellY), std::pair(6, 2));       // 5.78, 2.09
  bench.editor.MoveOnCanvas(20, 20, kLeftButton);
  bench.editor.MoveOnCanvas(70, 20, kLeftButton);
  bench.editor.MoveOnCanvas(90, 20, kLeftButton + kMiddleButton);
  bench.editor.Mode = DrawMode::Rectangle;
  bench.editor.MoveOnCanvas(150, 150, kLeftButton);
  EXPECT_EQ(bench.pointerSwitches, std::vector<bool>({false}));
  // A fast stroke leaves the cells between the movement events alone.
  EXPECT_EQ(Painted(bench, CellBlock2), (Cells{{1, 1}, {4, 1}}));
}

TEST(CanvasMouse, OtherButtonsAndReleasesInDotModePaintNothing) {
  EditorTestBench bench;
  bench.editor.SelectedTool = Tool::Block1;
  EXPECT_FALSE(bench.editor.PressOnCanvas(40, 40, kLeftButton + kRightButton));
  EXPECT_FALSE(bench.editor.ReleaseOnCanvas(100, 100, kLeftButton));
  bench.editor.Mode = DrawMode::Rectangle;
  EXPECT_FALSE(bench.editor.ReleaseOnCanvas(100, 100, kRightButton));
  EXPECT_EQ(Painted(bench, CellBlock1), Cells{});
  EXPECT_FALSE(bench.editor.FileChanged);
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
  Cells cells;
};

TEST(CanvasMouse, RectangleFromTwoThreeToZeroOneWalksNineCellsColumnByColumnFromThePress) {
  GameState state;
  CellNotingMessages notes;
  EditorModel editor(state, notes, [](bool) {});
  notes.editor = &editor;
  editor.Mode = DrawMode::Rectangle;
  editor.SelectedTool = Tool::UseItem;
  editor.SelectedBox = BoxKind::None;
  editor.SelectedItem = ItemKind::Random;

  editor.PressOnCanvas(40, 56, kLeftButton);
  editor.MoveOnCanvas(20, 30, kLeftButton);
  EXPECT_TRUE(editor.ReleaseOnCanvas(8, 24, kLeftButton));
  // The press cell, then x = 2, 1, 0 by y = 3, 2, 1: the press cell twice.
  EXPECT_EQ(notes.cells, (Cells{{2, 3}, {2, 3}, {2, 2}, {2, 1}, {1, 3}, {1, 2}, {1, 1}, {0, 3}, {0, 2}, {0, 1}}));
  EXPECT_EQ(std::pair(editor.CellX, editor.CellY), std::pair(0, 1));
}

TEST(CanvasMouse, RectanglePastTheEdgeIsCutAtItAndAPositionEndsOnTheLastCellInside) {
  EditorTestBench bench;
  bench.editor.Mode = DrawMode::Rectangle;
  bench.editor.SelectedTool = Tool::Block1;
  bench.editor.PressOnCanvas(390, 10, kLeftButton);     // (24, 0)
  bench.editor.ReleaseOnCanvas(5000, 40, kLeftButton);  // far to the right, row 2
  EXPECT_EQ(Painted(bench, CellBlock1), (Cells{{24, 0}, {24, 1}, {24, 2}}));
  // From (23, 13) to (26, 16): the walk goes x = 23..26 by y = 13..16.
  bench.editor.SelectedTool = Tool::PositionPlayer2;
  bench.editor.PressOnCanvas(375, 215, kLeftButton);
  bench.editor.ReleaseOnCanvas(430, 270, kLeftButton);
  EXPECT_EQ(std::pair(bench.state.Characters[1].X, bench.state.Characters[1].Y), std::pair(24, 14));
  EXPECT_EQ(std::pair(bench.editor.CellX, bench.editor.CellY), std::pair(26, 16));
  // From (1, 1) to (-2, -3).
  bench.editor.PressOnCanvas(24, 24, kLeftButton);
  bench.editor.ReleaseOnCanvas(-24, -40, kLeftButton);
  EXPECT_EQ(std::pair(bench.state.Characters[1].X, bench.state.Characters[1].Y), std::pair(0, 0));
}

TEST(PointerTimer, HidesThePointerExactlyWhileItIsInsideTheCanvas) {
  EditorTestBench bench;
  for (const bool inside : {false, true, true, false, false}) bench.editor.PointerTick(inside);
  EXPECT_EQ(bench.pointerSwitches, std::vector<bool>({false, true}));
  EXPECT_FALSE(bench.editor.PointerHidden);
  EXPECT_FALSE(bench.editor.TickRunning);
  EXPECT_TRUE(StrictlyInside(11, 21, 10, 20, 5, 5));
  for (const auto& [x, y] : {std::pair{10, 22}, {12, 20}, {15, 22}, {12, 25}}) {
    EXPECT_FALSE(StrictlyInside(x, y, 10, 20, 5, 5)) << x << "," << y;
  }
}

TEST(EditMapDrawing, EachCellShowsItsPicturesAndABoxItsItemWhereItIsShown) {
  const struct {
    std::int32_t cell, item;
    bool current, reveal;
    std::vector<int> pictures;  // bottom first
  } rows[] = {
      {-1, ItemNone, false, false, {EditNothing}},
      {-1, ItemFire, false, false, {EditNothing, EditItemFire}},  // an item without a box shows
      {-1, 17, false, false, {EditNothing}},
      {0, ItemBomb, true, true, {EditDoodad}},
      {1, ItemFire2, false, false, {EditBox1}},
      {1, ItemFire2, false, true, {EditBoxShown, EditItemFire2}},
      {2, ItemRandom, true, false, {EditBoxShown, EditQuestion}},
      {2, ItemNone, false, true, {EditBoxShown}},
      {3, ItemBomb, false, true, {EditBox3}},  // box 3 keeps its secret but under the pointer
      {3, ItemBomb, true, false, {EditBoxShown, EditItemBomb}},
      {4, ItemNone, true, true, {EditBox1}},  // blocks look like hidden boxes
      {5, ItemNone, false, false, {EditBox2}},
      {6, ItemNone, false, false, {EditBox3}},
      {7, ItemNone, false, false, {}},  // codes of a match leave the white of the clear
      {24, ItemNone, false, false, {}},
      {-2, ItemNone, false, false, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(&row - rows);
    const CellPictures drawn = PicturesForCell(row.cell, row.item, BoxShown(row.cell, row.current, row.reveal));
    EXPECT_EQ(std::vector<int>(drawn.pictures.begin(), drawn.pictures.begin() + drawn.count), row.pictures);
  }
}

TEST(EditMapDrawing, EveryCellColumnByColumnWithTheCurrentOneShownThenThePointerAtTheMouse) {
  EditorTestBench bench;
  bench.state.Characters[0].X = 3;  // start cells draw nothing of their own
  bench.state.Tile(1, 0) = CellBox3;
  bench.state.Item(1, 0) = ItemBomb;
  bench.editor.MoveOnCanvas(27, 9, 0);  // over cell (1, 0)
  bench.editor.RevealAllItems = true;
  const std::vector<EditSprite> sprites = EditMapSprites(bench.editor);
  ASSERT_EQ(sprites.size(), 377u);
  EXPECT_EQ((std::vector{sprites[1], sprites[15], sprites[16], sprites.back()}),
            (std::vector<EditSprite>{{EditDoodad, 0, 16, 16}, {EditBoxShown, 16, 0, 16}, {EditItemBomb, 16, 0, 16},
                                     {EditPointer, 27, 9, 24}}));
}

}  // namespace
}  // namespace fl3
