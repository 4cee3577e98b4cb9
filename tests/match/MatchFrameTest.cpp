#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "MatchTestKit.h"
#include "ScriptedDevices.h"
#include "match/MatchDrawing.h"
#include "match/MatchFrame.h"
#include "match/MatchLoop.h"

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
  std::vector<SpriteDraw> Drawn() const { return draws.Draws(); }

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

TEST_F(MatchFrame, KeysAreTriedLeftUpRightDownThenPlantAndEscapeEndsAfterItsFrame) {
  Character& figure = PlaceFigure(state, 0, 5, 5);
  state.Tile(4, 5) = CellBlock1;
  PlaceFigure(state, 1, 8, 8);
  KeyState keys = Holding({{0, Key::Left}, {0, Key::Up}, {0, Key::Right}, {0, Key::Plant}});
  Frame(keys);
  EXPECT_EQ(figure.Direction, DirUp);
  ASSERT_EQ(state.Bombs.Count(), 1);
  EXPECT_EQ(state.Bombs.Item(1).Y, 5);  // planted on the cell being left
  for (int i = 0; i < 3; ++i) Frame(keys);
  EXPECT_EQ((std::array{figure.X, figure.Y}), (std::array{5, 4}));
  EXPECT_EQ(state.Bombs.Count(), 1);
  keys[kEscapeKey] = 0x80;
  EXPECT_EQ(Frame(keys).end, MatchEnd::Quit);
  EXPECT_EQ(Frame(keys).end, MatchEnd::Quit);
  // The Escape frame ran whole, its bomb pass too; the frame after the end did nothing.
  EXPECT_EQ((std::array{state.Bombs.Item(1).ExplodeTimeLeft, static_cast<std::int32_t>(draws.Size())}),
            (std::array{3000 - 5 * 51, 0}));
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
    MatchEngine match(state, -1);  // a fresh one: an ended match stays ended
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

using Kind = PictureKind;

SpriteDraw Tile(int code, float x, float y) { return {{Kind::Tile, static_cast<std::int8_t>(code)}, x, y, 32, 32}; }
SpriteDraw Figure(int index, int step, int direction, float x, float y, float w = 32, float h = 64) {
  return {{Kind::Character, static_cast<std::int8_t>(index), static_cast<std::int8_t>(step),
           static_cast<std::int8_t>(direction)}, x, y, w, h};
}
// Digit d of the font's 8 x 8 grid: column d mod 8, row d div 8.
SpriteDraw Digit(int d, float x, float y, std::uint32_t colour = kTintWhite) {
  return {{Kind::Font}, x, y, 32, 32, (d % 8) / 8.0f, (d / 8) / 8.0f, (d % 8 + 1) / 8.0f, (d / 8 + 1) / 8.0f, colour};
}

using MatchDrawing = MatchFrame;

TEST_F(MatchDrawing, TheMapIsDrawnColumnByColumnOverTileZeroOrOverTheBackground) {
  testing::MakeOpenField(state, {{0, 0, 5}, {1, 0, 30}, {1, 1, -3}});  // 30 and -3 have no picture
  DrawMap(draws, state, -1);
  ASSERT_EQ(draws.Size(), 375u + 1u);
  const auto d = Drawn();
  EXPECT_EQ((std::vector{d[0], d[1], d[2], d[16], d[17], d.back()}),
            (std::vector{Tile(0, 0, 0), Tile(5, 0, 0), Tile(0, 0, 32), Tile(0, 32, 0), Tile(0, 32, 32),
                         Tile(0, 768, 448)}));

  testing::MakeOpenField(state, {{24, 14, CellFireCentre}, {3, 2, CellDoodad}});
  draws.Clear();
  DrawMap(draws, state, 0);
  EXPECT_EQ(Drawn(), (std::vector{SpriteDraw{{Kind::Background}, 0, 0, 1024, 512}, Tile(0, 96, 64), Tile(24, 768, 448)}));
}

TEST_F(MatchDrawing, FiguresAreDrawnBackRowsFirstPassByPass) {
  const struct {
    std::vector<std::array<std::int32_t, 3>> figures;  // index, row, control
    std::vector<int> order;
  } cases[] = {
      {{{0, 7, ContMan}, {2, 7, ContMan}}, {0, 2}},
      // Figure 0 waits for figure 1 in the first pass; figure 2, on figure 0's
      // row, is no longer behind anyone when its turn comes in that same pass.
      {{{0, 7, ContMan}, {1, 3, ContMan}, {2, 7, ContMan}}, {1, 2, 0}},
      {{{0, 7, ContMan}, {1, 3, ContOff}, {2, 7, ContCpu}, {3, 2, ContMan}}, {3, 0, 2}},
  };
  for (const auto& [figures, order] : cases) {
    testing::MakeOpenField(state);
    for (const auto& [index, row, cont] : figures) PlaceFigure(state, index, 4, row, cont);
    std::array<int, FigureCount> drawn{};
    const int count = FigureDrawOrder(state, drawn);
    EXPECT_EQ(std::vector(drawn.begin(), drawn.begin() + count), order);
  }
}

TEST_F(MatchDrawing, PanelsShowPortraitCountsAndIconsNegativeCountsInRedAndTheTimeHalfToEven) {
  PlaceFigure(state, 3, 2, 2);
  state.Characters[3].Lives = 12;
  state.Characters[3].PowerFire = 9;
  DrawStatusPanels(draws, state);
  SpriteDraw portrait = Figure(3, 1, DirDown, 416, 512, 32, 32);
  portrait.vBottom = 0.5f;
  EXPECT_EQ(Drawn(), (std::vector{portrait, Digit(1, 448, 512), Digit(2, 480, 512), Tile(8, 512, 512),
                                  Digit(9, 544, 512), Tile(7, 608, 512), Digit(0, 640, 512)}));

  testing::MakeOpenField(state);
  PlaceFigure(state, 0, 1, 1).Lives = -2;
  PlaceFigure(state, 1, 1, 3).Lives = -1;
  PlaceFigure(state, 2, 1, 5).Lives = 0;
  draws.Clear();
  DrawStatusPanels(draws, state);
  ASSERT_EQ(draws.Size(), 3u * 6u);
  EXPECT_EQ((std::vector{Drawn()[1], Drawn()[7], Drawn()[13]}),
            (std::vector{Digit(2, 64, 480, kTintRed), Digit(1, 448, 480, kTintRed), Digit(0, 64, 512)}));

  const struct {
    std::int32_t ms;
    std::vector<SpriteDraw> digits;
  } times[] = {{12500, {Digit(1, 352, 544), Digit(2, 384, 544)}},
               {13500, {Digit(1, 352, 544), Digit(4, 384, 544)}},
               {-700, {Digit(0, 352, 544)}}};
  for (const auto& [ms, digits] : times) {
    draws.Clear();
    DrawTime(draws, ms);
    EXPECT_EQ(Drawn(), digits) << ms;
  }
}

TEST_F(MatchDrawing, AFrameDrawsMapFiguresPanelsAndTimeWithTheStepWalkedAndNothingOfFiguresOutOfPlay) {
  state.MatchKind = MatchMostKills;
  state.TimeLeft = 9051;
  PlaceFigure(state, 0, 3, 5).Lives = 0;
  PlaceFigure(state, 2, 6, 3).Lives = 0;
  SpriteDraw portrait = Figure(0, 1, DirDown, 32, 480, 32, 32);
  portrait.vBottom = 0.5f;
  for (const float x : {104, 112, 120, 128}) {  // a step right from (3, 5) shows 8 pixels a frame
    Frame(x == 104 ? Holding({{0, Key::Right}}) : KeyState{});
    ASSERT_EQ(draws.Size(), 375u + 2u + 2u * 6u + 1u);  // tile 0 only: every cell is -1
    const auto d = Drawn();
    EXPECT_EQ((std::vector{d[375], d[376], d[377], d.back()}),
              (std::vector{Figure(2, 1, DirLeft, 192, 64), Figure(0, 1, DirRight, x, 128), portrait,
                           Digit(9, 352, 544)}));  // 9.000 down to 8.847 seconds
  }
  state.Characters[2].Cont = ContOff;
  Frame();
  EXPECT_EQ(draws.Size(), 375u + 1u + 6u + 1u);
}

struct Call {
  std::int64_t now;
  std::int32_t frameTime;  // 0: no frame
  bool finished;
  std::int64_t wakeAt;  // 0: not checked
};

// Two MAN figures on an open field in a Normal match started at 1000 ms; a
// frame begins only more than 50 ms after the last one began. A watch that
// asks to end the match after the first frame gets Escape into the second,
// and sees that last frame too (a watch told only of running frames would
// miss how the match ended).
TEST(MatchLoop, PacesFramesEndsRightAfterEscapeAndShowsAWinnerForFiveSeconds) {
  const struct {
    const char* what;
    bool escape, secondOut;
    std::vector<Call> calls;
    MatchEnd end;
    bool watch = false;
  } cases[] = {
      {"pacing", false, false,
       {{1000, 0, false, 1051}, {1050, 0, false, 1051}, {1051, 51, false, 1102}, {1101, 0, false, 1102},
        {1300, 249, false, 1351},  // a late wake-up is not caught up
        {1350, 0, false, 1351}, {1351, 51, false, 1402}},
       MatchEnd::Running},
      {"escape", true, false, {{1051, 51, true, 0}, {2051, 0, true, 0}}, MatchEnd::Quit},
      {"winner", false, true, {{1051, 51, false, 1051 + 5000}, {1051 + 4999, 0, false, 0}, {1051 + 5000, 0, true, 0}},
       MatchEnd::Winner},
      {"watch", false, false, {{1051, 51, false, 1102}, {1102, 51, true, 0}}, MatchEnd::Quit, true},
  };
  for (const auto& c : cases) {
    GameState state;
    testing::MakeOpenField(state);
    testing::PlaceFigure(state, 0, 2, 2);
    if (!c.secondOut) testing::PlaceFigure(state, 1, 12, 2);
    testing::SteppingClock clock(1000);
    testing::ScriptedKeyboard keyboard;
    keyboard.script[0][kEscapeKey] = c.escape ? 0x80 : 0;
    int presented = 0, watched = 0;
    std::function<bool(const FrameOutcome&)> watch;
    if (c.watch) watch = [&](const FrameOutcome&) { return ++watched >= 1; };
    MatchLoop loop{state, -1, keyboard, clock, {[&](const DrawList&) { ++presented; }, nullptr, watch}};
    for (const Call& call : c.calls) {
      clock.now = call.now;
      const int before = presented;
      const auto result = loop.Step();
      EXPECT_EQ((std::array{result.frameRan, presented > before, result.finished}),
                (std::array{call.frameTime != 0, call.frameTime != 0, call.finished})) << c.what << " " << call.now;
      EXPECT_EQ((std::array<std::int64_t, 2>{call.frameTime != 0 ? state.FrameTime : 0, call.wakeAt != 0 ? result.wakeAtMs : 0}),
                (std::array<std::int64_t, 2>{call.frameTime, call.wakeAt})) << c.what << " " << call.now;
    }
    EXPECT_EQ(std::pair(loop.End(), c.end == MatchEnd::Winner ? loop.Winner() : 0), std::pair(c.end, 0)) << c.what;
    EXPECT_EQ(watched, c.watch ? presented : 0) << c.what;
  }
}

}  // namespace
}  // namespace fl3
