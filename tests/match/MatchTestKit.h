#pragma once
#include <cstdint>
#include <vector>

#include "core/GameState.h"
#include "core/KeyState.h"

namespace fl3::testing {

// An open field (every cell -1, nothing hidden) with every figure off the
// map and out of play; tests then place what they need.
inline void MakeOpenField(GameState& state) {
  state.Bombs.Clear();
  state.TileMap.fill(CellNothing);
  state.ItemMap.fill(ItemNone);
  for (Character& figure : state.Characters) {
    figure = Character{};
    figure.X = OffMapPos;
    figure.Y = OffMapPos;
  }
}

inline Character& PlaceFigure(GameState& state, int index, std::int32_t x, std::int32_t y,
                              std::int32_t cont = ContMan) {
  Character& figure = state.Characters[static_cast<std::size_t>(index)];
  figure.X = x;
  figure.Y = y;
  figure.Cont = cont;
  figure.Lives = 3;
  return figure;
}

inline std::int32_t CellAt(const GameState& state, std::int32_t x, std::int32_t y) {
  return state.TileMap[static_cast<std::size_t>(CellIndex(x, y))];
}

using Codes = std::vector<std::int32_t>;

// Cell codes of row y from column x0 to x1, and of column x from row y0 to y1.
inline Codes Row(const GameState& state, std::int32_t y, std::int32_t x0, std::int32_t x1) {
  Codes codes;
  for (std::int32_t x = x0; x <= x1; ++x) codes.push_back(CellAt(state, x, y));
  return codes;
}
inline Codes Column(const GameState& state, std::int32_t x, std::int32_t y0, std::int32_t y1) {
  Codes codes;
  for (std::int32_t y = y0; y <= y1; ++y) codes.push_back(CellAt(state, x, y));
  return codes;
}

inline void SetCell(GameState& state, std::int32_t x, std::int32_t y, std::int32_t code) { state.Tile(x, y) = code; }

// Keys used by the frame tests: figure i gets the codes 10i + 11 .. 10i + 15
// (clear of Escape, code 1).
inline void GiveKeys(Character& figure, int index) {
  const std::int32_t base = 10 * index + 10;
  figure.Keys = KeyLayout{base + 1, base + 2, base + 3, base + 4, base + 5};
}

enum class Key { Left = 1, Up = 2, Right = 3, Down = 4, Plant = 5 };

inline void Hold(KeyState& keys, int figure, Key key) {
  keys[static_cast<std::size_t>(10 * figure + 10 + static_cast<int>(key))] = 0x80;
}

}  // namespace fl3::testing
