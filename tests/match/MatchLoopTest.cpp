#include <gtest/gtest.h>

#include <vector>

#include "core/GameState.h"
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

// Two MAN figures on an open field, a Normal match.
void PrepareTwoFigureMatch(GameState& state) {
  state.TileMap.fill(CellNothing);
  state.MatchKind = MatchNormal;
  for (int i = 0; i < FigureCount; ++i) {
    Character& figure = state.Characters[static_cast<std::size_t>(i)];
    figure.Cont = i < 2 ? ContMan : ContOff;
    figure.Lives = 3;
    figure.X = i < 2 ? 2 + 10 * i : OffMapPos;
    figure.Y = i < 2 ? 2 : OffMapPos;
  }
}

struct LoopRig {
  GameState state;
  HandClock clock;
  HeldKeys keyboard;
  std::vector<std::int64_t> frameStarts;
  std::vector<std::int32_t> frameTimes;
  int presented = 0;

  MatchLoop MakeLoop() {
    PrepareTwoFigureMatch(state);
    MatchLoop::Hooks hooks;
    hooks.present = [this](const DrawList&) {
      ++presented;
      frameStarts.push_back(clock.now);
      frameTimes.push_back(state.FrameTime);
    };
    return MatchLoop(state, -1, keyboard, clock, hooks);
  }
};

TEST(MatchLoop, FramesBeginOnlyAfterMoreThanFiftyMillisecondsAndMeasureTheGap) {
  LoopRig rig;
  MatchLoop loop = rig.MakeLoop();
  // Wake-ups every 7 ms, as an imprecise timer might deliver them.
  for (int tick = 0; tick < 100; ++tick) {
    rig.clock.now += 7;
    loop.Step();
  }
  // Frames at the first 7 ms tick at least 51 ms after the last one: every 56 ms.
  ASSERT_EQ(rig.frameStarts.size(), 12u);
  for (std::size_t i = 0; i < rig.frameStarts.size(); ++i) {
    EXPECT_EQ(rig.frameStarts[i], 1000 + 56 * static_cast<std::int64_t>(i + 1));
    EXPECT_EQ(rig.frameTimes[i], 56);
  }
}

TEST(MatchLoop, WakeTimeIsExactlyTheEarliestAllowedFrameStart) {
  LoopRig rig;
  MatchLoop loop = rig.MakeLoop();
  auto result = loop.Step();
  EXPECT_FALSE(result.frameRan);
  EXPECT_EQ(result.wakeAtMs, 1051);
  rig.clock.now = 1050;
  EXPECT_FALSE(loop.Step().frameRan);
  rig.clock.now = 1051;
  result = loop.Step();
  EXPECT_TRUE(result.frameRan);
  EXPECT_EQ(rig.state.FrameTime, 51);
  EXPECT_EQ(result.wakeAtMs, 1102);
  // A late wake-up is not caught up: the frame time grows instead.
  rig.clock.now = 1300;
  loop.Step();
  EXPECT_EQ(rig.state.FrameTime, 249);
}

TEST(MatchLoop, EscapeEndsTheMatchAfterTheCurrentFrameWithoutWinner) {
  LoopRig rig;
  MatchLoop loop = rig.MakeLoop();
  for (int frame = 0; frame < 3; ++frame) {
    rig.clock.now = loop.Step().wakeAtMs;
  }
  rig.keyboard.held[kEscapeKey] = 0x80;
  MatchLoop::StepResult result;
  while (!(result = loop.Step()).frameRan) rig.clock.now = result.wakeAtMs;
  EXPECT_TRUE(result.finished);
  EXPECT_EQ(loop.End(), MatchEnd::Quit);
  const int framesAtEnd = rig.presented;
  rig.clock.now += 1000;
  EXPECT_TRUE(loop.Step().finished);
  EXPECT_EQ(rig.presented, framesAtEnd);
}

TEST(MatchLoop, WinnerPictureStaysFiveSecondsWithNoFurtherFrames) {
  LoopRig rig;
  MatchLoop loop = rig.MakeLoop();
  rig.clock.now = loop.Step().wakeAtMs;
  ASSERT_TRUE(loop.Step().frameRan);
  // Player 2 leaves play: player 1 is the one figure left.
  rig.state.Characters[1].Cont = ContOff;
  rig.state.Characters[1].X = rig.state.Characters[1].Y = OffMapPos;
  rig.clock.now += 51;
  const std::int64_t winnerFrame = rig.clock.now;
  auto result = loop.Step();
  ASSERT_TRUE(result.frameRan);
  EXPECT_FALSE(result.finished);
  EXPECT_EQ(loop.End(), MatchEnd::Winner);
  EXPECT_EQ(loop.Winner(), 0);
  EXPECT_EQ(result.wakeAtMs, winnerFrame + 5000);
  const int framesAtWinner = rig.presented;
  rig.clock.now = winnerFrame + 4999;
  EXPECT_FALSE(loop.Step().finished);
  rig.clock.now = winnerFrame + 5000;
  EXPECT_TRUE(loop.Step().finished);
  EXPECT_EQ(rig.presented, framesAtWinner);
}

}  // namespace
}  // namespace fl3
