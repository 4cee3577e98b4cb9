#include "Artwork.h"
#include "TileArt.h"

namespace fl3::art {

PixelCanvas DrawTileset(int number) {
  const int look = number % TilesetLooks;
  PixelCanvas sheet(25 * Cell, Cell);
  int code = 0;
  auto put = [&](const PixelCanvas& tile) { sheet.Blit(tile, Cell * code++, 0); };
  put(number < TilesetLooks ? DrawScorch(look) : DrawFloor(look));
  for (int i = 0; i < 3; ++i) put(DrawBox(look, i));
  for (int i = 0; i < 3; ++i) put(DrawBlock(look, i));
  put(DrawItem(ItemKind::Bomb));
  put(DrawItem(ItemKind::Fire));
  put(DrawItem(ItemKind::DoubleFire));
  for (int frame = 0; frame < 8; ++frame) put(DrawBombFrame(frame));
  for (FirePiece piece : {FirePiece::Horizontal, FirePiece::Vertical, FirePiece::RightEnd, FirePiece::LowerEnd,
                          FirePiece::LeftEnd, FirePiece::UpperEnd, FirePiece::Centre})
    put(DrawFire(piece));
  return sheet;
}

}  // namespace fl3::art
