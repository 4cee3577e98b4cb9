#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "MatchTestKit.h"
#include "match/MatchFrame.h"

namespace fl3 {
namespace {

using testing::Holding;
using testing::Key;
using testing::PlaceFigure;

class MatchFrame : public ::testing::Test {
 protected:
  void SetUp() override { testing::MakeOpenField(state); }
  FrameOutcome Frame(const KeyState& keys = {}, std::int32_t ms = 51) { return engine.RunFrame(ms, keys, &draws); }
  std::int32_t Cell(std::int32_t x, std::int32_t y) { return state.Tile(x, y); }

  GameState state;
  MatchEngine engine{state, -1};
  DrawList draws;
};

TEST_F(MatchFrame, ABombBurstsInTheFrameItsFuseGoesBelowZeroAndGoesWhenItsFireDoes) {
  const struct {
    std::int32_t frameMs;
    int burstFrame, goneFrame;
  } cases[] = {
      {51, 58, 60},   // 3000 - 59 x 51 = -9, then 100 - 2 x 51 = -2
      {60, 50, 52},   // the fuse is exactly 0 after frame 49: no burst yet
      {100, 30, 32},  // fuse and fire both reach exactly 0 a frame before they end
  };
  for (const auto& [ms, burstFrame, goneFrame] : cases) {
    testing::MakeOpenField(state);
    PlaceFigure(state, 0, 5, 5).PowerFire = 1;
    PlaceFigure(state, 1, 20, 10);
    MatchEngine match(state, -1);
    for (int frame = 0; frame <= goneFrame; ++frame) {
      // Plant, then walk two cells down and out of reach.
      const KeyState keys = frame == 0 ? Holding({{0, Key::Plant}}) : frame <= 8 ? Holding({{0, Key::Down}}) : KeyState{};
      const FrameOutcome outcome = match.RunFrame(ms, keys, &draws);
      ASSERT_EQ(outcome.end, MatchEnd::Running);
      EXPECT_EQ(outcome.beeps, frame == burstFrame ? 4 : 0) << ms << ", frame " << frame;
      const std::int32_t expected = frame < burstFrame ? 10 + (frame + 1) % 8 : frame < goneFrame ? 24 : 0;
      EXPECT_EQ(Cell(5, 5), expected) << ms << ", frame " << frame;
      EXPECT_EQ(Cell(5, 6), frame < burstFrame ? -1 : frame < goneFrame ? 21 : -1) << ms << ", frame " << frame;
      EXPECT_EQ(state.Bombs.Count(), frame < goneFrame ? 1 : 0) << ms << ", frame " << frame;
    }
    EXPECT_EQ(state.Characters[0].Lives, 3);
    // The fire was gone before the map of the last frame was drawn.
    EXPECT_TRUE(std::none_of(draws.Draws().begin(), draws.Draws().end(), [](const SpriteDraw& draw) {
      return draw.picture.kind == PictureKind::Tile && draw.picture.index >= 18;
    }));
  }
}

TEST_F(MatchFrame, TheBombBehindARemovedOneWaitsAFrameButLaterOnesBurstInTheSamePass) {
  PlaceFigure(state, 0, 0, 0);
  PlaceFigure(state, 1, 24, 14);
  state.Bombs.Add(2, 2, 3000, 0, 10, 0).Exploded = true;  // its fire goes this frame
  state.Bombs.Add(6, 6, 3000, 1, 100, 1);
  state.Bombs.Add(9, 9, 3000, 1, 100, 1);
  Frame();
  ASSERT_EQ(state.Bombs.Count(), 2);
  EXPECT_EQ(state.Bombs.Item(1).ExplodeTimeLeft, 3000);  // skipped
  EXPECT_EQ(state.Bombs.Item(2).ExplodeTimeLeft, 2949);
  Frame();
  EXPECT_EQ(state.Bombs.Item(1).ExplodeTimeLeft, 2949);

  testing::MakeOpenField(state);
  PlaceFigure(state, 0, 0, 0);
  PlaceFigure(state, 1, 24, 14);
  state.Bombs.Add(10, 5, 150, 1, 100, 1);  // prepared before the blast
  state.Bombs.Add(11, 5, 20, 1, 100, 0);   // bursts this frame
  state.Bombs.Add(12, 5, 150, 1, 100, 1);  // cut to 37.5 -> 38 before its turn, then 38 - 51
  const FrameOutcome outcome = Frame();
  EXPECT_EQ((std::array{state.Bombs.Item(1).Exploded, state.Bombs.Item(2).Exploded, state.Bombs.Item(3).Exploded}),
            (std::array{false, true, true}));
  EXPECT_EQ(state.Bombs.Item(1).ExplodeTimeLeft, 25);  // 99 / 4 = 24.75
  EXPECT_EQ(outcome.beeps, 5);  // up and down of both, and the last one's right arm
}

TEST_F(MatchFrame, KeysAreTriedLeftUpRightDownThenPlantAndOnlyManFiguresAreSteered) {
  Character& figure = PlaceFigure(state, 0, 5, 5);
  state.Tile(4, 5) = CellBlock1;
  Character& cpu = PlaceFigure(state, 1, 8, 8, ContCpu);
  cpu.Moving = true;
  cpu.Direction = DirRight;
  const KeyState keys = Holding({{0, Key::Left}, {0, Key::Up}, {0, Key::Right}, {0, Key::Plant}, {1, Key::Plant}});
  Frame(keys);
  EXPECT_EQ(figure.Direction, DirUp);
  ASSERT_EQ(state.Bombs.Count(), 1);
  EXPECT_EQ(state.Bombs.Item(1).Y, 5);  // planted on the cell being left
  for (int i = 0; i < 3; ++i) Frame(keys);
  EXPECT_EQ((std::array{figure.X, figure.Y, cpu.X, cpu.Y}), (std::array{5, 4, 9, 8}));
  EXPECT_EQ(state.Bombs.Count(), 1);
}

TEST_F(MatchFrame, EscapeEndsTheMatchAfterItsFrameAndNothingChangesAfterTheEnd) {
  PlaceFigure(state, 0, 5, 5);
  PlaceFigure(state, 1, 9, 9);
  KeyState keys = Holding({{0, Key::Plant}});
  keys[kEscapeKey] = 0x80;
  EXPECT_EQ(Frame(keys).end, MatchEnd::Quit);
  EXPECT_EQ(Cell(5, 5), 11);  // the frame completed
  EXPECT_EQ(Frame(keys).end, MatchEnd::Quit);
  EXPECT_EQ(state.Bombs.Item(1).ExplodeTimeLeft, 2949);
  EXPECT_EQ(draws.Size(), 0u);
}

TEST_F(MatchFrame, EachKindEndsByItsOwnRuleAndOnlyFiguresInPlayCount) {
  const bool T = true, F = false;
  const struct {
    const char* what;
    std::int32_t kind, timeLeft, timeAfter;
    std::array<std::int32_t, 4> lives;
    std::array<bool, 4> inPlay;
    MatchEnd end;
    int winner;
    bool escape = false;
  } cases[] = {
      {"normal, two left", MatchNormal, 40, 40, {1, 1, 1, 1}, {T, F, T, F}, MatchEnd::Running, -1},
      {"normal, one left", MatchNormal, 40, 40, {1, 1, 1, 1}, {F, F, T, F}, MatchEnd::Winner, 2},
      {"normal, nobody left", MatchNormal, 40, 40, {1, 1, 1, 1}, {F, F, F, F}, MatchEnd::NoWinner, -1},
      {"escape", MatchNormal, 40, 40, {1, 1, 1, 1}, {T, T, F, F}, MatchEnd::Quit, -1, true},
      {"escape, one left", MatchNormal, 40, 40, {1, 1, 1, 1}, {F, T, F, F}, MatchEnd::Winner, 1, true},
      {"time left", MatchMostKills, 52, 1, {2, 3, 1, 0}, {T, T, T, F}, MatchEnd::Running, -1},
      {"most kills", MatchMostKills, 51, 0, {2, 3, 1, 0}, {T, T, T, F}, MatchEnd::Winner, 1},
      {"most lives, tie", MatchMostLives, 30, -21, {50, 0, 50, 20}, {T, F, T, T}, MatchEnd::NoWinner, -1},
      {"most lives, all gone early", MatchMostLives, 52, 1, {0, 0, 0, 0}, {F, F, F, F}, MatchEnd::Running, -1},
      // Figures out of play keep the 5 of the last match's reset out of it.
      {"old counts", MatchMostKills, 51, 0, {2, 1, 5, 5}, {T, T, F, F}, MatchEnd::Winner, 0},
      {"old counts, tie", MatchMostKills, 51, 0, {2, 2, 5, 5}, {T, T, F, F}, MatchEnd::NoWinner, -1},
      // Nobody above 0: the candidate stays figure 0, shown only if it plays.
      {"nobody, 0 out", MatchMostKills, 40, -11, {0, -1, -2, 0}, {F, T, T, F}, MatchEnd::NoWinner, -1},
      {"nobody, 0 in", MatchMostKills, 40, -11, {0, -1, -2, 0}, {T, T, T, F}, MatchEnd::Winner, 0},
  };
  for (const auto& c : cases) {
    testing::MakeOpenField(state);
    state.MatchKind = c.kind;
    state.TimeLeft = c.timeLeft;
    for (std::size_t i = 0; i < 4; ++i) {
      PlaceFigure(state, static_cast<int>(i), 3 * static_cast<std::int32_t>(i) + 1, 1).Lives = c.lives[i];
      if (!c.inPlay[i]) state.Characters[i] = Character{OffMapPos, OffMapPos, ContOff, DirLeft, c.lives[i], 0, 0, {}};
    }
    KeyState keys{};
    keys[kEscapeKey] = c.escape ? 1 : 0;
    MatchEngine match(state, -1);
    const FrameOutcome outcome = match.RunFrame(51, keys, &draws);
    EXPECT_EQ(state.TimeLeft, c.timeAfter) << c.what;
    EXPECT_EQ((std::pair{outcome.end, outcome.winner}), (std::pair{c.end, c.winner})) << c.what;
    // The winner's whole picture, untinted, 256 x 256 at (272, 172), over the finished frame.
    if (c.end == MatchEnd::Winner) {
      EXPECT_EQ(draws.Draws().back(), (SpriteDraw{{PictureKind::Winner, static_cast<std::int8_t>(c.winner)}, 272, 172, 256, 256}));
    } else {
      EXPECT_NE(draws.Draws().back().picture.kind, PictureKind::Winner) << c.what;
    }
  }
}

}  // namespace
}  // namespace fl3
