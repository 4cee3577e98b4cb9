// One engine frame on a busy field (four walking figures, bombs on every few
// cells, fire from earlier blasts and new blasts starting in the frame), and
// what rewinding such a match costs.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

#include "core/GameState.h"
#include "ai/ComputerPlayer.h"
#include "match/MatchFrame.h"
#include "match/MatchSnapshot.h"

namespace fl3 {
namespace {

constexpr int kWarmUpFrames = 12;

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

// A busy field after a few frames of walking and planting, as a snapshot.
struct BusyMatch {
  explicit BusyMatch(bool computerPlayers) {
    BuildField(*state);
    for (int i = 0; i < FigureCount && computerPlayers; ++i) {
      state->Characters[static_cast<std::size_t>(i)].Cont = ContCpu;
      players[static_cast<std::size_t>(i)] = std::make_unique<ComputerPlayer>(CpuStrength::Normal, 7 + i);
      engine.SetControlSource(i, players[static_cast<std::size_t>(i)].get());
    }
    for (int i = 0; i < kWarmUpFrames; ++i) engine.RunFrame(51, keys, nullptr);
    engine.Save(start);
  }
  std::unique_ptr<GameState> state = std::make_unique<GameState>();
  MatchEngine engine{*state, 0};
  std::array<std::unique_ptr<ComputerPlayer>, FigureCount> players;
  KeyState keys = WalkingKeys();
  MatchSnapshot start;
};

void RunBusyFrames(benchmark::State& bench, bool draw) {
  BusyMatch match(false);
  DrawList draws;
  long explodedAfter = 0;
  for (auto _ : bench) {
    bench.PauseTiming();
    match.engine.Restore(match.start);
    bench.ResumeTiming();
    const FrameOutcome outcome = match.engine.RunFrame(51, match.keys, draw ? &draws : nullptr);
    benchmark::DoNotOptimize(outcome);
    benchmark::DoNotOptimize(match.state->TileMap.data());
    explodedAfter = 0;
    for (const Bomb& bomb : match.state->Bombs) explodedAfter += bomb.Exploded ? 1 : 0;
  }
  bench.counters["bombs"] = static_cast<double>(match.start.bombs.size());
  bench.counters["exploded_after"] = static_cast<double>(explodedAfter);
  bench.counters["draws"] = static_cast<double>(draw ? draws.Size() : 0);
}

void BM_EngineFrame(benchmark::State& bench) { RunBusyFrames(bench, true); }
void BM_EngineFrameWithoutDrawing(benchmark::State& bench) { RunBusyFrames(bench, false); }

// Save and restore together, as a rollback does once per correction.
void BM_SnapshotSaveAndRestore(benchmark::State& bench) {
  BusyMatch match(false);
  MatchSnapshot saved;
  for (auto _ : bench) {
    match.engine.Save(saved);
    match.engine.Restore(match.start);
    benchmark::DoNotOptimize(match.state->TileMap.data());
  }
  std::vector<std::uint8_t> bytes;
  EncodeSnapshot(match.start, bytes);
  bench.counters["bombs"] = static_cast<double>(match.start.bombs.size());
  bench.counters["encoded_bytes"] = static_cast<double>(bytes.size());
}

void BM_SnapshotHash(benchmark::State& bench) {
  BusyMatch match(false);
  for (auto _ : bench) benchmark::DoNotOptimize(HashSnapshot(match.start));
}

// Four computer players have played 12 frames; going back and playing them
// again takes their recorded controls, so no player decides twice.
void BM_Rollback12Frames(benchmark::State& bench) {
  BusyMatch match(true);
  std::array<ControlFrame, 12> recorded;
  for (ControlFrame& frame : recorded) {
    match.engine.RunFrame(51, match.keys, nullptr);
    frame = match.engine.LastControls();
  }
  for (auto _ : bench) {
    match.engine.Restore(match.start);
    for (const ControlFrame& frame : recorded) match.engine.RunFrame(frame, nullptr);
    benchmark::DoNotOptimize(match.state->TileMap.data());
  }
  bench.counters["bombs"] = static_cast<double>(match.start.bombs.size());
}

BENCHMARK(BM_EngineFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EngineFrameWithoutDrawing)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SnapshotSaveAndRestore)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SnapshotHash)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Rollback12Frames)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace fl3

BENCHMARK_MAIN();
