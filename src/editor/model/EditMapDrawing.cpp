#include "editor/model/EditMapDrawing.h"

#include <initializer_list>

#include "core/GameState.h"
#include "editor/model/CanvasCell.h"
#include "editor/model/EditorModel.h"

namespace fl3 {
namespace {

// The picture of an item that lies open: 1 to 3 their own, random the
// question mark, anything else nothing.
int ItemPicture(std::int32_t item) {
  if (item >= ItemBomb && item <= ItemFire2) return EditBoxShown + item;
  if (item == ItemRandom) return EditQuestion;
  return -1;
}

CellPictures Pictures(std::initializer_list<int> pictures) {
  CellPictures result;
  for (const int picture : pictures) {
    if (picture >= 0) result.pictures[static_cast<std::size_t>(result.count++)] = picture;
  }
  return result;
}

}  // namespace

bool BoxShown(std::int32_t cell, bool isCurrentCell, bool revealAllItems) {
  if (cell == CellBox1 || cell == CellBox2) return revealAllItems || isCurrentCell;
  return cell == CellBox3 && isCurrentCell;
}

CellPictures PicturesForCell(std::int32_t cell, std::int32_t item, bool boxShown) {
  switch (cell) {
    case CellNothing:
      // A file may hold an item without a box; show it so it can be found.
      return Pictures({EditNothing, ItemPicture(item)});
    case CellDoodad:
      return Pictures({EditDoodad});
    case CellBox1:
    case CellBox2:
    case CellBox3:
      if (boxShown) return Pictures({EditBoxShown, ItemPicture(item)});
      return Pictures({EditBox1 + (cell - CellBox1)});
    case CellBlock1:
    case CellBlock2:
    case CellBlock3:
      return Pictures({EditBox1 + (cell - CellBlock1)});
    default:
      return {};  // the white of the clear shows
  }
}

std::vector<EditSprite> EditMapSprites(const EditorModel& editor) {
  const GameState& state = editor.State();
  std::vector<EditSprite> sprites;
  sprites.reserve(2 * CellCount + 1);
  for (std::int32_t x = 0; x < MapWidth; ++x) {
    for (std::int32_t y = 0; y < MapHeight; ++y) {
      const auto index = static_cast<std::size_t>(CellIndex(x, y));
      const std::int32_t cell = state.TileMap[index];
      const bool current = x == editor.CellX && y == editor.CellY;
      const CellPictures drawn =
          PicturesForCell(cell, state.ItemMap[index], BoxShown(cell, current, editor.RevealAllItems));
      for (int i = 0; i < drawn.count; ++i) {
        sprites.push_back({drawn.pictures[static_cast<std::size_t>(i)], x * kCanvasCellSize, y * kCanvasCellSize,
                           kCanvasCellSize});
      }
    }
  }
  sprites.push_back({EditPointer, editor.MouseX, editor.MouseY, kEditPointerSize});
  return sprites;
}

}  // namespace fl3
