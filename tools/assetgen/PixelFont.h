#pragma once
#include <string_view>

#include "PixelCanvas.h"

namespace fl3::art {

enum class FontStyle {
  Bold,  // 7 x 9 cells with two-pixel strokes: title, digits, banners
  Tiny,  // 3 x 5 cells: numbers on the editor's small pictures
};

// Width and height in pixels of the text at the scale, without effects.
int TextWidth(std::string_view text, FontStyle style, int scale, int spacing);
int TextHeight(FontStyle style, int scale);

// Draws the text with its top-left corner at (x, y); scaleY lets a title
// stand taller than it is wide. Unknown characters leave a gap.
void DrawText(PixelCanvas& canvas, std::string_view text, FontStyle style, int x, int y, int scaleX, int scaleY,
              int spacing, QRgb colour);

}  // namespace fl3::art
