#include <gtest/gtest.h>

#include <memory>

#include "MatchTestKit.h"
#include "match/MatchFrame.h"

namespace fl3::testing {
namespace {

// Hands out fixed controls and notes what the field looked like when asked.
class FixedControls : public FigureControlSource {
 public:
  explicit FixedControls(FigureControls controls) : controls_(controls) {}
  FigureControls ControlsFor(const GameState& state, int figure) override {
    ++asked;
    otherWasMoving = state.Characters[static_cast<std::size_t>(1 - figure)].Moving;
    return controls_;
  }
  int asked = 0;
  bool otherWasMoving = false;

 private:
  FigureControls controls_;
};

// A CPU figure's controls go through the same calls, in the same order, as a
// MAN figure's keys: the first direction in the order left, up, right, down
// starts the step, and the bomb lands on the cell being left. Catches a
// changed order, plant before the moves, or controls applied to a figure
// that is not asked.
TEST(FigureControlsTest, ControlsOfAComputerFigureAreAppliedInKeyOrder) {
  struct Case {
    const char* name;
    FigureControls controls;
    bool moving;
    std::int32_t direction;
    bool planted;
  };
  const Case cases[] = {
      {"left before up", {true, true, false, false, false}, true, DirLeft, false},
      {"up before right", {false, true, true, false, false}, true, DirUp, false},
      {"right before down", {false, false, true, true, false}, true, DirRight, false},
      {"down, then plant on the cell left", {false, false, false, true, true}, true, DirDown, true},
      {"nothing held", {}, false, DirLeft, false},
  };
  for (const Case& c : cases) {
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
    EXPECT_EQ(figure.Moving, c.moving);
    EXPECT_EQ(figure.Direction, c.direction);
    ASSERT_EQ(state->Bombs.Count(), c.planted ? 1 : 0);
    if (c.planted) {
      EXPECT_EQ(std::make_pair(state->Bombs.Item(1).X, state->Bombs.Item(1).Y), std::make_pair(5, 5));
    }
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
  PlaceFigure(*state, 0, 5, 5, ContCpu);
  PlaceFigure(*state, 1, 10, 5, ContCpu);
  PlaceFigure(*state, 2, 15, 5, ContCpu);
  GiveKeys(state->Characters[2], 2);
  PlaceFigure(*state, 3, 20, 5, ContOff);
  FixedControls first({false, false, true, false, false});
  FixedControls second({false, false, false, false, false});
  FixedControls off({true, false, false, false, false});
  MatchEngine engine(*state, -1);
  engine.SetControlSource(0, &first);
  engine.SetControlSource(1, &second);
  engine.SetControlSource(3, &off);
  KeyState keys{};
  Hold(keys, 2, Key::Left);
  engine.RunFrame(51, keys, nullptr);
  EXPECT_TRUE(second.otherWasMoving);
  EXPECT_EQ(off.asked, 0);
  EXPECT_FALSE(state->Characters[2].Moving);
  engine.SetControlSource(2, nullptr);
  state->Characters[2].Cont = ContMan;
  engine.RunFrame(51, keys, nullptr);
  EXPECT_FALSE(state->Characters[2].Moving);
  engine.SetControlSource(2, &engine.Keyboard());
  engine.RunFrame(51, keys, nullptr);
  EXPECT_TRUE(state->Characters[2].Moving);
}

}  // namespace
}  // namespace fl3::testing
