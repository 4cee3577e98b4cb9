#include <gtest/gtest.h>

#include <array>

#include "MatchTestKit.h"
#include "match/MatchFrame.h"

namespace fl3 {
namespace {

using testing::CellAt;
using testing::GiveKeys;
using testing::Hold;
using testing::Key;
using testing::MakeOpenField;
using testing::PlaceFigure;
using testing::SetCell;

class MatchFrame : public ::testing::Test {
 protected:
  void SetUp() override { MakeOpenField(state); }
  Character& Man(int i, std::int32_t x, std::int32_t y) {
    Character& figure = PlaceFigure(state, i, x, y);
    GiveKeys(figure, i);
    return figure;
  }
  FrameOutcome Frame(const KeyState& keys, std::int32_t ms = 51) { return engine.RunFrame(ms, keys, &draws); }
  FrameOutcome Frame() { return Frame(KeyState{}); }

  GameState state;
  MatchEngine engine{state, -1};
  DrawList draws;
};

TEST_F(MatchFrame, ABombPlantedInFrameZeroExplodesIn58AndGoesIn60) {
  Man(0, 5, 5).PowerFire = 1;
  Man(1, 20, 10);
  KeyState plant{};
  Hold(plant, 0, Key::Plant);
  KeyState down{};
  Hold(down, 0, Key::Down);
  Frame(plant);
  EXPECT_EQ(CellAt(state, 5, 5), 11);
  for (int frame = 1; frame <= 57; ++frame) {
    const FrameOutcome outcome = Frame(frame <= 8 ? down : KeyState{});
    EXPECT_EQ(CellAt(state, 5, 5), 10 + (frame + 1) % 8) << frame;
    EXPECT_EQ(outcome.beeps, 0);
  }
  EXPECT_EQ(state.Characters[0].Y, 7);  // walked two cells down, out of reach
  EXPECT_EQ(state.Bombs.Item(1).ExplodeTimeLeft, 42);

  FrameOutcome outcome = Frame();  // frame 58
  EXPECT_EQ(outcome.beeps, 4);
  EXPECT_EQ(CellAt(state, 5, 5), 24);
  EXPECT_EQ(CellAt(state, 5, 6), 21);
  EXPECT_EQ(state.Bombs.Item(1).ExplodeTimeLeft, -9);
  EXPECT_EQ(state.Characters[0].Lives, 3);
  Frame();  // frame 59: the fire still shows
  EXPECT_EQ(CellAt(state, 5, 5), 24);
  EXPECT_EQ(state.Bombs.Item(1).ExplodeDuration, 49);
  Frame();  // frame 60
  EXPECT_EQ(state.Bombs.Count(), 0);
  EXPECT_EQ(CellAt(state, 5, 5), CellDoodad);
  EXPECT_EQ(CellAt(state, 4, 5), CellNothing);
  EXPECT_EQ(CellAt(state, 5, 6), CellNothing);
  for (const SpriteDraw& draw : draws.Draws()) {
    EXPECT_FALSE(draw.picture.kind == PictureKind::Tile && draw.picture.index >= 18);
  }
}

TEST_F(MatchFrame, TheBombBehindARemovedOneWaitsAFrame) {
  Man(0, 0, 0);
  Man(1, 24, 14);
  Bomb& first = state.Bombs.Add(2, 2, 3000, 0, 10, 0);
  first.Exploded = true;
  SetCell(state, 2, 2, CellFireCentre);
  state.Bombs.Add(6, 6, 3000, 1, 100, 1);
  SetCell(state, 6, 6, 12);
  state.Bombs.Add(9, 9, 3000, 1, 100, 1);
  SetCell(state, 9, 9, 15);
  Frame();
  ASSERT_EQ(state.Bombs.Count(), 2);
  EXPECT_EQ(state.Bombs.Item(1).ExplodeTimeLeft, 3000);  // skipped
  EXPECT_EQ(CellAt(state, 6, 6), 12);
  EXPECT_EQ(state.Bombs.Item(2).ExplodeTimeLeft, 2949);
  EXPECT_EQ(CellAt(state, 9, 9), 16);
  Frame();
  EXPECT_EQ(state.Bombs.Item(1).ExplodeTimeLeft, 2949);
  EXPECT_EQ(CellAt(state, 6, 6), 13);
}

TEST_F(MatchFrame, ChainReactionsReachLaterBombsInTheSamePass) {
  Man(0, 0, 0);
  Man(1, 24, 14);
  state.Bombs.Add(10, 5, 150, 1, 100, 1);  // before the blast in the collection
  SetCell(state, 10, 5, 10);
  state.Bombs.Add(11, 5, 20, 1, 100, 0);  // explodes this frame
  SetCell(state, 11, 5, 10);
  state.Bombs.Add(12, 5, 150, 1, 100, 1);  // after it
  SetCell(state, 12, 5, 10);
  const FrameOutcome outcome = Frame();
  EXPECT_TRUE(state.Bombs.Item(2).Exploded);
  EXPECT_TRUE(state.Bombs.Item(3).Exploded);  // cut to 37.5 -> 38 before its turn, then 38 - 51
  EXPECT_FALSE(state.Bombs.Item(1).Exploded);
  EXPECT_EQ(state.Bombs.Item(1).ExplodeTimeLeft, 25);  // 99 / 4 = 24.75
  EXPECT_EQ(outcome.beeps, 5);  // up and down of both, and the last one's right arm
  Frame();
  EXPECT_TRUE(state.Bombs.Item(1).Exploded);
}

TEST_F(MatchFrame, KeysAreTriedLeftUpRightDownThenPlant) {
  Character& figure = Man(0, 5, 5);
  Man(1, 20, 10);
  SetCell(state, 4, 5, CellBlock1);
  KeyState keys{};
  Hold(keys, 0, Key::Left);
  Hold(keys, 0, Key::Up);
  Hold(keys, 0, Key::Right);
  Hold(keys, 0, Key::Plant);
  Frame(keys);
  EXPECT_EQ(figure.Direction, DirUp);
  EXPECT_TRUE(figure.Moving);
  EXPECT_EQ(figure.StepOffset, 8);
  ASSERT_EQ(state.Bombs.Count(), 1);
  EXPECT_EQ(state.Bombs.Item(1).Y, 5);  // planted on the cell being left
  for (int i = 0; i < 3; ++i) Frame(keys);
  EXPECT_EQ(figure.Y, 4);
  EXPECT_FALSE(figure.Moving);
  EXPECT_EQ(figure.X, 5);
}

TEST_F(MatchFrame, OnlyManFiguresAreSteeredButCpuFiguresStillWalk) {
  Character& cpu = Man(1, 8, 8);
  cpu.Cont = ContCpu;
  Man(0, 2, 2);
  cpu.Moving = true;
  cpu.Direction = DirRight;
  cpu.AnimTime = 250;
  KeyState keys{};
  Hold(keys, 1, Key::Plant);
  for (int i = 0; i < 4; ++i) Frame(keys);
  EXPECT_EQ(cpu.X, 9);
  EXPECT_EQ(state.Bombs.Count(), 0);
}

TEST_F(MatchFrame, EscapeEndsAfterTheFrameUnlessAWinnerIsFound) {
  Man(0, 5, 5);
  Man(1, 9, 9);
  KeyState keys{};
  keys[kEscapeKey] = 0x80;
  Hold(keys, 0, Key::Plant);
  const FrameOutcome outcome = Frame(keys);
  EXPECT_EQ(outcome.end, MatchEnd::Quit);
  EXPECT_EQ(state.Bombs.Count(), 1);  // the frame completed
  EXPECT_EQ(CellAt(state, 5, 5), 11);
  // The engine changes nothing once the match has ended.
  EXPECT_EQ(Frame(keys).end, MatchEnd::Quit);
  EXPECT_EQ(state.Bombs.Item(1).ExplodeTimeLeft, 2949);
  EXPECT_EQ(draws.Size(), 0u);
}

TEST_F(MatchFrame, EscapeInTheFrameThatLeavesOneFigureShowsTheWinner) {
  Man(0, 5, 5);
  Character& loser = Man(2, 6, 5);
  loser.Lives = 1;
  state.Bombs.Add(5, 5, 10, 1, 100, 0);
  KeyState keys{};
  keys[kEscapeKey] = 1;
  const FrameOutcome outcome = Frame(keys);
  EXPECT_EQ(outcome.end, MatchEnd::Winner);
  EXPECT_EQ(outcome.winner, 0);
  // The whole winner picture of figure 0, untinted, 256 x 256 at (272, 172).
  EXPECT_EQ(draws.Draws().back(), (SpriteDraw{{PictureKind::Winner, 0, 0, 0}, 272, 172, 256, 256}));
}

TEST_F(MatchFrame, NormalMatchEndsWithTheLastFigureOrWithNobody) {
  Man(1, 5, 5).Lives = 1;
  Man(3, 5, 7).Lives = 1;
  Man(2, 20, 3);
  EXPECT_EQ(Frame().end, MatchEnd::Running);
  state.Bombs.Add(5, 6, 10, 1, 100, 2);  // reaches both
  FrameOutcome outcome = Frame();
  EXPECT_EQ(outcome.end, MatchEnd::Winner);
  EXPECT_EQ(outcome.winner, 2);

  MakeOpenField(state);
  MatchEngine second(state, -1);
  PlaceFigure(state, 0, 5, 5).Lives = 1;
  PlaceFigure(state, 1, 5, 7).Lives = 1;
  state.Bombs.Add(5, 6, 10, 1, 100, 0);
  outcome = second.RunFrame(51, KeyState{}, &draws);
  EXPECT_EQ(outcome.end, MatchEnd::NoWinner);
  EXPECT_NE(draws.Draws().back().picture.kind, PictureKind::Winner);
}

class TimedMatch : public MatchFrame {
 protected:
  void Start(std::int32_t kind, std::int32_t ms) {
    state.MatchKind = kind;
    state.TimeLeft = ms;
  }
};

TEST_F(TimedMatch, AtTimeOutTheHighestCountInPlayWinsAndATieHasNoWinner) {
  const struct {
    const char* what;
    std::int32_t kind, ms;
    std::array<std::int32_t, 4> lives;
    std::array<bool, 4> inPlay;
    MatchEnd end;
    int winner;
  } cases[] = {
      {"time left", MatchMostKills, 52, {2, 3, 1, 0}, {true, true, true, false}, MatchEnd::Running, -1},
      {"most kills", MatchMostKills, 51, {2, 3, 1, 0}, {true, true, true, false}, MatchEnd::Winner, 1},
      {"most lives, tie", MatchMostLives, 30, {50, 0, 50, 20}, {true, false, true, true}, MatchEnd::NoWinner, -1},
      // Figures out of play keep the 5 of the last match's reset out of it.
      {"old counts", MatchMostKills, 51, {2, 1, 5, 5}, {true, true, false, false}, MatchEnd::Winner, 0},
      {"old counts, tie", MatchMostKills, 51, {2, 2, 5, 5}, {true, true, false, false}, MatchEnd::NoWinner, -1},
      // Nobody above 0: the candidate stays figure 0, shown only if it plays.
      {"nobody, 0 out", MatchMostKills, 40, {0, -1, -2, 0}, {false, true, true, false}, MatchEnd::NoWinner, -1},
      {"nobody, 0 in", MatchMostKills, 40, {0, -1, -2, 0}, {true, true, true, false}, MatchEnd::Winner, 0},
  };
  for (const auto& c : cases) {
    MakeOpenField(state);
    Start(c.kind, c.ms);
    for (int i = 0; i < 4; ++i) {
      Character& figure = Man(i, 3 * i + 1, 3 * i + 1);
      figure.Lives = c.lives[static_cast<std::size_t>(i)];
      if (!c.inPlay[static_cast<std::size_t>(i)]) {
        figure.Cont = ContOff;
        figure.X = figure.Y = OffMapPos;
      }
    }
    MatchEngine timed(state, -1);
    const FrameOutcome outcome = timed.RunFrame(51, KeyState{}, &draws);
    EXPECT_EQ(state.TimeLeft, c.ms - 51) << c.what;
    EXPECT_EQ(outcome.end, c.end) << c.what;
    EXPECT_EQ(outcome.winner, c.winner) << c.what;
    EXPECT_EQ(draws.Draws().back().picture.kind == PictureKind::Winner, c.end == MatchEnd::Winner) << c.what;
  }
}

TEST_F(TimedMatch, ASecondBombCanShareACellThatTwoFiresReset) {
  Start(MatchMostKills, 60000);
  Character& figure = Man(0, 5, 5);
  figure.PowerBombs = 3;
  // Two fires whose arms both end on the figure's cell; the shorter one goes first.
  state.Bombs.Add(3, 5, 10, 2, 200, 1);
  state.Bombs.Add(7, 5, 10, 2, 60, 2);
  KeyState plant{};
  Hold(plant, 0, Key::Plant);
  Frame();
  EXPECT_EQ(CellAt(state, 5, 5), CellFireLeftEnd);
  EXPECT_EQ(state.Characters[1].Lives, 1);  // a kill each for the two bombers
  EXPECT_EQ(state.Characters[2].Lives, 1);
  Frame();
  Frame();  // the second fire goes: the cell is empty although the first fire still lists it
  EXPECT_EQ(CellAt(state, 5, 5), CellNothing);
  Frame(plant);
  EXPECT_EQ(CellAt(state, 5, 5), 11);
  Frame();  // the first fire goes, clearing the live bomb's cell; that bomb is skipped
  EXPECT_EQ(CellAt(state, 5, 5), CellNothing);
  ASSERT_EQ(state.Bombs.Count(), 1);
  Frame(plant);
  ASSERT_EQ(state.Bombs.Count(), 2);
  EXPECT_EQ(state.Bombs.Item(2).X, 5);
  EXPECT_EQ(state.Bombs.Item(2).Y, 5);
  EXPECT_EQ(CellAt(state, 5, 5), 12);  // both bombs animate one cell

  // The first of the two explodes in frame 62; the other counts on from 24.
  for (int frame = 6; frame < 62; ++frame) Frame();
  EXPECT_FALSE(state.Bombs.Item(1).Exploded);
  Frame();
  EXPECT_TRUE(state.Bombs.Item(1).Exploded);
  EXPECT_EQ(CellAt(state, 5, 5), 25);
  Frame();
  EXPECT_TRUE(state.Bombs.Item(2).Exploded);
  EXPECT_EQ(CellAt(state, 5, 5), CellFireCentre);
}

TEST_F(TimedMatch, AllFiguresGoneInMostLivesWaitsForTheClock) {
  Start(MatchMostLives, 120);
  Man(0, 5, 5).Lives = 1;
  Man(1, 5, 6).Lives = 1;
  state.Bombs.Add(5, 5, 10, 1, 100, 0);
  EXPECT_EQ(Frame().end, MatchEnd::Running);
  EXPECT_EQ(state.Characters[1].Cont, ContOff);
  EXPECT_EQ(Frame().end, MatchEnd::Running);
  EXPECT_EQ(Frame().end, MatchEnd::NoWinner);
}

TEST_F(MatchFrame, AFigureLeftMidStepByTheLastMatchStandsStillInTheNext) {
  Character& figure = Man(0, 5, 5);
  Man(1, 9, 9);
  KeyState right{};
  Hold(right, 0, Key::Right);
  Frame(right);
  ASSERT_TRUE(figure.Moving);
  ResetAfterMatch(state);
  state.TileMap.fill(CellNothing);
  figure.X = 5;
  figure.Y = 5;
  state.Characters[1].X = 9;
  state.Characters[1].Y = 9;
  MatchEngine next(state, -1);
  for (int i = 0; i < 4; ++i) next.RunFrame(51, KeyState{}, nullptr);
  EXPECT_EQ(figure.X, 5);
}

}  // namespace
}  // namespace fl3
