#pragma once
#include <cstdint>
#include <vector>

#include "Bomb.h"
#include "Grid.h"

namespace fl3 {

// The bombs on the field, positions counted from 1. Discarding a bomb writes
// 0 into its cell of the tile grid it was made for.
class colBomb {
 public:
  explicit colBomb(CellGrid& tiles);
  colBomb(const colBomb&) = delete;
  colBomb& operator=(const colBomb&) = delete;

  Bomb& Add(std::int32_t x, std::int32_t y, std::int32_t explodeTimeLeft, std::int32_t explodeLevel,
            std::int32_t explodeDuration, std::int32_t owner);
  Bomb& Item(int position) { return bombs_[static_cast<std::size_t>(position - 1)]; }
  const Bomb& Item(int position) const { return bombs_[static_cast<std::size_t>(position - 1)]; }
  int Count() const { return static_cast<int>(bombs_.size()); }
  void Remove(int position);
  void Clear();
  // The collection becomes exactly `bombs`, without touching any cell (a
  // rewound match brings its own grids).
  void Assign(const std::vector<Bomb>& bombs) { bombs_.assign(bombs.begin(), bombs.end()); }

  auto begin() { return bombs_.begin(); }
  auto end() { return bombs_.end(); }
  auto begin() const { return bombs_.begin(); }
  auto end() const { return bombs_.end(); }

 private:
  void Discard(const Bomb& bomb);

  CellGrid& tiles_;
  std::vector<Bomb> bombs_;
};

}  // namespace fl3
