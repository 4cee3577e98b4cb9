#pragma once

namespace fl3 {

// The palette's ten tools, across the three tabs: exactly one is selected.
enum class Tool {
  Nothing,
  Doodad,
  Block1,
  Block2,
  Block3,
  UseItem,
  PositionPlayer1,
  PositionPlayer2,
  PositionPlayer3,
  PositionPlayer4,
};

// Read only while the tool is UseItem.
enum class BoxKind { None, Box1, Box2, Box3 };
enum class ItemKind { Bomb, Fire, Fire2, Empty, Random };

// "." paints every cell the pointer passes; "[]" fills the rectangle between
// the press cell and the release cell.
enum class DrawMode { Dot, Rectangle };

// Mouse buttons as the canvas reports them, added together when held at once.
inline constexpr int kLeftButton = 1, kRightButton = 2, kMiddleButton = 4;

}  // namespace fl3
