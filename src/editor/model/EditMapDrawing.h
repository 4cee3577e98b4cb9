#pragma once
#include <array>
#include <cstdint>
#include <vector>

namespace fl3 {

class EditorModel;

// The editor's own pictures (white is transparent), by index.
enum EditPicture : int {
  EditNothing = 0,
  EditDoodad = 1,
  EditBox1 = 2,  // also block 1, and box 1 while its item is hidden
  EditBox2 = 3,
  EditBox3 = 4,
  EditBoxShown = 5,  // the ground under a shown item
  EditItemBomb = 6,
  EditItemFire = 7,
  EditItemFire2 = 8,
  EditPointer = 9,
  EditQuestion = 10,
};
inline constexpr int kEditPictureCount = 11;
inline constexpr std::array<const char*, kEditPictureCount> kEditPictureFiles = {
    "EDIT NONE.BMP", "EDIT DOOD.BMP",  "EDIT BOX1.BMP",  "EDIT BOX2.BMP",  "EDIT BOX3.BMP",    "EDIT BOXI.BMP",
    "EDIT ITEM1.BMP", "EDIT ITEM2.BMP", "EDIT ITEM3.BMP", "EDIT POINT.BMP", "EDIT QUESTION.BMP"};

inline constexpr std::uint32_t kEditPictureColourKey = 0xFFFFFFFF;
inline constexpr std::uint32_t kEditMapClearColour = 0xFFFFFFFF;
inline constexpr std::uint32_t kEditSpriteTint = 0xFFFFFF;
inline constexpr int kEditPointerSize = 24;

// One picture drawn whole at a place on the canvas.
struct EditSprite {
  int picture;
  int x, y, size;
  friend bool operator==(const EditSprite&, const EditSprite&) = default;
};

// Up to two pictures for one cell, bottom first.
struct CellPictures {
  std::array<int, 2> pictures{};
  int count = 0;
};

// Boxes 1 and 2 show their item with "Reveal All Items" or under the
// pointer; box 3 only under the pointer, so it keeps its secret.
bool BoxShown(std::int32_t cell, bool isCurrentCell, bool revealAllItems);
CellPictures PicturesForCell(std::int32_t cell, std::int32_t item, bool boxShown);

// Everything one drawing of the canvas puts on it after the white clear, in
// drawing order: the cells column by column, then the pointer picture.
std::vector<EditSprite> EditMapSprites(const EditorModel& editor);

}  // namespace fl3
