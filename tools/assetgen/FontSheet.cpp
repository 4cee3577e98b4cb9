#include "Artwork.h"
#include "PixelFont.h"

namespace fl3::art {

// White so a tint shows its own colour; the dark rim keeps digits readable
// on any background and is never the key black.
PixelCanvas DrawFontSheet() {
  constexpr int cell = 32, scale = 3;
  PixelCanvas sheet(8 * cell, 8 * cell);
  for (int digit = 0; digit <= 9; ++digit) {
    const char text[2] = {static_cast<char>('0' + digit), '\0'};
    PixelCanvas glyph(cell, cell);
    const int w = TextWidth(text, FontStyle::Bold, scale, 0);
    const int h = TextHeight(FontStyle::Bold, scale);
    const int x = (cell - w) / 2, y = (cell - h) / 2;
    DrawText(glyph, text, FontStyle::Bold, x + 1, y + 1, scale, scale, 0, Rgb(0x5A5A66));
    DrawText(glyph, text, FontStyle::Bold, x, y, scale, scale, 0, Rgb(0xFFFFFF));
    // A lighter grey lower half gives the digits a little depth.
    for (int py = y + h / 2 + 2; py < y + h; ++py)
      for (int px = x; px < x + w; ++px)
        if (glyph.At(px, py) == Rgb(0xFFFFFF)) glyph.Set(px, py, Rgb(0xDCDCE4));
    glyph.Outline(Rgb(0x24222C));
    sheet.Blit(glyph, (digit % 8) * cell, (digit / 8) * cell);
  }
  return sheet;
}

}  // namespace fl3::art
