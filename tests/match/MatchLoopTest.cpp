#include <gtest/gtest.h>

#include <vector>

#include "MatchTestKit.h"
#include "match/MatchLoop.h"

namespace fl3 {
namespace {

class HandClock : public Clock {
 public:
  std::int64_t NowMs() override { return now; }
  std::int64_t now = 1000;
};

class HeldKeys : public KeyboardSource {
 public:
  void ReadKeyboard(KeyState& keys) override { keys = held; }
  KeyState held{};
};

// Two MAN figures on an open field, a Normal match, started at 1000 ms.
class MatchLoopTest : public ::testing::Test {
 protected:
  MatchLoopTest() {
    testing::MakeOpenField(state);
    testing::PlaceFigure(state, 0, 2, 2);
    testing::PlaceFigure(state, 1, 12, 2);
  }
  GameState state;
  HandClock clock;
  HeldKeys keyboard;
  int presented = 0;
  MatchLoop loop{state, -1, keyboard, clock, {[this](const DrawList&) { ++presented; }, nullptr}};
};

TEST_F(MatchLoopTest, AFrameBeginsOnlyMoreThanFiftyMillisecondsAfterTheLastOneBeganAndMeasuresTheGap) {
  const struct {
    std::int64_t now;
    std::int32_t frameTime;  // 0: no frame yet
    std::int64_t wakeAt;
  } calls[] = {{1000, 0, 1051}, {1050, 0, 1051}, {1051, 51, 1102}, {1101, 0, 1102},
               {1300, 249, 1351},  // a late wake-up is not caught up
               {1350, 0, 1351}, {1351, 51, 1402}};
  for (const auto& [now, frameTime, wakeAt] : calls) {
    clock.now = now;
    const int before = presented;
    const auto result = loop.Step();
    EXPECT_EQ(result.frameRan, frameTime != 0) << now;
    EXPECT_EQ(presented - before, frameTime != 0 ? 1 : 0) << now;
    if (frameTime != 0) {
      EXPECT_EQ(state.FrameTime, frameTime) << now;
    }
    EXPECT_EQ(result.wakeAtMs, wakeAt) << now;
  }
}

TEST_F(MatchLoopTest, EscapeEndsTheMatchRightAfterItsFrame) {
  keyboard.held[kEscapeKey] = 0x80;
  clock.now = 1051;
  EXPECT_TRUE(loop.Step().finished);
  EXPECT_EQ(loop.End(), MatchEnd::Quit);
  clock.now += 1000;
  EXPECT_TRUE(loop.Step().finished);
  EXPECT_EQ(presented, 1);
}

TEST_F(MatchLoopTest, AWinnerStaysOnScreenFiveSecondsWithNoFurtherFrame) {
  state.Characters[1].Cont = ContOff;  // player 2 leaves play: player 1 is the one left
  state.Characters[1].X = state.Characters[1].Y = OffMapPos;
  clock.now = 1051;
  const auto result = loop.Step();
  ASSERT_TRUE(result.frameRan);
  EXPECT_FALSE(result.finished);
  EXPECT_EQ((std::pair{loop.End(), loop.Winner()}), (std::pair{MatchEnd::Winner, 0}));
  EXPECT_EQ(result.wakeAtMs, 1051 + 5000);
  clock.now = 1051 + 4999;
  EXPECT_FALSE(loop.Step().finished);
  clock.now = 1051 + 5000;
  EXPECT_TRUE(loop.Step().finished);
  EXPECT_EQ(presented, 1);
}

}  // namespace
}  // namespace fl3
