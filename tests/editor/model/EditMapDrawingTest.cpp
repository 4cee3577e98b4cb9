#include <gtest/gtest.h>

#include "EditorTestBench.h"
#include "editor/model/EditMapDrawing.h"

namespace fl3 {
namespace {

using testing::EditorTestBench;

// The pictures drawn at one cell, bottom first.
std::vector<int> PicturesAt(const std::vector<EditSprite>& sprites, int x, int y) {
  std::vector<int> pictures;
  for (const EditSprite& sprite : sprites) {
    if (sprite.x == 16 * x && sprite.y == 16 * y && sprite.size == 16) pictures.push_back(sprite.picture);
  }
  return pictures;
}

TEST(EditMapDrawing, EveryCellCodeHasItsPicturesAndStartCellsNone) {
  EditorTestBench bench;
  // Code, then the pictures drawn for it; hidden boxes look like blocks and
  // codes outside -1..6 leave the white of the clear.
  const std::pair<std::int32_t, std::vector<int>> codes[] = {
      {-1, {0}}, {0, {1}}, {1, {2}}, {2, {3}}, {3, {4}}, {4, {2}}, {5, {3}}, {6, {4}}, {9, {}}, {-2, {}}, {7, {}}};
  for (int x = 0; x < 11; ++x) bench.state.Tile(x, 0) = codes[x].first;
  bench.editor.CellX = 20;  // the current cell is elsewhere
  bench.state.Characters[0].X = 3;
  bench.state.Characters[0].Y = 3;
  const auto sprites = EditMapSprites(bench.editor);

  for (int x = 0; x < 11; ++x) EXPECT_EQ(PicturesAt(sprites, x, 0), codes[x].second) << codes[x].first;
  EXPECT_EQ(PicturesAt(sprites, 3, 3), std::vector<int>({EditDoodad}));
  // 375 cells: 364 doodads and 8 pictured codes; then the pointer.
  EXPECT_EQ(sprites.size(), 364u + 8u + 1u);
}

TEST(EditMapDrawing, RevealAllItemsShowsBoxesOneAndTwoButNotThree) {
  EditorTestBench bench;
  bench.state.Tile(0, 0) = CellBox1;
  bench.state.Item(0, 0) = ItemFire2;
  bench.state.Tile(1, 0) = CellBox2;
  bench.state.Item(1, 0) = ItemRandom;
  bench.state.Tile(2, 0) = CellBox3;
  bench.state.Item(2, 0) = ItemBomb;
  bench.state.Tile(3, 0) = CellBox2;
  bench.state.Item(3, 0) = ItemNone;
  bench.editor.CellX = 10;
  bench.editor.CellY = 10;

  bench.editor.RevealAllItems = true;
  auto sprites = EditMapSprites(bench.editor);
  EXPECT_EQ(PicturesAt(sprites, 0, 0), std::vector<int>({EditBoxShown, EditItemFire2}));
  EXPECT_EQ(PicturesAt(sprites, 1, 0), std::vector<int>({EditBoxShown, EditQuestion}));
  EXPECT_EQ(PicturesAt(sprites, 2, 0), std::vector<int>({EditBox3}));
  EXPECT_EQ(PicturesAt(sprites, 3, 0), std::vector<int>({EditBoxShown}));

  // Under the pointer box 3 tells its secret too.
  bench.editor.CellX = 2;
  bench.editor.CellY = 0;
  sprites = EditMapSprites(bench.editor);
  EXPECT_EQ(PicturesAt(sprites, 2, 0), std::vector<int>({EditBoxShown, EditItemBomb}));

  bench.editor.RevealAllItems = false;
  bench.editor.CellX = 1;
  sprites = EditMapSprites(bench.editor);
  EXPECT_EQ(PicturesAt(sprites, 0, 0), std::vector<int>({EditBox1}));
  EXPECT_EQ(PicturesAt(sprites, 1, 0), std::vector<int>({EditBoxShown, EditQuestion}));
  EXPECT_EQ(PicturesAt(sprites, 2, 0), std::vector<int>({EditBox3}));
}

TEST(EditMapDrawing, ItemsWithoutABoxShowOverTheEmptyCell) {
  EditorTestBench bench;
  bench.state.Tile(4, 4) = CellNothing;
  bench.state.Item(4, 4) = ItemFire;
  bench.state.Tile(5, 4) = CellNothing;
  bench.state.Item(5, 4) = 17;  // a code no level should hold
  bench.state.Tile(6, 4) = CellDoodad;
  bench.state.Item(6, 4) = ItemBomb;  // never shown on a doodad
  const auto sprites = EditMapSprites(bench.editor);
  EXPECT_EQ(PicturesAt(sprites, 4, 4), std::vector<int>({EditNothing, EditItemFire}));
  EXPECT_EQ(PicturesAt(sprites, 5, 4), std::vector<int>({EditNothing}));
  EXPECT_EQ(PicturesAt(sprites, 6, 4), std::vector<int>({EditDoodad}));
}

}  // namespace
}  // namespace fl3
