#include "ai/DigDistance.h"

#include "match/FigureWalk.h"

namespace fl3::ai {
namespace {

bool IsBlock(std::int32_t c) { return c >= CellBlock1 && c <= CellBlock3; }
bool IsBox(std::int32_t c) { return c >= CellBox1 && c <= CellBox3; }

}  // namespace

void DigDistance::Run(const GameState& state, int figure) {
  steps_.fill(kUnreachable);
  queued_.fill(false);
  constexpr std::size_t kRing = CellCount + 1;
  std::size_t head = 0, tail = 0;
  for (int i = 0; i < FigureCount; ++i) {
    const Character& other = state.Characters[static_cast<std::size_t>(i)];
    if (i == figure || !other.InPlay() || !OnMap(other.X, other.Y)) continue;
    const auto cell = static_cast<std::size_t>(CellIndex(other.X, other.Y));
    if (queued_[cell]) continue;
    steps_[cell] = 0;
    queued_[cell] = true;
    queue_[tail] = static_cast<std::int16_t>(cell);
    tail = (tail + 1) % kRing;
  }
  // Label-correcting: a cell goes back in when a shorter way to it turns up.
  while (head != tail) {
    const int cell = queue_[head];
    head = (head + 1) % kRing;
    queued_[static_cast<std::size_t>(cell)] = false;
    for (int direction = DirLeft; direction <= DirDown; ++direction) {
      std::int32_t x = cell % MapWidth;
      std::int32_t y = cell / MapWidth;
      StepFrom(direction, x, y);
      if (!OnMap(x, y)) continue;
      const auto next = static_cast<std::size_t>(CellIndex(x, y));
      const std::int32_t code = state.TileMap[next];
      if (IsBlock(code)) continue;
      const int steps = steps_[static_cast<std::size_t>(cell)] + 1 + (IsBox(code) ? kBoxSteps : 0);
      if (steps >= steps_[next]) continue;
      steps_[next] = static_cast<std::int16_t>(steps);
      if (queued_[next]) continue;
      queued_[next] = true;
      queue_[tail] = static_cast<std::int16_t>(next);
      tail = (tail + 1) % kRing;
    }
  }
}

}  // namespace fl3::ai
