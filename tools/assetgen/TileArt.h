#pragma once
#include "PixelCanvas.h"

namespace fl3::art {

constexpr int Cell = 32;

// Floor, scorch mark, boxes and blocks differ between the tileset looks.
PixelCanvas DrawFloor(int look);   // opaque
PixelCanvas DrawScorch(int look);  // mostly transparent
PixelCanvas DrawBox(int look, int which);    // which 0..2
PixelCanvas DrawBlock(int look, int which);  // which 0..2

// Items, bombs and fire look alike in every tileset so players learn them once.
enum class ItemKind { Bomb, Fire, DoubleFire };
PixelCanvas DrawItem(ItemKind kind);
PixelCanvas DrawBombFrame(int frame);  // 0..7

enum class FirePiece { Horizontal, Vertical, RightEnd, LowerEnd, LeftEnd, UpperEnd, Centre };
PixelCanvas DrawFire(FirePiece piece);

// The round black bomb shared by the bomb tiles, the bomb item and the
// editor: centre, radius, with its fuse and a spark of the given size.
void PaintBomb(PixelCanvas& canvas, double cx, double cy, double radius, int spark);
// The same bomb with the ink outline every drawn thing carries, over what the canvas holds.
void PaintInkedBomb(PixelCanvas& canvas, double cx, double cy, double radius, int spark);

}  // namespace fl3::art
