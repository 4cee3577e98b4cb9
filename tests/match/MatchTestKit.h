#pragma once
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "core/GameState.h"
#include "core/KeyState.h"

namespace fl3::testing {

struct Cell {
  std::int32_t x, y, code;
};

// An open field (every cell -1, nothing hidden) with every figure off the
// map and out of play; tests then place what they need.
inline void MakeOpenField(GameState& state, const std::vector<Cell>& cells = {}) {
  state.Bombs.Clear();
  state.TileMap.fill(CellNothing);
  state.ItemMap.fill(ItemNone);
  for (Character& figure : state.Characters) {
    figure = Character{};
    figure.X = figure.Y = OffMapPos;
  }
  for (const Cell& cell : cells) state.Tile(cell.x, cell.y) = cell.code;
}

// A field drawn row by row from the top-left corner, every cell not drawn a
// block; `draw(x, y, c)` makes each drawn character what it stands for.
template <typename Draw>
void DrawField(GameState& state, std::initializer_list<const char*> rows, Draw draw) {
  MakeOpenField(state);
  state.TileMap.fill(CellBlock1);
  int y = 0;
  for (const char* row : rows) {
    for (int x = 0; row[x] != '\0'; ++x) draw(x, y, row[x]);
    ++y;
  }
}

// A MAN figure with 3 lives; figure i holds the keys 10i + 11 .. 10i + 15
// (clear of Escape, code 1) in the order left, up, right, down, plant.
inline Character& PlaceFigure(GameState& state, int index, std::int32_t x, std::int32_t y,
                              std::int32_t cont = ContMan) {
  Character& figure = state.Characters[static_cast<std::size_t>(index)];
  const std::int32_t keys = 10 * index + 10;
  figure = Character{x, y, cont, DirLeft, 3, 0, 0, KeyLayout{keys + 1, keys + 2, keys + 3, keys + 4, keys + 5}};
  return figure;
}

enum class Key { Left = 1, Up = 2, Right = 3, Down = 4, Plant = 5 };

inline KeyState Holding(std::initializer_list<std::pair<int, Key>> held) {
  KeyState keys{};
  for (const auto& [figure, key] : held) keys[static_cast<std::size_t>(10 * figure + 10 + static_cast<int>(key))] = 0x80;
  return keys;
}

}  // namespace fl3::testing
