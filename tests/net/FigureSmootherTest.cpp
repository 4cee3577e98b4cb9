#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "core/LevelFile.h"
#include "match/MatchFrame.h"
#include "match/MatchStart.h"
#include "net/FigureSmoother.h"
#include "net/RollbackRunner.h"

namespace fl3 {
namespace {

using net::FigureSmoother;
using net::RollbackRunner;

constexpr int kFigure = 1;  // the other machine's figure, its controls late
constexpr std::int32_t kStartX = 5, kStartY = 5;
constexpr int kFrameMs = ControlFrame::kNetworkFrameMs;

// An open field; figure 1 with one bomb and fire 1, so that one cell aside is out of its blast.
MatchStart OpenField() {
  LevelData level;
  level.TileMap.fill(CellNothing);
  level.ItemMap.fill(ItemNone);
  level.Figures = {{{1, 1, 1, 1}, {kStartX, kStartY, 1, 1}, {20, 1, 1, 1}, {20, 12, 1, 1}}};
  level.BackgroundNumber = -1;
  MatchStart start;
  start.level = EncodeLevel(level);
  start.levelName = "OPEN.FL3";
  start.kind = MatchMostLives;
  start.timeLeftMs = 60000;
  for (MatchStart::Figure& figure : start.figures) figure.cont = ContMan, figure.lives = 99;
  return start;
}

using Script = std::function<FigureControls(int frame)>;

bool InBlast(const MatchSnapshot& state, FigurePlace place) {
  const auto x = static_cast<std::int32_t>(std::floor((place.x + 16) / 32)), y = static_cast<std::int32_t>(std::floor((place.y + 48) / 32));
  const std::int32_t code = state.tiles[static_cast<std::size_t>(CellIndex(x, y))];
  return code >= CellFireHorizontal && code <= CellFireCentre;
}

// One machine's screen, drawn every 10 ms, while figure 1's controls for a
// frame arrive when `arrives(frame, current)` says so.
struct Screen {
  std::unique_ptr<GameState> state = std::make_unique<GameState>();
  std::unique_ptr<MatchEngine> engine;
  std::unique_ptr<RollbackRunner> runner;
  FigureSmoother smoother;
  std::vector<FigurePlace> drawn, truth;
  std::vector<bool> drawnInFire, truthInFire;  // inside the blast shown with it

  Screen() {
    ApplyMatchStart(OpenField(), *state);
    engine = std::make_unique<MatchEngine>(*state, -1);
    runner = std::make_unique<RollbackRunner>(*engine, *state);
    runner->DecideEscapeHere(true);
  }

  void Play(int frames, const Script& script, const std::function<bool(int frame, int current)>& arrives) {
    int given = 0;
    for (std::int64_t now = 0; runner->Current() < frames || given < frames; now += 10) {
      const bool due = now >= static_cast<std::int64_t>(runner->Current()) * kFrameMs && runner->Current() < frames;
      for (int i : {0, 2, 3}) runner->Give(runner->Current(), i, {});
      // The last frames arrive once the match has played them all.
      while (given < frames && (runner->Current() >= frames || arrives(given, runner->Current()))) {
        runner->Give(given, kFigure, script(given));
        ++given;
      }
      runner->Step(due, nullptr);
      if (runner->Current() == 0) continue;
      smoother.Follow(*runner, 0b0001, now);
      drawn.push_back(smoother.Drawn(kFigure));
      const MatchSnapshot& shown = *runner->StateAfter(runner->Current() - 1);
      truth.push_back(FigurePicturePlace(shown.figures[kFigure]));
      truthInFire.push_back(InBlast(shown, truth.back()));
      drawnInFire.push_back(InBlast(shown, drawn.back()));
    }
  }
};

double LargestMove(const std::vector<FigurePlace>& places) {
  double largest = 0;
  for (std::size_t k = 1; k < places.size(); ++k) {
    largest = std::max<double>(largest, std::hypot(places[k].x - places[k - 1].x, places[k].y - places[k - 1].y));
  }
  return largest;
}

FigureControls Holding(int direction) { return ControlsToward(direction); }

// Walks right three cells from frame 20 and stops; its controls come `lag`
// frames late, so that this machine first shows it standing, then walking on
// past the stop. Catches a smoother that takes the corrected place at once
// (the jump it is there to hide), one that finds the wrong end of the path,
// and one that never catches up.
TEST(FigureSmootherTest, WalkStartAndStopAreDrawnWithoutAJump) {
  for (const int lag : {2, 4, 6}) {
    Screen screen;
    const Script walk = [](int frame) { return frame >= 20 && frame < 32 ? Holding(DirRight) : FigureControls{}; };
    screen.Play(60, walk, [lag](int frame, int current) { return frame + lag <= current; });
    SCOPED_TRACE("lag " + std::to_string(lag));
    // The frames alone jump by the late frames' steps at once: 8 pixels each.
    EXPECT_GE(LargestMove(screen.truth), 8.0 * lag);
    // Drawn: a frame's step (8 pixels) and 10 ms of catching up at twice the walk (3.1).
    EXPECT_LE(LargestMove(screen.drawn), 8.0 + 3.2);
    for (const FigurePlace& place : screen.drawn) EXPECT_EQ(place.y, 32.0f * kStartY - 32);
    EXPECT_EQ(screen.drawn.back(), screen.truth.back());
    EXPECT_EQ(screen.truth.back().x, 32.0f * (kStartX + 3));
  }
}

// Figure 1 plants a bomb, then steps right and down out of its cross before
// it bursts; this machine hears of the steps only once the blast burns, so
// its prediction had the figure standing in the fire. The corrected figure
// must go along its path (right, then down), through the burning cells it
// crossed before the fire at half a cell a drawing, out within three
// drawings. Catches drawing it on in the fire for frames, a cut across the
// corner, and a teleport out of the blast.
TEST(FigureSmootherTest, AFigureCorrectedOutOfABlastRunsAlongItsPathThroughIt) {
  int blast = -1;
  {
    Screen straight;
    const Script plant = [](int frame) { FigureControls controls; controls.plant = frame == 0; return controls; };
    straight.Play(80, plant, [](int, int) { return true; });
    for (int f = 0; f < 80 && blast < 0; ++f) {
      if (InBlast(*straight.runner->StateAfter(f), {32.0f * kStartX, 32.0f * kStartY - 32})) blast = f;
    }
  }
  ASSERT_GT(blast, 20);
  const int walkFrom = blast - 12;
  const Script escape = [walkFrom](int frame) {
    FigureControls controls = frame >= walkFrom && frame < walkFrom + 4 ? Holding(DirRight)
                              : frame >= walkFrom + 4 && frame < walkFrom + 8 ? Holding(DirDown) : FigureControls{};
    controls.plant = frame == 0;
    return controls;
  };
  Screen screen;
  // Every control up to the walk on time; the walk's only once the blast burns.
  screen.Play(blast + 20, escape, [walkFrom, blast](int frame, int current) { return frame < walkFrom ? frame <= current : current > blast; });
  const FigurePlace cell{32.0f * kStartX, 32.0f * kStartY - 32};
  std::size_t corrected = 0;
  while (corrected < screen.drawn.size() && screen.truth[corrected] == cell) ++corrected;
  ASSERT_LT(corrected, screen.drawn.size());
  ASSERT_GT(corrected, 0u);
  // The prediction showed it standing in the fire.
  EXPECT_TRUE(screen.drawn[corrected - 1] == cell && screen.truthInFire[corrected - 1]);
  // The frames alone: a cell and more in one drawing.
  EXPECT_GE(LargestMove(screen.truth), 32.0);
  int inFire = 0;
  for (std::size_t k = corrected; k < screen.drawn.size(); ++k) {
    const FigurePlace place = screen.drawn[k];
    SCOPED_TRACE("drawing " + std::to_string(k - corrected) + " after the correction");
    inFire += screen.drawnInFire[k];
    // Along the path: right along the row, then down the next column.
    EXPECT_TRUE(place.y == cell.y ? place.x >= cell.x && place.x <= cell.x + 32 : place.x == cell.x + 32 && place.y <= cell.y + 32);
    // Half a cell through the fire, a frame's step and 10 ms of catching up: never the whole way at once.
    EXPECT_LE(std::hypot(place.x - screen.drawn[k - 1].x, place.y - screen.drawn[k - 1].y), 16.0 + 8.0 + 3.2);
  }
  EXPECT_LE(inFire, 3);
  EXPECT_EQ(screen.drawn.back(), (FigurePlace{cell.x + 32, cell.y + 32}));
}

}  // namespace
}  // namespace fl3
