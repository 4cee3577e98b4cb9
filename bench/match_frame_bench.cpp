// One engine frame on a busy field: four walking figures, bombs on every
// few cells, fire from earlier blasts and new blasts starting in the frame.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

#include "core/GameState.h"
#include "match/MatchFrame.h"

namespace fl3 {
namespace {

constexpr int kWarmUpFrames = 12;

struct Snapshot {
  CellGrid tiles{};
  CellGrid items{};
  std::array<Character, FigureCount> figures{};
  std::vector<Bomb> bombs;
  RandomSource random;
};

void BuildField(GameState& state) {
  std::mt19937 random(7);
  for (std::int32_t y = 0; y < MapHeight; ++y) {
    for (std::int32_t x = 0; x < MapWidth; ++x) {
      std::int32_t code = CellNothing;
      if (x % 2 == 1 && y % 2 == 1) code = CellBlock1;
      else if (random() % 10 < 2) code = CellBox1 + static_cast<std::int32_t>(random() % 3);
      state.Tile(x, y) = code;
      state.Item(x, y) = static_cast<std::int32_t>(random() % 5) - 1;
    }
  }
  const std::int32_t corners[FigureCount][2] = {{0, 0}, {24, 0}, {0, 14}, {24, 14}};
  for (int i = 0; i < FigureCount; ++i) {
    Character& figure = state.Characters[static_cast<std::size_t>(i)];
    figure.X = corners[i][0];
    figure.Y = corners[i][1];
    figure.Cont = ContMan;
    figure.Lives = 99;
    figure.PowerFire = 4;
    figure.PowerBombs = 200;
    const std::int32_t base = 20 + 8 * i;
    figure.Keys = KeyLayout{base, base + 1, base + 2, base + 3, base + 4};
  }
  int owner = 0;
  for (std::int32_t y = 0; y < MapHeight; ++y) {
    for (std::int32_t x = 0; x < MapWidth; ++x) {
      if (state.Tile(x, y) != CellNothing || (x + y) % 2 != 0) continue;
      const auto fuse = static_cast<std::int32_t>(51 * (1 + random() % 24));
      state.Bombs.Add(x, y, fuse, 2 + static_cast<std::int32_t>(random() % 4), 400, owner);
      state.Tile(x, y) = CellBombFirst;
      owner = (owner + 1) % FigureCount;
    }
  }
}

Snapshot Take(const GameState& state) {
  Snapshot snapshot;
  snapshot.tiles = state.TileMap;
  snapshot.items = state.ItemMap;
  snapshot.figures = state.Characters;
  snapshot.bombs.assign(state.Bombs.begin(), state.Bombs.end());
  snapshot.random = state.Random;
  return snapshot;
}

void Restore(GameState& state, const Snapshot& snapshot) {
  state.Bombs.Clear();
  for (const Bomb& bomb : snapshot.bombs) {
    Bomb& copy = state.Bombs.Add(bomb.X, bomb.Y, bomb.ExplodeTimeLeft, bomb.ExplodeLevel, bomb.ExplodeDuration,
                                 bomb.Owner);
    copy = bomb;
  }
  state.TileMap = snapshot.tiles;
  state.ItemMap = snapshot.items;
  state.Characters = snapshot.figures;
  state.Random = snapshot.random;
}

KeyState WalkingKeys() {
  KeyState keys{};
  for (int i = 0; i < FigureCount; ++i) {
    const int base = 20 + 8 * i;
    keys[static_cast<std::size_t>(base + (i % 2 == 0 ? 2 : 0))] = 0x80;  // right or left
    keys[static_cast<std::size_t>(base + (i < 2 ? 3 : 1))] = 0x80;       // down or up
    keys[static_cast<std::size_t>(base + 4)] = 0x80;                    // plant
  }
  return keys;
}

void RunBusyFrames(benchmark::State& bench, bool draw) {
  auto state = std::make_unique<GameState>();
  BuildField(*state);
  const KeyState keys = WalkingKeys();
  DrawList draws;
  {
    MatchEngine warmUp(*state, 0);
    for (int i = 0; i < kWarmUpFrames; ++i) warmUp.RunFrame(51, keys, &draws);
  }
  const Snapshot snapshot = Take(*state);
  long explodedAfter = 0;
  for (auto _ : bench) {
    bench.PauseTiming();
    Restore(*state, snapshot);
    MatchEngine engine(*state, 0);
    bench.ResumeTiming();
    const FrameOutcome outcome = engine.RunFrame(51, keys, draw ? &draws : nullptr);
    benchmark::DoNotOptimize(outcome);
    benchmark::DoNotOptimize(state->TileMap.data());
    explodedAfter = 0;
    for (const Bomb& bomb : state->Bombs) explodedAfter += bomb.Exploded ? 1 : 0;
  }
  bench.counters["bombs"] = static_cast<double>(snapshot.bombs.size());
  bench.counters["exploded_after"] = static_cast<double>(explodedAfter);
  bench.counters["draws"] = static_cast<double>(draw ? draws.Size() : 0);
}

void BM_EngineFrame(benchmark::State& bench) { RunBusyFrames(bench, true); }
void BM_EngineFrameWithoutDrawing(benchmark::State& bench) { RunBusyFrames(bench, false); }

BENCHMARK(BM_EngineFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EngineFrameWithoutDrawing)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace fl3

BENCHMARK_MAIN();
