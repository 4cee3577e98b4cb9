#include "match/MatchDrawing.h"

#include <algorithm>

#include "core/Rounding.h"
#include "match/StatusDrawing.h"

namespace fl3 {
namespace {

constexpr float kMapWidthPixels = 1024.0f;
constexpr float kMapHeightPixels = 512.0f;
constexpr float kWinnerSize = 256.0f;
constexpr float kWinnerX = 272.0f, kWinnerY = 172.0f;
constexpr float kTimeX = 352.0f, kTimeY = 544.0f;
constexpr float kPanelX[FigureCount] = {32, 416, 32, 416};
constexpr float kPanelY[FigureCount] = {480, 480, 512, 512};

bool HasTilePicture(std::int32_t code) { return code >= 0 && code < TilePictureCount; }

void DrawBackground(DrawList& list) {
  SpriteDraw draw;
  draw.picture = {PictureKind::Background, 0, 0, 0};
  draw.width = kMapWidthPixels;
  draw.height = kMapHeightPixels;
  list.Add(draw);
}

void DrawCell(DrawList& list, std::int32_t code, float x, float y) {
  if (code != CellNothing && HasTilePicture(code)) DrawTile(list, code, x, y);
}

void DrawFigure(DrawList& list, const Character& figure, int index) {
  if (figure.Direction < DirLeft || figure.Direction > DirDown) return;
  if (figure.AnimFrame < 0 || figure.AnimFrame > 2) return;
  SpriteDraw draw;
  draw.picture = {PictureKind::Character, static_cast<std::int8_t>(index), static_cast<std::int8_t>(figure.AnimFrame + 1),
                  static_cast<std::int8_t>(figure.Direction)};
  const FigurePlace place = FigurePicturePlace(figure);
  draw.x = place.x;
  draw.y = place.y;
  draw.width = kCellSize;
  draw.height = 2 * kCellSize;
  list.Add(draw);
}

void DrawPanel(DrawList& list, const Character& figure, int index) {
  const float bx = kPanelX[index];
  const float by = kPanelY[index];
  DrawPortrait(list, index, bx, by);
  if (figure.Lives > -1) {
    DrawNumber(list, bx + 32, by, figure.Lives, kTintWhite);
  } else {
    DrawNumber(list, bx + 32, by, -static_cast<std::int64_t>(figure.Lives), kTintRed);
  }
  DrawFireIcon(list, bx + 96, by);
  DrawNumber(list, bx + 128, by, figure.PowerFire, kTintWhite);
  DrawBombIcon(list, bx + 192, by);
  DrawNumber(list, bx + 224, by, figure.PowerBombs, kTintWhite);
}

}  // namespace

FigurePlace FigurePicturePlace(const Character& figure) {
  std::int64_t x = std::int64_t{32} * figure.X;
  std::int64_t y = std::int64_t{32} * figure.Y - 32;
  const std::int64_t s = figure.StepOffset;
  switch (figure.Direction) {
    case DirLeft: x -= s; break;
    case DirUp: y -= s; break;
    case DirRight: x += s; break;
    default: y += s; break;
  }
  return {static_cast<float>(x), static_cast<float>(y)};
}

void DrawMap(DrawList& list, const GameState& state, std::int32_t backgroundNumber) {
  const bool background = backgroundNumber >= 0;
  if (background) DrawBackground(list);
  for (std::int32_t x = 0; x < MapWidth; ++x) {
    for (std::int32_t y = 0; y < MapHeight; ++y) {
      const float px = kCellSize * static_cast<float>(x);
      const float py = kCellSize * static_cast<float>(y);
      if (!background) DrawTile(list, CellDoodad, px, py);
      DrawCell(list, state.TileMap[static_cast<std::size_t>(CellIndex(x, y))], px, py);
    }
  }
}

int FigureDrawOrder(const GameState& state, std::array<int, FigureCount>& order) {
  // A figure already drawn, or not in play, stands in for the farthest row.
  std::array<std::int32_t, FigureCount> rows{};
  for (int i = 0; i < FigureCount; ++i) {
    const Character& figure = state.Characters[static_cast<std::size_t>(i)];
    rows[static_cast<std::size_t>(i)] = figure.InPlay() ? figure.Y : OffMapPos;
  }
  std::array<bool, FigureCount> drawn{};
  int count = 0;
  for (int pass = 0; pass < FigureCount; ++pass) {
    for (int i = 0; i < FigureCount; ++i) {
      const auto slot = static_cast<std::size_t>(i);
      if (!state.Characters[slot].InPlay() || drawn[slot]) continue;
      if (state.Characters[slot].Y > *std::min_element(rows.begin(), rows.end())) continue;
      drawn[slot] = true;
      rows[slot] = OffMapPos;
      order[static_cast<std::size_t>(count++)] = i;
    }
  }
  return count;
}

void DrawFigures(DrawList& list, const GameState& state) {
  std::array<int, FigureCount> order{};
  const int count = FigureDrawOrder(state, order);
  for (int k = 0; k < count; ++k) {
    const int i = order[static_cast<std::size_t>(k)];
    DrawFigure(list, state.Characters[static_cast<std::size_t>(i)], i);
  }
}

void DrawStatusPanels(DrawList& list, const GameState& state) {
  for (int i = 0; i < FigureCount; ++i) {
    const Character& figure = state.Characters[static_cast<std::size_t>(i)];
    if (figure.InPlay()) DrawPanel(list, figure, i);
  }
}

void DrawTime(DrawList& list, std::int32_t timeLeft) {
  const std::int32_t seconds = std::max(RoundHalfEven(timeLeft / 1000.0), 0);
  DrawNumber(list, kTimeX, kTimeY, seconds, kTintWhite);
}

void DrawWinner(DrawList& list, int figure) {
  SpriteDraw draw;
  draw.picture = {PictureKind::Winner, static_cast<std::int8_t>(figure), 0, 0};
  draw.x = kWinnerX;
  draw.y = kWinnerY;
  draw.width = kWinnerSize;
  draw.height = kWinnerSize;
  list.Add(draw);
}

}  // namespace fl3
