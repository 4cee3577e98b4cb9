#include "ai/DigDistance.h"

namespace fl3::ai {
void DigDistance::Wait(int cell, int steps) {
  steps_[static_cast<std::size_t>(cell)] = static_cast<std::int16_t>(steps);
  const auto bucket = static_cast<std::size_t>(steps % kBuckets);
  cellOf_[static_cast<std::size_t>(used_)] = static_cast<std::int16_t>(cell);
  next_[static_cast<std::size_t>(used_)] = first_[bucket];
  first_[bucket] = static_cast<std::int16_t>(used_++);
}

void DigDistance::Run(const GameState& state, int figure) {
  steps_.fill(kUnreachable);
  first_.fill(-1);
  used_ = 0;
  for (std::size_t cell = 0; cell < CellCount; ++cell) {
    const std::int32_t code = state.TileMap[cell];
    cost_[cell] = static_cast<std::int8_t>(IsBlock(code) ? 0 : IsBox(code) ? 1 + kBoxSteps : 1);
  }
  for (int i = 0; i < FigureCount; ++i) {
    const Character& other = state.Characters[static_cast<std::size_t>(i)];
    if (i != figure && other.InPlay() && OnMap(other.X, other.Y)) Wait(CellIndex(other.X, other.Y), 0);
  }
  // Nearest first: a cell waiting at a distance it has since beaten is skipped.
  for (int steps = 0, empty = 0; empty < kBuckets; ++steps) {
    const auto bucket = static_cast<std::size_t>(steps % kBuckets);
    int entry = first_[bucket];
    first_[bucket] = -1;
    empty = entry < 0 ? empty + 1 : 0;
    for (; entry >= 0; entry = next_[static_cast<std::size_t>(entry)]) {
      const int cell = cellOf_[static_cast<std::size_t>(entry)];
      if (steps_[static_cast<std::size_t>(cell)] != steps) continue;
      const int x = cell % MapWidth;
      const int y = cell / MapWidth;
      const int neighbours[4] = {x > 0 ? cell - 1 : -1, y > 0 ? cell - MapWidth : -1,
                                 x < MapWidth - 1 ? cell + 1 : -1, y < MapHeight - 1 ? cell + MapWidth : -1};
      for (const int next : neighbours) {
        const int cost = next < 0 ? 0 : cost_[static_cast<std::size_t>(next)];
        if (cost > 0 && steps + cost < steps_[static_cast<std::size_t>(next)]) Wait(next, steps + cost);
      }
    }
  }
}

}  // namespace fl3::ai
