// What rollback costs at its deepest: a correction for the oldest frame a
// machine may still change, so that the whole window (12 frames) is played
// again, and then the next frame with three computer players deciding.
#include <benchmark/benchmark.h>

#include <memory>

#include "NetTestKit.h"
#include "ai/ComputerPlayer.h"
#include "match/MatchFrame.h"
#include "net/RollbackRunner.h"

namespace fl3 {
namespace {

using net::RollbackRunner;

struct EdgeOfWindow {
  std::unique_ptr<GameState> state = std::make_unique<GameState>();
  std::unique_ptr<MatchEngine> engine;
  std::unique_ptr<RollbackRunner> runner;
  std::array<std::unique_ptr<ComputerPlayer>, FigureCount> players;
  std::uint32_t flip = 0;

  EdgeOfWindow() {
    MatchStart start = testing::NetTestStart(MatchMostLives, 11, 3600);
    ApplyMatchStart(start, *state);
    engine = std::make_unique<MatchEngine>(*state, -1);
    runner = std::make_unique<RollbackRunner>(*engine, *state);
    runner->DecideEscapeHere(true);
    for (int i = 0; i < 3; ++i) {
      players[static_cast<std::size_t>(i)] = std::make_unique<ComputerPlayer>(CpuStrength::Hard, 40u + static_cast<unsigned>(i));
      runner->SetSeat(i, net::SeatKind::Live, players[static_cast<std::size_t>(i)].get());
    }
    // Warm up into the middle of a match, then fill the window.
    for (int f = 0; f < 600; ++f) Correct();
    while (runner->CanRun()) runner->Step(true, nullptr);
  }

  // Figure 3's controls for the oldest open frame, different from the
  // prediction: every frame of the window is played again.
  void Correct() {
    const int frame = runner->Standing();
    runner->Give(frame, 3, ControlsToward(static_cast<int>(++flip % 4)));
    runner->Step(true, nullptr);
  }
};

void BM_DeepestRollbackAndNextFrame(benchmark::State& state) {
  EdgeOfWindow edge;
  for (auto _ : state) edge.Correct();
  state.counters["replayed"] = benchmark::Counter(static_cast<double>(edge.runner->DeepestRollback()));
}
BENCHMARK(BM_DeepestRollbackAndNextFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace fl3

BENCHMARK_MAIN();
