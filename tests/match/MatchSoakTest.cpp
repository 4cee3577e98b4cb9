#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>

#include "match/FigureWalk.h"
#include "match/MatchFrame.h"
#include "match/RollbackCheck.h"

namespace fl3 {
namespace {

constexpr int kMatches = 10000;
constexpr int kMaxFrames = 240;

// Random levels and key presses; one match in ten with codes and positions
// no level editor makes.
class SoakMatch {
 public:
  SoakMatch(std::mt19937& random, bool wild) : random_(random), wild_(wild) {}

  void Prepare(GameState& state) {
    if (Chance(0.3)) ResetAfterMatch(state);
    for (std::size_t i = 0; i < state.TileMap.size(); ++i) {
      state.TileMap[i] = wild_ ? Between(-8, 40) : RandomCell();
      state.ItemMap[i] = wild_ ? Between(-5, 8) : Between(-1, 3);
    }
    state.MatchKind = Between(0, 2);
    state.TimeLeft = Between(1, 6) * 1000;
    for (std::size_t i = 0; i < FigureCount; ++i) PrepareFigure(state, i);
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
  std::array<std::array<std::int32_t, 2>, FigureCount> start{};

 private:
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
  std::int32_t Between(std::int32_t low, std::int32_t high) {
    return std::uniform_int_distribution<std::int32_t>(low, high)(random_);
  }
  std::int32_t RandomCell() {
    const double r = std::uniform_real_distribution<double>(0, 1)(random_);
    return r < 0.45 ? CellNothing : r < 0.6 ? CellDoodad : r < 0.85 ? Between(CellBox1, CellBox3) : Between(CellBlock1, CellBlock3);
  }

  void PrepareFigure(GameState& state, std::size_t i) {
    Character& figure = state.Characters[i];
    figure.Cont = Chance(0.8) ? ContMan : (Chance(0.5) ? ContCpu : ContOff);
    figure.X = Between(0, MapWidth - 1);
    figure.Y = Between(0, MapHeight - 1);
    if (Chance(0.05)) figure.X = figure.Y = OffMapPos;
    if (wild_ && Chance(0.2)) figure.X = Between(-3, 60), figure.Y = Between(-3, 60);
    if (figure.Cont == ContOff) figure.X = figure.Y = OffMapPos;
    // Clear the start cell most of the time, as level makers do.
    if (OnMap(figure.X, figure.Y) && Chance(0.9)) state.Tile(figure.X, figure.Y) = CellNothing;
    figure.PowerBombs = Between(0, 3);
    figure.PowerFire = Chance(0.05) ? Between(20, 100) : Between(0, 5);
    if (figure.InPlay()) figure.Lives = state.MatchKind == MatchNormal ? Between(1, 3) : state.MatchKind == MatchMostKills ? 0 : 99;
    const auto base = static_cast<std::int32_t>(20 + 8 * i);  // clear of Escape
    figure.Keys = KeyLayout{base, base + 1, base + 2, base + 3, base + 4};
    start[i] = {figure.X, figure.Y};
  }

  std::mt19937& random_;
  bool wild_;
};

int BombsOn(const GameState& state, std::int32_t x, std::int32_t y) {
  return static_cast<int>(std::count_if(state.Bombs.begin(), state.Bombs.end(), [&](const Bomb& b) { return b.X == x && b.Y == y; }));
}

// States the rules allow but seldom reach; the soak must reach them, or its
// checks never saw them.
struct Seen {
  long sharedBombCells = 0, bombCellsNotAnimated = 0;
};

void CheckCellsAndBombs(const GameState& state, bool wild, Seen& seen) {
  for (std::int32_t y = 0; y < MapHeight && !wild; ++y) {
    for (std::int32_t x = 0; x < MapWidth; ++x) {
      const std::int32_t code = state.TileMap[static_cast<std::size_t>(CellIndex(x, y))];
      if (code < -1 || code > 24) {
        ASSERT_GE(BombsOn(state, x, y), 2) << "code " << code << " at " << x << "," << y;
      }
    }
  }
  std::array<int, FigureCount> owned{};
  bool shared = false, stale = false;
  for (const Bomb& bomb : state.Bombs) {
    ASSERT_TRUE(OnMap(bomb.X, bomb.Y));
    ASSERT_TRUE(bomb.Owner >= 0 && bomb.Owner < FigureCount);
    ++owned[static_cast<std::size_t>(bomb.Owner)];
    shared = shared || BombsOn(state, bomb.X, bomb.Y) > 1;
    const std::int32_t code = state.TileMap[static_cast<std::size_t>(CellIndex(bomb.X, bomb.Y))];
    stale = stale || (!bomb.Exploded && (code < CellBombFirst || code > CellBombLast));
    if (bomb.Exploded) {
      ASSERT_TRUE(0 <= bomb.ExplodeLeft && bomb.ExplodeLeft <= bomb.X && bomb.X <= bomb.ExplodeRight &&
                  bomb.ExplodeRight < MapWidth);
      ASSERT_TRUE(0 <= bomb.ExplodeUp && bomb.ExplodeUp <= bomb.Y && bomb.Y <= bomb.ExplodeDown &&
                  bomb.ExplodeDown < MapHeight);
    }
  }
  for (std::size_t i = 0; i < FigureCount; ++i) ASSERT_LE(owned[i], state.Characters[i].PowerBombs + 1);
  seen.sharedBombCells += shared ? 1 : 0;
  seen.bombCellsNotAnimated += stale ? 1 : 0;
}

void CheckFigures(const GameState& state, const SoakMatch& soak, const FrameOutcome& outcome) {
  for (std::size_t i = 0; i < FigureCount; ++i) {
    const Character& f = state.Characters[i];
    ASSERT_TRUE(f.StepOffset == 0 || f.StepOffset == 8 || f.StepOffset == 16 || f.StepOffset == 24);
    ASSERT_TRUE(f.AnimFrame >= 0 && f.AnimFrame <= 2);
    if (!OnMap(f.X, f.Y)) {
      // Off the grid only where it started, or out of play.
      ASSERT_TRUE((std::array{f.X, f.Y}) == soak.start[i] || (f.X == OffMapPos && f.Y == OffMapPos && !f.InPlay()));
    } else if (f.InPlay() && f.Moving) {
      std::int32_t x = f.X, y = f.Y;
      StepFrom(f.Direction, x, y);
      ASSERT_TRUE(OnMap(x, y));
    }
  }
  if (outcome.end == MatchEnd::Winner) {
    ASSERT_TRUE(outcome.winner >= 0 && outcome.winner < FigureCount);
    ASSERT_TRUE(state.Characters[static_cast<std::size_t>(outcome.winner)].InPlay());
  }
}

TEST(MatchSoak, RandomMatchesKeepTheGridsAndCountsSound) {
  std::mt19937 random(20240611);
  Seen seen;
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
    // Every fifth match is rewound after each frame, by 1, 4 or 12 frames: a
    // field left out of the snapshot or a frame that depends on more than its
    // controls shows as a difference.
    std::optional<RollbackCheck> rollback;
    if (match % 5 == 0) rollback.emplace(engine, std::array{1, 4, 12}[static_cast<std::size_t>(match / 5 % 3)]);
    FrameOutcome outcome;
    for (int frame = 0; frame < kMaxFrames && outcome.end == MatchEnd::Running; ++frame) {
      soak.HoldKeys(state, keys);
      if (rollback) rollback->BeforeFrame();
      outcome = engine.RunFrame(soak.FrameTime(), keys, draw ? &draws : nullptr);
      if (rollback) {
        const auto mismatch = rollback->AfterFrame();
        ASSERT_FALSE(mismatch) << "match " << match << " frame " << mismatch->frame << ": " << mismatch->field;
      }
      ASSERT_NO_FATAL_FAILURE(CheckCellsAndBombs(state, wild, seen)) << "match " << match << " frame " << frame;
      ASSERT_NO_FATAL_FAILURE(CheckFigures(state, soak, outcome)) << "match " << match << " frame " << frame;
      ASSERT_TRUE(state.ItemMap == items);
      // A frame draws at most a background, 750 tiles, 4 figures, 4 panels and the time.
      ASSERT_TRUE(!draw || draws.Size() <= 1024u);
    }
    ++ends[static_cast<std::size_t>(outcome.end)];
  }
  // Every kind of ending and the rare states must have happened, or the soak did not reach far.
  EXPECT_GT(ends[static_cast<std::size_t>(MatchEnd::Winner)], 0);
  EXPECT_GT(ends[static_cast<std::size_t>(MatchEnd::NoWinner)], 0);
  EXPECT_GT(ends[static_cast<std::size_t>(MatchEnd::Quit)], 0);
  EXPECT_GT(seen.sharedBombCells, 0);
  EXPECT_GT(seen.bombCellsNotAnimated, 0);
}

}  // namespace
}  // namespace fl3
