#pragma once
#include <cstdint>

namespace fl3 {

inline constexpr int kCanvasCellSize = 16;
inline constexpr int kCanvasWidth = 400, kCanvasHeight = 240;

// The cell index of a canvas coordinate (x or y alike): (p - 8) / 16 rounded
// half to even. Pixel lines 16, 48, 80, ... therefore belong to the cell
// before; coordinates off the canvas give indices off the map.
std::int32_t CanvasCell(double pixel);

}  // namespace fl3
