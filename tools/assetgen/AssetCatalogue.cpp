#include "AssetCatalogue.h"

#include "Artwork.h"

namespace fl3::art {

namespace {

PictureFile Keyed(std::string name, QRgb key, std::function<PixelCanvas()> draw) {
  return {std::move(name), [key, draw = std::move(draw)] { return draw().Flatten(key); }};
}

}  // namespace

std::vector<PictureFile> AllPictures() {
  std::vector<PictureFile> files;
  for (int n = 0; n < TilesetCount; ++n)
    files.push_back(Keyed("A" + std::to_string(n) + ".BMP", SpriteKey, [n] { return DrawTileset(n); }));
  // Backgrounds are painted edge to edge, so the key never shows.
  for (int n = 0; n < BackgroundCount; ++n)
    files.push_back(Keyed("B" + std::to_string(n) + ".BMP", SpriteKey, [n] { return DrawBackground(n); }));
  files.push_back(Keyed("C.BMP", SpriteKey, DrawCharacterSheet));
  for (int slot = 0; slot < WinnerSlots; ++slot)
    files.push_back(Keyed("WIN" + std::to_string(slot) + ".BMP", WinnerKey, [slot] { return DrawWinner(slot); }));
  files.push_back(Keyed("FONT.BMP", DigitKey, DrawFontSheet));
  files.push_back(Keyed("TITLE.BMP", SpriteKey, DrawTitle));
  for (auto& picture : EditorPictures())
    files.push_back(Keyed(std::move(picture.fileName), EditorKey, std::move(picture.draw)));
  return files;
}

}  // namespace fl3::art
