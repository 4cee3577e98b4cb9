#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

#include "MatchTestKit.h"
#include "ai/NetPlanner.h"

namespace fl3::testing {
namespace {

constexpr std::int32_t kFrameMs = 51;

struct PlacedBomb { std::int32_t x, y, fuseMs, reach, owner; };

// A field drawn row by row from the top-left corner, every cell not drawn a
// block: '.' floor, 'A' the planner (figure 0, fire `reach`), 'V' the figure
// it means to catch (1), 'O' another figure (2). Figures not drawn are out
// of play.
std::unique_ptr<GameState> Field(std::initializer_list<const char*> rows, std::int32_t reach,
                                 const std::vector<PlacedBomb>& bombs = {}) {
  auto state = std::make_unique<GameState>();
  DrawField(*state, rows, [&](int x, int y, char c) {
    if (c == '#') return;
    state->Tile(x, y) = CellNothing;
    const int figure = c == 'A' ? 0 : c == 'V' ? 1 : c == 'O' ? 2 : -1;
    if (figure >= 0) PlaceFigure(*state, figure, x, y, ContCpu).PowerFire = figure == 0 ? reach : 2;
  });
  for (const PlacedBomb& b : bombs) {
    state->Bombs.Add(b.x, b.y, b.fuseMs, b.reach, kBombFireMs, b.owner);
    state->Tile(b.x, b.y) = CellBombFirst;
  }
  state->FrameTime = kFrameMs;
  return state;
}

// Whether one bomb of the planner's on (x, y), planted now, catches figure 1,
// a runner who sets off a second before a blast it sees and judges each bomb
// by its own fuse. The layouts, each row with its twin that must let the
// runner go:
// - a dead end: the bomb closes the corridor behind the runner and reaches
//   its end; one cell short of the end it does not. Catches a reach off by
//   one.
// - a corridor closed from both ends: another's bomb at one end, this one
//   at the other; alone this one leaves the far end open. Catches the bombs
//   on the field left out of the plan.
// - a chain that cuts a fuse short: another's bomb drives the runner to the
//   nearest cell out of its blast, and its fire cuts this bomb's fuse, whose
//   blast covers that cell before the runner can get to the corridor's end;
//   a runner knowing every fuse would have run there at once, one warned by
//   the fuse as it was planted would get there too, and without this bomb it
//   is safe. Catches the runner credited with foreseeing the cut, and warned
//   by the full fuse of a bomb that is cut.
TEST(NetSearchTest, CatchesARunnerOnlyWhereNoCellItCanReachStaysSafe) {
  const auto corridor = {"#########", "#.....V.#", "#########"};
  const auto corridorMiddle = {"#########", "#...V...#", "#########"};
  const auto longer = {"##########", "#....V...#", "##########"};
  const std::vector<PlacedBomb> farEnd = {{1, 1, 2500, 3, 2}};
  const std::vector<PlacedBomb> drivesOut = {{2, 1, 1500, 3, 2}};
  const struct {
    const char* name;
    std::initializer_list<const char*> rows;
    std::vector<PlacedBomb> bombs;
    std::int32_t reach;
    int bombX;  // -1: no bomb of the planner's
    bool caught;
  } rows[] = {
      {"dead end: closes it", corridor, {}, 3, 4, true},
      {"dead end: one cell short", corridor, {}, 3, 3, false},
      {"both ends closed", corridorMiddle, farEnd, 3, 7, true},
      {"one end closed only", corridorMiddle, {}, 3, 7, false},
      {"chain cuts the fuse", longer, drivesOut, 6, 1, true},
      {"the driving bomb alone", longer, drivesOut, 6, -1, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    auto state = Field(row.rows, row.reach, row.bombs);
    // The planner itself stands far off, walled in.
    state->Tile(23, 13) = CellNothing;
    PlaceFigure(*state, 0, 23, 13, ContCpu).PowerFire = row.reach;
    ai::NetSearch net;
    const ai::NetBomb bomb{CellIndex(row.bombX, 1), 0};
    net.Plan(*state, 0, {&bomb, row.bombX < 0 ? 0u : 1u});
    EXPECT_EQ(net.Catches(*state, 1), row.caught);
  }
}

// The net of the planner standing on (6, 1): the runner's own bomb closes
// the corridor's left end (so it has none left to answer with), the
// planner's bomb the rest, so the runner on (3, 1) is caught. The planner takes the net only when it gets out itself: by
// (7, 2), not with that cell walled, and not while figure 2 below could
// answer with a bomb whose fire covers it. Catches a net that catches the
// planner too, a way out through the bomb's own blast, and the answer left
// out.
TEST(NetSearchTest, RefusesANetThatWouldAlsoCatchThePlanner) {
  const std::vector<PlacedBomb> leftEnd = {{1, 1, 2500, 1, 1}};
  const struct {
    const char* name;
    std::initializer_list<const char*> rows;
    bool takesIt;
  } rows[] = {
      {"way out by (7, 2)", {"#########", "#..V..A.#", "#######.#", "#########"}, true},
      {"no way out", {"#########", "#..V..A.#", "#########"}, false},
      {"an answer covers the way out", {"#########", "#..V..A.#", "#######.#", "#######O#", "#########"}, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    auto state = Field(row.rows, 5, leftEnd);
    ai::DangerSight sight;
    sight.self = 0;
    ai::DangerMap danger;
    danger.Build(*state, sight);
    ai::NetPlanner planner;
    const ai::NetPlanner::Net net = planner.OneBomb(*state, 0, danger, true);
    EXPECT_EQ(net.cell, row.takesIt ? CellIndex(6, 1) : -1);
  }
}

}  // namespace
}  // namespace fl3::testing
