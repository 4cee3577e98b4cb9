#pragma once
#include <functional>
#include <string>
#include <vector>

#include "PixelCanvas.h"

namespace fl3::art {

// Colour keys the game treats as transparent, per kind of picture.
constexpr QRgb SpriteKey = Rgb(0xC0C0C0);
constexpr QRgb WinnerKey = Rgb(0xFF00FF);
constexpr QRgb DigitKey = Rgb(0x000000);
constexpr QRgb EditorKey = Rgb(0xFFFFFF);

// Tilesets 0..2 are for levels with a background: their tile 0, what a
// burnt cell becomes, is a scorch mark laid over that background. Tilesets
// 3..5 repeat the same looks with an opaque floor as tile 0, which lies under
// every cell of a level without a background.
constexpr int TilesetLooks = 3;
constexpr int TilesetCount = 2 * TilesetLooks;
constexpr int BackgroundCount = 3;
constexpr int WinnerSlots = 4;

// One row of 25 cells of 32 x 32, indexed by cell code.
PixelCanvas DrawTileset(int number);
// 1024 x 512, opaque.
PixelCanvas DrawBackground(int number);
// Rows of 64 pixels, one figure each, twelve 32 x 64 frames a row.
PixelCanvas DrawCharacterSheet();
// 256 x 256.
PixelCanvas DrawWinner(int slot);
// 256 x 256, digits on an 8 x 8 grid.
PixelCanvas DrawFontSheet();
// 312 x 108, opaque.
PixelCanvas DrawTitle();

struct EditorPicture {
  std::string fileName;
  std::function<PixelCanvas()> draw;
};
// The canvas pictures in the editor's loading order.
std::vector<EditorPicture> EditorPictures();

}  // namespace fl3::art
