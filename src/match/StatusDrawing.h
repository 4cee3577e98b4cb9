#pragma once
#include <cstdint>

#include "match/DrawList.h"

namespace fl3 {

inline constexpr float kCellSize = 32.0f;

// Decimal digits of `value`, one 32 x 32 square each from (x, y) rightward.
// A minus sign keeps its place but has no picture.
void DrawNumber(DrawList& list, float x, float y, std::int64_t value, std::uint32_t colour);
// Upper half of the figure's first picture facing down.
void DrawPortrait(DrawList& list, int figure, float x, float y);
void DrawFireIcon(DrawList& list, float x, float y);
void DrawBombIcon(DrawList& list, float x, float y);

// Tile picture `code`, whole, white, 32 x 32.
void DrawTile(DrawList& list, std::int32_t code, float x, float y);

}  // namespace fl3
