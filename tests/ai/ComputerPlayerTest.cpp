#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <tuple>

#include "MatchTestKit.h"
#include "ai/ComputerSeats.h"
#include "match/FigureWalk.h"
#include "match/MatchFrame.h"

namespace fl3::testing {
namespace {

constexpr std::int32_t kFrameMs = 51;

// A hand-made field drawn row by row from the top-left corner; every cell not
// drawn is a block. '#' block, '.' floor, 'X' box hiding nothing, 'f' fire
// item, 'A' the computer figure 0 (reach 3, one bomb, 3 lives), 'B' figure 1
// on MAN without keys (a player who keeps still); without a 'B' it is walled
// in far away so that the match runs on.
std::unique_ptr<GameState> Field(std::initializer_list<const char*> rows) {
  auto state = std::make_unique<GameState>();
  DrawField(*state, rows, [&](int x, int y, char c) {
    state->Tile(x, y) = c == '#' ? CellBlock1 : c == 'X' ? CellBox1 : c == 'f' ? CellItemFire : CellNothing;
    if (c == 'A') PlaceFigure(*state, 0, x, y, ContCpu).PowerFire = 3;
    if (c == 'B') PlaceFigure(*state, 1, x, y, ContMan);
  });
  if (state->Characters[1].Cont == ContOff) {
    state->Tile(23, 13) = CellNothing;
    PlaceFigure(*state, 1, 23, 13, ContMan);
  }
  state->FrameTime = kFrameMs;
  return state;
}

void AddBomb(GameState& state, std::int32_t x, std::int32_t y, std::int32_t fuseMs, std::int32_t reach, int owner) {
  state.Bombs.Add(x, y, fuseMs, reach, kBombFireMs, owner);
  state.Tile(x, y) = CellBombFirst;
}

bool IsFire(std::int32_t code) { return code >= CellFireHorizontal && code <= CellFireCentre; }

// Runs the computer figure 0 (Normal unless told, seed 7), counting steps
// asked into fire.
struct CpuRun : FigureControlSource {
  explicit CpuRun(GameState& s, CpuStrength strength = CpuStrength::Normal)
      : state(s), seats(s, strength, 7), engine(s, -1) {
    engine.SetControlSource(0, this);
  }
  FigureControls ControlsFor(const GameState& s, int figure) override {
    const FigureControls c = seats.For(figure)->ControlsFor(s, figure);
    const Character& me = s.Characters[0];
    const bool held[4] = {c.left, c.up, c.right, c.down};
    for (int d = DirLeft; d <= DirDown; ++d) {
      std::int32_t x = me.X, y = me.Y;
      StepFrom(d, x, y);
      if (held[d] && !me.Moving && IsFire(s.TileMap[CellIndex(x, y)])) ++intoFire;
    }
    return c;
  }
  void Frames(int n) { for (int i = 0; i < n; ++i) engine.RunFrame(kFrameMs, KeyState{}, nullptr); }
  GameState& state;
  ComputerSeats seats;
  MatchEngine engine;
  int intoFire = 0;
};

// Fire it can see coming: its own bomb at the start of an L-shaped corridor
// (running straight on stays in the arm), fire burning now between it and an
// item, and a bomb whose blast crosses the way to an item just when the
// figure would be on it. It must come through unhurt and still get the item.
// Catches fleeing along the arm, ignoring burning fire or the moment a blast
// comes, planning the step as shorter than four frames, or freezing.
TEST(ComputerPlayerTest, KeepsOutOfFireAndStillGetsWhereItWants) {
  struct Case { const char* name; std::unique_ptr<GameState> state; int frames; bool wantsItem; };
  Case cases[3] = {{"own bomb, L-shaped corridor", Field({"#####", "#A..#", "###.#", "###.#", "#####"}), 80, false},
                   {"burning fire on the way", Field({"#####", "#A.f#", "##.##", "#####"}), 30, true},
                   {"blast about to cross the way", Field({"######", "#A..f#", "###.##", "###.##", "######"}), 60, true}};
  AddBomb(*cases[0].state, 1, 1, 900, 3, 0);
  Bomb& burning = cases[1].state->Bombs.Add(2, 2, 0, 1, kBombFireMs, 1);
  std::tie(burning.Exploded, burning.ExplodeLeft, burning.ExplodeRight, burning.ExplodeUp, burning.ExplodeDown) =
      std::make_tuple(true, 2, 2, 1, 2);
  cases[1].state->Tile(2, 1) = CellFireUpperEnd;
  cases[1].state->Tile(2, 2) = CellFireCentre;
  // Bursts over (3, 1) in frame 9, just as a figure that set off at once
  // would have arrived there.
  AddBomb(*cases[2].state, 3, 3, 9 * kFrameMs + 10, 2, 1);
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    CpuRun run(*c.state);
    run.Frames(c.frames);
    const Character& me = c.state->Characters[0];
    EXPECT_EQ(me.Lives, 3);
    EXPECT_EQ(run.intoFire, 0);
    EXPECT_EQ(me.PowerFire, c.wantsItem ? 4 : 3);
  }
}

// An open item three cells away in any direction is fetched by the shortest
// way: it is taken as the third step starts, in the ninth frame. Catches a
// direction turned into the wrong control, or a detour.
TEST(ComputerPlayerTest, WalksStraightToAnItemThreeCellsAway) {
  const std::initializer_list<const char*> cases[] = {{"######", "#f..A#", "######"},
                                                      {"######", "#A..f#", "######"},
                                                      {"###", "#f#", "#.#", "#.#", "#A#", "###"},
                                                      {"###", "#A#", "#.#", "#.#", "#f#", "###"}};
  for (const auto& rows : cases) {
    auto state = Field(rows);
    CpuRun run(*state);
    run.Frames(8);
    EXPECT_EQ(state->Characters[0].PowerFire, 3);
    run.Frames(1);
    EXPECT_EQ(state->Characters[0].PowerFire, 4);
  }
}

// At a box it plants only when it can get out of its own fire in time: a
// straight dead end within its reach has no way out, a corner two steps off
// does; a cell four steps off is too far only while another's bomb ticks
// (its fire may cut the fuse to a quarter), and fine when nothing can. With
// a bomb planted it must get away unhurt, and the box burns; a player who
// keeps still behind it, at the end of a long corridor, is then caught in
// its line at every strength. Catches planting without checking the way
// out, checking it without the new bomb, taking any way out before the fuse
// runs out, refusing the long way when nothing else ticks, a walled-off
// figure taken as a threat to the way out, and an easy player that plants
// without a way out.
TEST(ComputerPlayerTest, PlantsAtABoxOnlyWithAWayOutAndGetsAPlayerWhoHides) {
  const struct {
    const char* name;
    std::initializer_list<const char*> rows;
    CpuStrength strength;
    bool othersBombTicking;
    bool plants;
  } cases[] = {
      {"dead end", {"######", "#XA..#", "######"}, CpuStrength::Normal, false, false},
      {"corner", {"######", "#XA..#", "####.#", "####.#", "######"}, CpuStrength::Normal, false, true},
      {"four steps off, another's bomb ticking", {"########", "#XA....#", "########"}, CpuStrength::Normal, true, false},
      {"four steps off, nothing else ticking", {"########", "#XA....#", "########"}, CpuStrength::Normal, false, true},
      {"hider, easy", {"###########", "#A....X..B#", "###########"}, CpuStrength::Easy, false, true},
      {"hider, normal", {"###########", "#A....X..B#", "###########"}, CpuStrength::Normal, false, true},
      {"hider, hard", {"###########", "#A....X..B#", "###########"}, CpuStrength::Hard, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto state = Field(c.rows);
    const bool hider = state->Characters[1].X != 23;
    if (c.othersBombTicking) AddBomb(*state, 22, 13, kBombFuseMs, 0, 1);  // far off, harmless
    CpuRun run(*state, c.strength);
    // Long enough for a plant once that bomb has gone, but not for its blast.
    run.Frames(hider ? 400 : 80);
    EXPECT_EQ(state->Characters[0].Lives, 3);
    EXPECT_EQ(std::count_if(state->TileMap.begin(), state->TileMap.end(), IsBox), c.plants ? 0 : 1);
    EXPECT_EQ(state->Characters[1].Lives < 3, hider);
  }
}

// Four computer players on an open field with boxes that hide random items:
// the same seed plays the same match, frame by frame. Catches a decision
// that depends on anything but the state and its own seeded dice.
TEST(ComputerPlayerTest, SameSeedPlaysTheSameMatch) {
  const auto play = [](std::uint64_t seed) {
    auto state = std::make_unique<GameState>();
    MakeOpenField(*state);
    for (int cell = 0; cell < CellCount; ++cell) {
      const int x = cell % MapWidth, y = cell / MapWidth;
      const bool edge = x == 0 || y == 0 || x == MapWidth - 1 || y == MapHeight - 1;
      state->TileMap[cell] = edge || (x % 2 == 0 && y % 2 == 0) ? CellBlock1 : (x + y) % 3 == 0 ? CellBox2 : CellNothing;
      state->ItemMap[cell] = ItemRandom;
    }
    const int corners[4][2] = {{1, 1}, {23, 1}, {1, 13}, {23, 13}};
    for (int i = 0; i < FigureCount; ++i) {
      state->Tile(corners[i][0], corners[i][1]) = CellNothing;
      PlaceFigure(*state, i, corners[i][0], corners[i][1], ContCpu).PowerFire = 2;
    }
    ComputerSeats seats(*state, CpuStrength::Hard, seed);
    MatchEngine engine(*state, -1);
    seats.SeatOn(engine);
    std::string trace;
    int mostBombs = 0;
    for (int frame = 0; frame < 600 && !engine.Ended(); ++frame) {
      engine.RunFrame(kFrameMs, KeyState{}, nullptr);
      for (const Character& f : state->Characters) trace += std::to_string(f.X * 100 + f.Y) + ",";
      trace += std::to_string(state->Bombs.Count()) + ";";
      mostBombs = std::max(mostBombs, state->Bombs.Count());
    }
    EXPECT_GT(mostBombs, 0) << "a match where nothing happens proves nothing";
    return trace + std::string(reinterpret_cast<const char*>(state->TileMap.data()), sizeof(state->TileMap));
  };
  const std::string first = play(11);
  EXPECT_EQ(play(11), first);
}

}  // namespace
}  // namespace fl3::testing
