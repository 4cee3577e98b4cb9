// One decision for three computer players together, on a field in the middle
// of a match: blocks, boxes, bombs ticking and three figures standing, far
// apart or close together.
#include <benchmark/benchmark.h>

#include <memory>

#include "ai/ComputerPlayer.h"
#include "core/GameState.h"

namespace {

using namespace fl3;

// Where the figures stand: far apart, or close enough that nets are looked for.
constexpr int kApart[4][2] = {{1, 1}, {23, 1}, {1, 13}, {13, 7}};
constexpr int kClose[4][2] = {{9, 5}, {13, 5}, {11, 9}, {15, 7}};

std::unique_ptr<GameState> MidMatchField(const int (&cells)[4][2]) {
  auto state = std::make_unique<GameState>();
  for (int y = 0; y < MapHeight; ++y) {
    for (int x = 0; x < MapWidth; ++x) {
      const bool pillar = x % 2 == 0 && y % 2 == 0;
      state->Tile(x, y) = pillar ? CellBlock1 : (x * 7 + y * 3) % 5 == 0 ? CellBox1 : CellNothing;
      state->Item(x, y) = ItemRandom;
    }
  }
  for (int i = 0; i < FigureCount; ++i) {
    Character& figure = state->Characters[static_cast<std::size_t>(i)];
    figure.X = cells[i][0];
    figure.Y = cells[i][1];
    state->Tile(figure.X, figure.Y) = CellNothing;
    figure.Cont = i == 0 ? ContMan : ContCpu;
    figure.Lives = 3;
    figure.PowerFire = 3;
    figure.PowerBombs = 2;
  }
  const int bombs[5][3] = {{3, 1, 900}, {21, 3, 1800}, {11, 7, 2500}, {15, 9, 400}, {5, 11, 2900}};
  for (const auto& b : bombs) {
    state->Tile(b[0], b[1]) = CellBombFirst;
    state->Bombs.Add(b[0], b[1], b[2], 3, kBombFireMs, 0);
  }
  state->FrameTime = 51;
  return state;
}

void ThreeComputerDecisions(benchmark::State& bench) {
  auto state = MidMatchField(bench.range(1) != 0 ? kClose : kApart);
  const auto strength = static_cast<CpuStrength>(bench.range(0));
  ComputerPlayer one(strength, 1), two(strength, 2), three(strength, 3);
  for (auto _ : bench) {
    benchmark::DoNotOptimize(one.ControlsFor(*state, 1));
    benchmark::DoNotOptimize(two.ControlsFor(*state, 2));
    benchmark::DoNotOptimize(three.ControlsFor(*state, 3));
  }
}
// Strength, then 1 for figures close together.
BENCHMARK(ThreeComputerDecisions)->ArgsProduct({{0, 1, 2}, {0, 1}})->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
