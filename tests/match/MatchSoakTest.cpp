#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <iostream>
#include <random>

#include "match/FigureWalk.h"
#include "match/MatchFrame.h"

namespace fl3 {
namespace {

constexpr int kMatches = 10000;
constexpr int kMaxFrames = 240;

// Rare states the rules allow; counted, not forbidden.
struct Surprises {
  long sharedBombCells = 0;      // frames with two bombs on one cell
  long codesBeyondTable = 0;     // frames with a cell above 24 (only under two bombs)
  long bombCellsNotAnimated = 0; // frames with a live bomb whose cell shows no bomb code
};

struct Start {
  std::array<std::int32_t, FigureCount> x{}, y{};
};

class SoakMatch {
 public:
  SoakMatch(std::mt19937& random, bool wild) : random_(random), wild_(wild) {}

  void Prepare(GameState& state) {
    if (Chance(0.3)) ResetAfterMatch(state);
    for (int i = 0; i < CellCount; ++i) {
      state.TileMap[static_cast<std::size_t>(i)] = RandomCell();
      state.ItemMap[static_cast<std::size_t>(i)] = wild_ ? Between(-5, 8) : Between(-1, 3);
    }
    state.MatchKind = Between(0, 2);
    state.TimeLeft = Between(1, 6) * 1000;
    for (int i = 0; i < FigureCount; ++i) PrepareFigure(state, i);
    for (int i = Between(0, 30); i > 0; --i) state.Random.Next();
  }

  void HoldKeys(const GameState& state, KeyState& keys) {
    keys.fill(0);
    for (const Character& figure : state.Characters) {
      const KeyLayout& k = figure.Keys;
      for (const std::int32_t code : {k.keyLeft, k.keyUp, k.keyRight, k.keyDown}) {
        if (Chance(0.3)) keys[static_cast<std::size_t>(code)] = 0x80;
      }
      if (Chance(0.15)) keys[static_cast<std::size_t>(k.keyPlantBomb)] = 0x80;
    }
    if (Chance(0.0005)) keys[kEscapeKey] = 0x80;
  }

  std::int32_t FrameTime() { return Between(51, 200); }
  const Start& StartCells() const { return start_; }

 private:
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
  std::int32_t Between(std::int32_t low, std::int32_t high) {
    return std::uniform_int_distribution<std::int32_t>(low, high)(random_);
  }

  std::int32_t RandomCell() {
    if (wild_) return Between(-8, 40);
    const double r = std::uniform_real_distribution<double>(0, 1)(random_);
    if (r < 0.45) return CellNothing;
    if (r < 0.6) return CellDoodad;
    if (r < 0.85) return Between(CellBox1, CellBox3);
    return Between(CellBlock1, CellBlock3);
  }

  void PrepareFigure(GameState& state, int i) {
    Character& figure = state.Characters[static_cast<std::size_t>(i)];
    figure.Cont = Chance(0.8) ? ContMan : (Chance(0.5) ? ContCpu : ContOff);
    figure.X = Between(0, MapWidth - 1);
    figure.Y = Between(0, MapHeight - 1);
    if (Chance(0.05)) figure.X = figure.Y = OffMapPos;
    if (wild_ && Chance(0.2)) {
      figure.X = Between(-3, 60);
      figure.Y = Between(-3, 60);
    }
    if (figure.Cont == ContOff) figure.X = figure.Y = OffMapPos;
    // Clear the start cell most of the time, as level makers do.
    if (OnMap(figure.X, figure.Y) && Chance(0.9)) state.Tile(figure.X, figure.Y) = CellNothing;
    figure.PowerBombs = Between(0, 3);
    figure.PowerFire = Chance(0.05) ? Between(20, 100) : Between(0, 5);
    if (figure.Cont != ContOff) {
      figure.Lives = state.MatchKind == MatchNormal ? Between(1, 3) : (state.MatchKind == MatchMostKills ? 0 : 99);
    }
    const std::int32_t base = 20 + 8 * i;  // clear of Escape
    figure.Keys = KeyLayout{base, base + 1, base + 2, base + 3, base + 4};
    start_.x[static_cast<std::size_t>(i)] = figure.X;
    start_.y[static_cast<std::size_t>(i)] = figure.Y;
  }

  std::mt19937& random_;
  bool wild_;
  Start start_;
};

int BombsOn(const GameState& state, std::int32_t x, std::int32_t y) {
  return static_cast<int>(std::count_if(state.Bombs.begin(), state.Bombs.end(),
                                        [&](const Bomb& b) { return b.X == x && b.Y == y; }));
}

void CheckCells(const GameState& state, bool wild, Surprises& seen) {
  bool beyond = false;
  for (std::int32_t y = 0; y < MapHeight; ++y) {
    for (std::int32_t x = 0; x < MapWidth; ++x) {
      const std::int32_t code = state.TileMap[static_cast<std::size_t>(CellIndex(x, y))];
      if (wild || (code >= -1 && code <= 24)) continue;
      ASSERT_GE(BombsOn(state, x, y), 2) << "code " << code << " at " << x << "," << y;
      beyond = true;
    }
  }
  if (beyond) ++seen.codesBeyondTable;
}

void CheckBombs(const GameState& state, Surprises& seen) {
  std::array<int, FigureCount> owned{};
  bool shared = false;
  bool stale = false;
  for (const Bomb& bomb : state.Bombs) {
    ASSERT_TRUE(OnMap(bomb.X, bomb.Y));
    ASSERT_GE(bomb.Owner, 0);
    ASSERT_LT(bomb.Owner, FigureCount);
    ++owned[static_cast<std::size_t>(bomb.Owner)];
    if (BombsOn(state, bomb.X, bomb.Y) > 1) shared = true;
    const std::int32_t code = state.TileMap[static_cast<std::size_t>(CellIndex(bomb.X, bomb.Y))];
    if (!bomb.Exploded && (code < CellBombFirst || code > CellBombLast)) stale = true;
    if (bomb.Exploded) {
      ASSERT_LE(bomb.ExplodeLeft, bomb.X);
      ASSERT_GE(bomb.ExplodeRight, bomb.X);
      ASSERT_GE(bomb.ExplodeLeft, 0);
      ASSERT_LT(bomb.ExplodeRight, MapWidth);
      ASSERT_GE(bomb.ExplodeUp, 0);
      ASSERT_LT(bomb.ExplodeDown, MapHeight);
    }
  }
  for (int i = 0; i < FigureCount; ++i) {
    ASSERT_LE(owned[static_cast<std::size_t>(i)], state.Characters[static_cast<std::size_t>(i)].PowerBombs + 1);
  }
  if (shared) ++seen.sharedBombCells;
  if (stale) ++seen.bombCellsNotAnimated;
}

void CheckFigures(const GameState& state, const Start& start) {
  for (int i = 0; i < FigureCount; ++i) {
    const Character& f = state.Characters[static_cast<std::size_t>(i)];
    ASSERT_TRUE(f.StepOffset == 0 || f.StepOffset == 8 || f.StepOffset == 16 || f.StepOffset == 24);
    ASSERT_GE(f.AnimFrame, 0);
    ASSERT_LE(f.AnimFrame, 2);
    const bool atStart = f.X == start.x[static_cast<std::size_t>(i)] && f.Y == start.y[static_cast<std::size_t>(i)];
    if (!OnMap(f.X, f.Y)) {
      // Off the grid only where it started, or out of play.
      ASSERT_TRUE(atStart || (f.X == OffMapPos && f.Y == OffMapPos && !f.InPlay()));
      continue;
    }
    if (f.InPlay() && f.Moving) {
      std::int32_t x = f.X, y = f.Y;
      StepFrom(f.Direction, x, y);
      ASSERT_TRUE(OnMap(x, y));
    }
  }
}

void CheckOutcome(const GameState& state, const FrameOutcome& outcome) {
  if (outcome.end != MatchEnd::Winner) return;
  ASSERT_GE(outcome.winner, 0);
  ASSERT_LT(outcome.winner, FigureCount);
  ASSERT_TRUE(state.Characters[static_cast<std::size_t>(outcome.winner)].InPlay());
}

TEST(MatchSoak, RandomMatchesKeepTheGridsAndCountsSound) {
  std::mt19937 random(20240611);
  Surprises seen;
  long frames = 0;
  std::array<long, 4> ends{};
  DrawList draws;
  KeyState keys{};
  for (int match = 0; match < kMatches; ++match) {
    const bool wild = match % 10 == 9;
    GameState state;
    SoakMatch soak(random, wild);
    soak.Prepare(state);
    const CellGrid items = state.ItemMap;
    MatchEngine engine(state, match % 3 == 0 ? -1 : 1);
    const bool draw = match % 4 == 0;
    FrameOutcome outcome;
    for (int frame = 0; frame < kMaxFrames && outcome.end == MatchEnd::Running; ++frame) {
      soak.HoldKeys(state, keys);
      outcome = engine.RunFrame(soak.FrameTime(), keys, draw ? &draws : nullptr);
      ++frames;
      ASSERT_NO_FATAL_FAILURE(CheckCells(state, wild, seen)) << "match " << match << " frame " << frame;
      ASSERT_NO_FATAL_FAILURE(CheckBombs(state, seen)) << "match " << match << " frame " << frame;
      ASSERT_NO_FATAL_FAILURE(CheckFigures(state, soak.StartCells())) << "match " << match;
      ASSERT_NO_FATAL_FAILURE(CheckOutcome(state, outcome)) << "match " << match;
      ASSERT_TRUE(state.ItemMap == items);
      if (draw) {
        ASSERT_LE(draws.Size(), 1024u);
        if (outcome.end == MatchEnd::Winner) {
          ASSERT_EQ(draws.Draws().back().picture.kind, PictureKind::Winner);
        }
      }
    }
    ++ends[static_cast<std::size_t>(outcome.end)];
  }
  std::cout << "soak: " << kMatches << " matches, " << frames << " frames; ends running/quit/none/winner "
            << ends[0] << "/" << ends[1] << "/" << ends[2] << "/" << ends[3] << "\n"
            << "  frames with two bombs on one cell: " << seen.sharedBombCells << "\n"
            << "  frames with a cell code above 24: " << seen.codesBeyondTable << "\n"
            << "  frames with a live bomb on a cell without a bomb code: " << seen.bombCellsNotAnimated << "\n";
  // Every kind of ending must have happened, or the soak did not reach far.
  EXPECT_GT(ends[static_cast<std::size_t>(MatchEnd::Winner)], 0);
  EXPECT_GT(ends[static_cast<std::size_t>(MatchEnd::NoWinner)], 0);
  EXPECT_GT(ends[static_cast<std::size_t>(MatchEnd::Quit)], 0);
}

}  // namespace
}  // namespace fl3
