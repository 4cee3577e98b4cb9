#pragma once
#include <array>
#include <cstdint>

namespace fl3 {

inline constexpr int MapWidth = 25;
inline constexpr int MapHeight = 15;
inline constexpr int CellCount = MapWidth * MapHeight;
// X and Y of a figure that is not on the field.
inline constexpr std::int32_t OffMapPos = 50;

// 25 x 15 codes, cell (x, y) at element 25y + x.
using CellGrid = std::array<std::int32_t, CellCount>;

constexpr bool OnMap(std::int32_t x, std::int32_t y) { return x >= 0 && x < MapWidth && y >= 0 && y < MapHeight; }
constexpr int CellIndex(std::int32_t x, std::int32_t y) { return y * MapWidth + x; }

// Cell codes of TileMap.
inline constexpr std::int32_t CellNothing = -1;
inline constexpr std::int32_t CellDoodad = 0;
inline constexpr std::int32_t CellBox1 = 1, CellBox2 = 2, CellBox3 = 3;
inline constexpr std::int32_t CellBlock1 = 4, CellBlock2 = 5, CellBlock3 = 6;
inline constexpr std::int32_t CellItemBomb = 7, CellItemFire = 8, CellItemFire2 = 9;
inline constexpr std::int32_t CellBombFirst = 10, CellBombLast = 17;
inline constexpr std::int32_t CellFireHorizontal = 18, CellFireVertical = 19;
inline constexpr std::int32_t CellFireRightEnd = 20, CellFireLowerEnd = 21;
inline constexpr std::int32_t CellFireLeftEnd = 22, CellFireUpperEnd = 23, CellFireCentre = 24;
inline constexpr int TilePictureCount = 25;

constexpr bool IsBox(std::int32_t code) { return code >= CellBox1 && code <= CellBox3; }
constexpr bool IsBlock(std::int32_t code) { return code >= CellBlock1 && code <= CellBlock3; }

// Item codes of ItemMap.
inline constexpr std::int32_t ItemRandom = -1, ItemNone = 0, ItemBomb = 1, ItemFire = 2, ItemFire2 = 3;

}  // namespace fl3
