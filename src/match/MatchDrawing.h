#pragma once
#include <array>
#include <cstdint>

#include "core/GameState.h"
#include "match/DrawList.h"

namespace fl3 {

// Background (when backgroundNumber >= 0) and every cell, column by column.
// Codes without a tile picture are left out.
void DrawMap(DrawList& list, const GameState& state, std::int32_t backgroundNumber);

// The top left of a figure's picture on the field, in pixels: its cell and
// how far it has stepped towards the next.
struct FigurePlace {
  float x = 0, y = 0;
  friend bool operator==(const FigurePlace&, const FigurePlace&) = default;
};
FigurePlace FigurePicturePlace(const Character& figure);

// The figures in play, back rows first. Returns how many are drawn; their
// indexes are in `order`.
int FigureDrawOrder(const GameState& state, std::array<int, FigureCount>& order);
void DrawFigures(DrawList& list, const GameState& state);

// One panel per figure in play: portrait, lives, fire, bombs.
void DrawStatusPanels(DrawList& list, const GameState& state);

// Seconds left, to the nearest whole second; a time past the end shows 0.
void DrawTime(DrawList& list, std::int32_t timeLeft);

void DrawWinner(DrawList& list, int figure);

}  // namespace fl3
