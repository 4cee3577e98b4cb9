#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "NetTestKit.h"
#include "match/MatchFrame.h"
#include "net/RollbackRunner.h"

namespace fl3 {
namespace {

using net::RollbackRunner;
using net::SeatKind;

// Random controls that change every few frames, as players' do.
std::vector<ControlFrame> RandomControls(int frames, std::uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<ControlFrame> controls(static_cast<std::size_t>(frames));
  for (int f = 0; f < frames; ++f) {
    ControlFrame& frame = controls[static_cast<std::size_t>(f)];
    for (int i = 0; i < FigureCount; ++i) {
      const auto index = static_cast<std::size_t>(i);
      frame.figures[index] = f > 0 && random() % 4 != 0 ? controls[static_cast<std::size_t>(f - 1)].figures[index]
                                                        : UnpackFigure(random() % 32);
    }
  }
  return controls;
}

struct Machine {
  std::unique_ptr<GameState> state = std::make_unique<GameState>();
  std::unique_ptr<MatchEngine> engine;
  explicit Machine(const MatchStart& start) {
    ApplyMatchStart(start, *state);
    engine = std::make_unique<MatchEngine>(*state, -1);
  }
  std::uint64_t Hash() const {
    MatchSnapshot snapshot;
    engine->Save(snapshot);
    return HashSnapshot(snapshot);
  }
};

// Figure 1's controls arrive `lag` frames late (up to the whole window), the
// rest at once. Catches a restore into the wrong frame, predictions kept
// after the truth arrived, and frames said to stand before they do.
TEST(RollbackRunnerTest, LateControlsEndWhereTheStraightMatchEnds) {
  const MatchStart start = testing::NetTestStart(MatchMostKills, 3);
  const int frames = 300;
  for (const int lag : {1, 5, RollbackRunner::kWindow}) {
    const std::vector<ControlFrame> controls = RandomControls(frames, static_cast<std::uint32_t>(lag));
    Machine straight(start);
    for (const ControlFrame& frame : controls) straight.engine->RunFrame(frame, nullptr);

    Machine late(start);
    RollbackRunner runner(*late.engine, *late.state);
    runner.DecideEscapeHere(true);
    int steps = 0;
    while (runner.Standing() < frames && ++steps < 10 * frames) {
      const int now = runner.Current();
      for (int i : {0, 2, 3}) runner.Give(now, i, controls[static_cast<std::size_t>(std::min(now, frames - 1))].figures[static_cast<std::size_t>(i)]);
      if (now - lag >= 0) runner.Give(now - lag, 1, controls[static_cast<std::size_t>(now - lag)].figures[1]);
      if (now >= frames) {
        for (int f = frames - lag; f < frames; ++f) runner.Give(f, 1, controls[static_cast<std::size_t>(f)].figures[1]);
      }
      runner.Step(now < frames, nullptr);
      ASSERT_LE(runner.Current() - runner.Standing(), RollbackRunner::kWindow);
    }
    SCOPED_TRACE("lag " + std::to_string(lag));
    ASSERT_GE(runner.Standing(), frames);
    EXPECT_LE(runner.DeepestRollback(), RollbackRunner::kWindow);
    EXPECT_GT(runner.Rollbacks(), 0);
    for (int f = 0; f < frames; ++f) {
      ASSERT_EQ(runner.StandingControls()[static_cast<std::size_t>(f)].figures, controls[static_cast<std::size_t>(f)].figures) << f;
    }
    EXPECT_EQ(runner.StandingHash(frames - 1), straight.Hash());
  }
}

class CountingSource : public FigureControlSource {
 public:
  FigureControls ControlsFor(const GameState&, int) override {
    ++asked;
    return ControlsToward((asked / 8 + DirRight) % 4);
  }
  int asked = 0;
};

// With no word from anybody else, a machine's own press shows in its very
// next frame (input delay 0) or that many frames later, and a computer
// player decides each frame once, however often the frame is played again.
TEST(RollbackRunnerTest, OwnControlsOnTimeAndDecidedOnce) {
  for (const int delay : {0, 2}) {
    Machine machine(testing::NetTestStart(MatchNormal, 5));
    RollbackRunner runner(*machine.engine, *machine.state);
    CountingSource own, computer;
    runner.SetSeat(0, SeatKind::Sampled, &own);
    runner.SetSeat(3, SeatKind::Live, &computer);
    runner.SetInputDelay(delay);
    const Character& figure = machine.state->Characters[0];
    const std::int32_t startX = figure.X;
    for (int f = 0; f < delay; ++f) runner.Step(true, nullptr);
    EXPECT_FALSE(figure.Moving || figure.X != startX) << "delay " << delay;
    runner.Step(true, nullptr);
    EXPECT_TRUE(figure.Moving || figure.X != startX) << "delay " << delay;
    for (int f = delay + 1; f < RollbackRunner::kWindow + 4; ++f) {
      runner.Give(f - 1, 1, UnpackFigure(static_cast<std::uint32_t>(f % 32)));  // corrections every frame
      runner.Step(true, nullptr);
    }
    EXPECT_EQ(runner.Current(), RollbackRunner::kWindow);  // then it waits
    EXPECT_EQ(own.asked, RollbackRunner::kWindow);
    EXPECT_EQ(computer.asked, RollbackRunner::kWindow);
    EXPECT_GT(runner.Rollbacks(), 0);
  }
}

}  // namespace
}  // namespace fl3
