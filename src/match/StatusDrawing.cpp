#include "match/StatusDrawing.h"

#include <charconv>

#include "core/Grid.h"

namespace fl3 {
namespace {

// The digits picture is an 8 x 8 grid; digit d sits in column d mod 8, row d div 8.
constexpr int kFontColumns = 8;
constexpr float kFontCell = 1.0f / kFontColumns;

SpriteDraw FontDigit(int digit, float x, float y, std::uint32_t colour) {
  SpriteDraw draw;
  draw.picture = {PictureKind::Font, 0, 0, 0};
  draw.x = x;
  draw.y = y;
  draw.width = kCellSize;
  draw.height = kCellSize;
  draw.uLeft = static_cast<float>(digit % kFontColumns) * kFontCell;
  draw.uRight = static_cast<float>(digit % kFontColumns + 1) * kFontCell;
  draw.vTop = static_cast<float>(digit / kFontColumns) * kFontCell;
  draw.vBottom = static_cast<float>(digit / kFontColumns + 1) * kFontCell;
  draw.colour = colour;
  return draw;
}

}  // namespace

void DrawNumber(DrawList& list, float x, float y, std::int64_t value, std::uint32_t colour) {
  char text[24];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value);
  if (error != std::errc{}) return;
  for (const char* c = text; c != end; ++c) {
    if (*c >= '0' && *c <= '9') list.Add(FontDigit(*c - '0', x, y, colour));
    x += kCellSize;
  }
}

void DrawPortrait(DrawList& list, int figure, float x, float y) {
  SpriteDraw draw;
  draw.picture = {PictureKind::Character, static_cast<std::int8_t>(figure), 1, static_cast<std::int8_t>(3)};
  draw.x = x;
  draw.y = y;
  draw.width = kCellSize;
  draw.height = kCellSize;
  draw.vBottom = 0.5f;
  list.Add(draw);
}

void DrawTile(DrawList& list, std::int32_t code, float x, float y) {
  SpriteDraw draw;
  draw.picture = {PictureKind::Tile, static_cast<std::int8_t>(code), 0, 0};
  draw.x = x;
  draw.y = y;
  draw.width = kCellSize;
  draw.height = kCellSize;
  list.Add(draw);
}

void DrawFireIcon(DrawList& list, float x, float y) { DrawTile(list, CellItemFire, x, y); }
void DrawBombIcon(DrawList& list, float x, float y) { DrawTile(list, CellItemBomb, x, y); }

}  // namespace fl3
