#include <gtest/gtest.h>

#include <memory>

#include "MatchTestKit.h"
#include "match/MatchFrame.h"

namespace fl3::testing {
namespace {

// Hands out fixed controls and notes what the field looked like when asked.
struct FixedControls : FigureControlSource {
  explicit FixedControls(FigureControls c) : controls(c) {}
  FigureControls ControlsFor(const GameState& state, int figure) override {
    ++asked;
    otherWasMoving = state.Characters[static_cast<std::size_t>(1 - figure)].Moving;
    return controls;
  }
  FigureControls controls;
  int asked = 0;
  bool otherWasMoving = false;
};

// A CPU figure's controls go through the same calls, in the same order, as a
// MAN figure's keys: the first direction in the order left, up, right, down
// starts the step, and the bomb lands on the cell being left. Catches a
// changed order, or plant before the moves.
TEST(FigureControlsTest, ControlsOfAComputerFigureAreAppliedInKeyOrder) {
  const struct {
    const char* name;
    FigureControls controls;
    std::int32_t direction;
    bool planted;
  } cases[] = {
      {"left before up", {true, true, false, false, false}, DirLeft, false},
      {"up before right", {false, true, true, false, false}, DirUp, false},
      {"right before down", {false, false, true, true, false}, DirRight, false},
      {"down, then plant on the cell left", {false, false, false, true, true}, DirDown, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto state = std::make_unique<GameState>();
    MakeOpenField(*state);
    PlaceFigure(*state, 0, 5, 5, ContCpu);
    PlaceFigure(*state, 1, 10, 5, ContMan);
    FixedControls cpu(c.controls);
    MatchEngine engine(*state, -1);
    engine.SetControlSource(0, &cpu);
    engine.RunFrame(51, KeyState{}, nullptr);
    const Character& figure = state->Characters[0];
    EXPECT_TRUE(figure.Moving);
    EXPECT_EQ(figure.Direction, c.direction);
    ASSERT_EQ(state->Bombs.Count(), c.planted ? 1 : 0);
    if (c.planted) { EXPECT_EQ(std::pair(state->Bombs.Item(1).X, state->Bombs.Item(1).Y), std::pair(5, 5)); }
  }
}

// Figures are asked in index order, each right before its controls apply,
// so the later figure sees the earlier one already walking; an OFF figure
// is never asked, a figure without a source stands, and the keyboard moves
// only MAN figures. Catches asking all sources before applying any, and
// keys steering a CPU figure.
TEST(FigureControlsTest, EachFigureIsAskedInTurnAndOnlyWhenInPlay) {
  auto state = std::make_unique<GameState>();
  MakeOpenField(*state);
  for (int i = 0; i < FigureCount; ++i) PlaceFigure(*state, i, 5 * i + 5, 5, i == 3 ? ContOff : ContCpu);
  FixedControls first({false, false, true, false, false}), second({}), off({true, false, false, false, false});
  MatchEngine engine(*state, -1);
  engine.SetControlSource(0, &first);
  engine.SetControlSource(1, &second);
  engine.SetControlSource(3, &off);
  const KeyState keys = Holding({{2, Key::Left}});
  engine.RunFrame(51, keys, nullptr);
  EXPECT_TRUE(second.otherWasMoving);
  EXPECT_EQ(off.asked, 0);
  EXPECT_FALSE(state->Characters[2].Moving);
  state->Characters[2].Cont = ContMan;
  engine.SetControlSource(2, nullptr);
  engine.RunFrame(51, keys, nullptr);
  EXPECT_FALSE(state->Characters[2].Moving);
  engine.SetControlSource(2, &engine.Keyboard());
  engine.RunFrame(51, keys, nullptr);
  EXPECT_TRUE(state->Characters[2].Moving);
}

}  // namespace
}  // namespace fl3::testing
