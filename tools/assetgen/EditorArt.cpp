#include "Artwork.h"
#include "PixelFont.h"
#include "TileArt.h"

namespace fl3::art {

namespace {

// The editor shows cells at 16 x 16 over white; white is its transparent
// colour, so every light colour here is a shade off pure white.
constexpr int kSize = 16;
constexpr QRgb kOrange = Rgb(0xF08A2A);

PixelCanvas Nothing() {
  PixelCanvas c(kSize, kSize);
  const QRgb line = Rgb(0xC4C8D2);
  for (int i = 0; i < kSize; ++i) {
    c.Set(i, i, Rgb(0xD8DCE4));
    c.Set(kSize - 1 - i, i, Rgb(0xD8DCE4));
    c.Set(i, 0, line), c.Set(i, kSize - 1, line), c.Set(0, i, line), c.Set(kSize - 1, i, line);
  }
  return c;
}

PixelCanvas Doodad() {
  PixelCanvas c(kSize, kSize);
  c.FillRect(0, 0, kSize, kSize, Rgb(0xEEE2C4));
  for (int y = 2; y < kSize - 2; y += 3)
    for (int x = 2 + (y / 3) % 2 * 2; x < kSize - 2; x += 4) c.Set(x, y, Rgb(0xD8C49A));
  c.FillRect(0, 0, kSize, 1, Rgb(0xC8B48C)), c.FillRect(0, kSize - 1, kSize, 1, Rgb(0xC8B48C));
  c.FillRect(0, 0, 1, kSize, Rgb(0xC8B48C)), c.FillRect(kSize - 1, 0, 1, kSize, Rgb(0xC8B48C));
  return c;
}

PixelCanvas NumberedBox(char digit) {
  PixelCanvas c(kSize, kSize);
  const Ramp r = RampOf(kOrange);
  c.FillRect(0, 0, kSize, kSize, r.dark);
  c.FillRect(1, 1, kSize - 2, kSize - 2, r.base);
  c.FillRect(1, 1, kSize - 2, 1, r.light), c.FillRect(1, 1, 1, kSize - 2, r.light);
  c.FillRect(2, kSize - 2, kSize - 3, 1, r.mid), c.FillRect(kSize - 2, 2, 1, kSize - 3, r.mid);
  const char text[2] = {digit, '\0'};
  DrawText(c, text, FontStyle::Tiny, 5, 3, 2, 2, 0, Rgb(0x3A1A0A));
  return c;
}

// An open box: the floor under whatever it hides.
PixelCanvas OpenBox() {
  PixelCanvas c(kSize, kSize);
  const Ramp r = RampOf(kOrange);
  c.FillRect(0, 0, kSize, kSize, Rgb(0xFDE4C4));
  for (int i = 0; i < kSize; ++i) {
    const QRgb edge = (i / 2) % 2 ? r.base : r.light;
    c.Set(i, 0, edge), c.Set(i, kSize - 1, edge), c.Set(0, i, edge), c.Set(kSize - 1, i, edge);
  }
  return c;
}

PixelCanvas Bomb() {
  PixelCanvas c(kSize, kSize);
  PaintInkedBomb(c, 7.5, 9.5, 5.2, 2);
  return c;
}

PixelCanvas Rings(QRgb outer, QRgb inner) {
  PixelCanvas c(kSize, kSize);
  c.FillEllipse(8, 8, 7.2, 7.2, InkLine);
  c.FillEllipse(8, 8, 6.2, 6.2, outer);
  c.FillEllipse(8, 8, 4.6, 4.6, inner);
  c.FillEllipse(8, 8, 3.0, 3.0, outer);
  c.FillEllipse(8, 8, 1.5, 1.5, inner);
  return c;
}

PixelCanvas Question() {
  PixelCanvas c(kSize, kSize);
  c.FillEllipse(8, 8, 7.6, 7.6, Rgb(0x3A2A6A));
  c.FillEllipse(8, 8, 6.6, 6.6, Rgb(0x7A54D8));
  c.FillEllipse(7, 6.5, 4.5, 4, Rgb(0x9A78F0));
  DrawText(c, "?", FontStyle::Bold, 5, 4, 1, 1, 0, Rgb(0x2A1A5A));
  DrawText(c, "?", FontStyle::Bold, 4, 3, 1, 1, 0, Rgb(0xFFF2A8));
  return c;
}

// An arrow whose tip is the pixel at the top-left corner.
PixelCanvas Pointer() {
  PixelCanvas art(24, 24);
  art.FillPolygon({{1, 1}, {1, 18}, {5, 14.5}, {8.5, 21}, {11.5, 19.5}, {8.5, 13.5}, {13.5, 13.5}}, Rgb(0xFFE060));
  art.FillPolygon({{1, 1}, {1, 7}, {5, 5}}, Rgb(0xFFF6C8));
  PixelCanvas c(24, 24);
  c.Blit(art, 0, 0);
  c.Outline(InkLine, true);
  c.Blit(art, 0, 0);
  c.Set(0, 0, InkLine);
  return c;
}

}  // namespace

std::vector<EditorPicture> EditorPictures() {
  return {
      {"EDIT NONE.BMP", Nothing},
      {"EDIT DOOD.BMP", Doodad},
      {"EDIT BOX1.BMP", [] { return NumberedBox('1'); }},
      {"EDIT BOX2.BMP", [] { return NumberedBox('2'); }},
      {"EDIT BOX3.BMP", [] { return NumberedBox('3'); }},
      {"EDIT BOXI.BMP", OpenBox},
      {"EDIT ITEM1.BMP", Bomb},
      {"EDIT ITEM2.BMP", [] { return Rings(Rgb(0xE8381E), Rgb(0xFFD23A)); }},
      {"EDIT ITEM3.BMP", [] { return Rings(Rgb(0x2A62D8), Rgb(0x8ED0FF)); }},
      {"EDIT POINT.BMP", Pointer},
      {"EDIT QUESTION.BMP", Question},
  };
}

}  // namespace fl3::art
