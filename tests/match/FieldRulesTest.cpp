#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "MatchTestKit.h"
#include "match/BombLife.h"
#include "match/Explosion.h"
#include "match/FigureWalk.h"
#include "match/Planting.h"

namespace fl3 {
namespace {

using testing::Cell;
using Arms = std::array<std::int32_t, 4>;  // left, up, right, down

struct Figure {
  int index;
  std::int32_t x, y, lives, livesAfter;
  bool out = false;
};
struct OtherBomb {
  std::int32_t x, y, fuse, fuseAfter;
  bool exploded = false;
};

struct Blast {
  const char* what;
  std::int32_t x, y, reach;
  Arms arms;  // fire cells of each arm; its last one holds the arm's end piece
  int beeps;
  std::vector<Cell> cells = {}, items = {};
  std::vector<Cell> changed = {};  // what the blast leaves besides its cross
  std::vector<Figure> figures = {};
  std::int32_t kind = MatchNormal;
  int owner = 0;
  std::vector<OtherBomb> others = {};
  int skipped = 0, drawn = 0;  // random values drawn before and by the blast
};

// The cross of fire: middle pieces, an end piece on each arm's last cell.
void LayCross(CellGrid& grid, const Blast& b) {
  const std::int32_t dx[] = {-1, 0, 1, 0}, dy[] = {0, -1, 0, 1}, ends[] = {22, 23, 20, 21};
  for (int arm = 0; arm < 4; ++arm) {
    for (std::int32_t k = 1; k <= b.arms[arm]; ++k) {
      grid[CellIndex(b.x + k * dx[arm], b.y + k * dy[arm])] = k == b.arms[arm] ? ends[arm] : 18 + arm % 2;
    }
  }
  grid[CellIndex(b.x, b.y)] = CellFireCentre;
}

TEST(Explosion, LaysItsCrossBurnsBoxesCutsFusesAndHurtsTheFiguresItReaches) {
  const std::int32_t edge = 2147483647;
  const std::vector<Cell> randomBoxes = {{11, 7, 1}, {12, 6, 1}, {13, 7, 1}, {12, 8, 1}};
  const std::vector<Cell> randomItems = {{11, 7, -1}, {12, 6, -1}, {13, 7, -1}, {12, 8, -1}};
  const Blast blasts[] = {
      {"reach 2, nothing around", 5, 5, 2, {2, 2, 2, 2}, 4},
      {"reach 0: its own cell only", 12, 5, 0, {0, 0, 0, 0}, 0, {{11, 5, CellItemFire}}},
      {"column 24: no right arm", 24, 3, 3, {3, 3, 0, 3}, 3},
      {"row 14: no lower arm", 10, 14, 2, {2, 2, 2, 0}, 3},
      {"reach beyond the field", 5, 5, edge, {5, 5, 19, 9}, 4},
      {"a block and boxes end arms in front of them", 5, 5, 3, {0, 1, 1, 3}, 1,
       {{4, 5, CellBlock3}, {5, 3, CellBox1}, {7, 5, CellBox2}}, {{7, 5, ItemFire}}, {{5, 3, 0}, {7, 5, CellItemFire}}},
      {"hidden items show, unknown ones leave the box", 5, 5, 1, {0, 0, 0, 0}, 0,
       {{4, 5, CellBox1}, {5, 4, CellBox2}, {6, 5, CellBox3}, {5, 6, CellBox1}},
       {{4, 5, ItemBomb}, {5, 4, ItemFire}, {6, 5, ItemFire2}, {5, 6, -7}}, {{4, 5, 7}, {5, 4, 8}, {6, 5, 9}}},
      {"fire passes over items and fire, not over unknown codes", 5, 5, 2, {2, 2, 2, 0}, 3,
       {{4, 5, CellItemBomb}, {5, 4, CellFireHorizontal}, {6, 5, 30}, {5, 7, -4}}, {}, {{6, 5, 30}, {5, 6, 19}}},
      {"random items in arm order", 12, 7, 1, {0, 0, 0, 0}, 0, randomBoxes, randomItems,
       {{11, 7, 8}, {12, 6, 7}, {13, 7, 9}, {12, 8, 8}}, {}, MatchNormal, 0, {}, 13, 4},  // n = 79, 38, 96, 87
      {"random n = 40", 12, 7, 1, {1, 1, 0, 1}, 3, {{13, 7, 1}}, {{13, 7, -1}}, {{13, 7, 7}}, {}, 0, 0, {}, 99, 1},
      {"random n = 41", 12, 7, 1, {1, 1, 0, 1}, 3, {{13, 7, 1}}, {{13, 7, -1}}, {{13, 7, 8}}, {}, 0, 0, {}, 55, 1},
      {"random n = 90", 12, 7, 1, {1, 1, 0, 1}, 3, {{13, 7, 1}}, {{13, 7, -1}}, {{13, 7, 8}}, {}, 0, 0, {}, 251, 1},
      {"random n = 91", 12, 7, 1, {1, 1, 0, 1}, 3, {{13, 7, 1}}, {{13, 7, -1}}, {{13, 7, 9}}, {}, 0, 0, {}, 70, 1},
      {"bombs end arms and have their fuse cut, the first found first", 5, 5, 3, {2, 3, 2, 2}, 1,
       {{2, 5, CellBox2}, {8, 5, CellBombFirst}, {5, 8, CellFireCentre}}, {{2, 5, ItemFire}}, {}, {}, MatchNormal, 0,
       {{2, 5, 1002, 250}, {8, 5, 1000, 250}, {5, 8, -10, -2, true}}},
      {"the first figure on an arm shields those behind", 5, 5, 3, {3, 3, 1, 3}, 4, {}, {}, {},
       {{0, 5, 5, 3, 2}, {1, 6, 5, 3, 2}, {2, 7, 5, 3, 3}, {3, 5, 5, 3, 2}}},
      {"the edge ends an arm before a figure there", 2, 5, 4, {2, 4, 4, 4}, 4, {}, {}, {}, {{1, 0, 5, 3, 3}}},
      {"Normal: the last life takes the figure out", 5, 5, 1, {1, 1, 1, 1}, 4, {}, {}, {},
       {{1, 6, 5, 2, 1}, {2, 5, 6, 1, 0, true}}},
      {"Most Lives likewise", 5, 5, 1, {1, 1, 1, 1}, 4, {}, {}, {}, {{1, 6, 5, 99, 98}, {2, 5, 6, 1, 0, true}},
       MatchMostLives},
      {"Most Kills: a kill for the owner", 5, 5, 2, {2, 2, 2, 2}, 4, {}, {}, {}, {{0, 7, 10, 4, 5}, {1, 7, 5, 0, 0}},
       MatchMostKills},
      {"Most Kills: its own bomb", 5, 5, 2, {2, 2, 2, 2}, 4, {}, {}, {}, {{1, 5, 5, 0, -1}}, MatchMostKills, 1},
      {"Most Kills: beside its owner", 5, 5, 1, {1, 1, 1, 1}, 4, {}, {}, {}, {{1, 6, 5, 0, 0}, {2, 6, 5, 0, -1}},
       MatchMostKills, 2},
  };
  for (const Blast& b : blasts) {
    GameState state;
    testing::MakeOpenField(state, b.cells);
    for (const Cell& item : b.items) state.Item(item.x, item.y) = item.code;
    state.MatchKind = b.kind;
    for (const Figure& f : b.figures) testing::PlaceFigure(state, f.index, f.x, f.y).Lives = f.lives;
    for (const OtherBomb& o : b.others) state.Bombs.Add(o.x, o.y, o.fuse, 1, 100, 1).Exploded = o.exploded;
    state.Tile(b.x, b.y) = CellBombFirst;
    Bomb& bomb = state.Bombs.Add(b.x, b.y, 3000, b.reach, 100, b.owner);
    RandomSource expectedRandom;
    for (int i = 0; i < b.skipped; ++i) state.Random.Next();
    for (int i = 0; i < b.skipped + b.drawn; ++i) expectedRandom.Next();
    CellGrid expected = state.TileMap;
    LayCross(expected, b);
    for (const Cell& cell : b.changed) expected[CellIndex(cell.x, cell.y)] = cell.code;

    FrameEvents events;
    Explode(state, bomb, events);
    EXPECT_TRUE(bomb.Exploded) << b.what;
    EXPECT_EQ(state.TileMap, expected) << b.what;
    EXPECT_EQ((Arms{bomb.ExplodeLeft, bomb.ExplodeUp, bomb.ExplodeRight, bomb.ExplodeDown}),
              (Arms{b.x - b.arms[0], b.y - b.arms[1], b.x + b.arms[2], b.y + b.arms[3]})) << b.what;
    EXPECT_EQ(events.beeps, b.beeps) << b.what;
    EXPECT_EQ(state.Random.State(), expectedRandom.State()) << b.what;
    for (const Figure& f : b.figures) {
      const Character& figure = state.Characters[static_cast<std::size_t>(f.index)];
      EXPECT_EQ(figure.Lives, f.livesAfter) << b.what << ", figure " << f.index;
      EXPECT_EQ((std::array{figure.X, figure.Y, figure.Cont}),
                f.out ? (std::array{OffMapPos, OffMapPos, ContOff}) : (std::array{f.x, f.y, ContMan})) << b.what;
    }
    for (std::size_t i = 0; i < b.others.size(); ++i) {
      EXPECT_EQ(state.Bombs.Item(static_cast<int>(i) + 1).ExplodeTimeLeft, b.others[i].fuseAfter) << b.what;
    }

    // The fire going away empties its row and column from end to end.
    for (std::int32_t x = b.x - b.arms[0]; x <= b.x + b.arms[2]; ++x) expected[CellIndex(x, b.y)] = CellNothing;
    for (std::int32_t y = b.y - b.arms[1]; y <= b.y + b.arms[3]; ++y) expected[CellIndex(b.x, y)] = CellNothing;
    Die(state, bomb);
    EXPECT_EQ(state.TileMap, expected) << b.what;
  }
}

TEST(Planting, NeedsAnEmptyCellOnTheFieldAndABombToSpare) {
  const struct {
    const char* what;
    std::int32_t x, y, cell, powerBombs;
    std::vector<OtherBomb> bombs;  // owner 2 for exploded ones, 1 otherwise
    bool planted;
  } cases[] = {
      {"nothing", 5, 5, CellNothing, 0, {}, true},
      {"doodad", 5, 5, CellDoodad, 0, {}, true},
      {"box", 5, 5, CellBox1, 9, {}, false},
      {"block", 5, 5, CellBlock1, 9, {}, false},
      {"item", 5, 5, CellItemFire2, 9, {}, false},
      {"fire", 5, 5, CellFireVertical, 9, {}, false},
      {"its one bomb still burning", 5, 5, CellNothing, 0, {{9, 9, 0, 0, true}}, false},
      {"a second bomb to spare", 5, 5, CellNothing, 1, {{9, 9, 0, 0, true}}, true},
      {"another figure's bomb", 5, 5, CellNothing, 0, {{9, 9, 3000, 0}}, true},
      {"off the field", OffMapPos, OffMapPos, CellNothing, 3, {}, false},
      {"left of the field", -1, 3, CellNothing, 3, {}, false},
      {"below the field", 4, 15, CellNothing, 3, {}, false},
  };
  for (const auto& c : cases) {
    GameState state;
    testing::MakeOpenField(state);
    if (OnMap(c.x, c.y)) state.Tile(c.x, c.y) = c.cell;
    for (const OtherBomb& o : c.bombs) state.Bombs.Add(o.x, o.y, o.fuse, 1, 100, o.exploded ? 2 : 1).Exploded = o.exploded;
    Character& figure = testing::PlaceFigure(state, 2, c.x, c.y);
    figure.PowerBombs = c.powerBombs;
    figure.PowerFire = 4;
    PlantBomb(state, 2);
    ASSERT_EQ(state.Bombs.Count(), static_cast<int>(c.bombs.size()) + (c.planted ? 1 : 0)) << c.what;
    if (!c.planted) continue;
    const Bomb& bomb = state.Bombs.Item(state.Bombs.Count());
    // Place, fuse, reach, fire time, owner; the cell shows the bomb's first picture.
    EXPECT_EQ((std::array{bomb.X, bomb.Y, bomb.ExplodeTimeLeft, bomb.ExplodeLevel, bomb.ExplodeDuration, bomb.Owner,
                          state.Tile(c.x, c.y)}),
              (std::array{c.x, c.y, 3000, 4, 100, 2, CellBombFirst})) << c.what;
  }
}

// One field for every case: a fire-item row to walk onto, an exploded bomb at
// (10, 5) whose fire reaches (8..12, 5) and (10, 3..7) over a doodad and an
// item, a live bomb at (3, 10), a figure out of play standing on an item at
// (20, 10) and one walking from (17, 2) toward (16, 2).
void MakeScene(GameState& state) {
  testing::MakeOpenField(state, {{0, 12, CellNothing}, {1, 12, CellDoodad}, {2, 12, CellBox1}, {3, 12, CellBox3},
                                 {4, 12, CellBlock1}, {5, 12, CellBlock2}, {6, 12, CellBlock3}, {7, 12, CellItemBomb},
                                 {8, 12, CellItemFire}, {9, 12, CellItemFire2}, {10, 12, CellFireHorizontal},
                                 {11, 12, 30}, {8, 5, CellDoodad}, {12, 5, CellItemFire}, {20, 10, CellItemFire}});
  Bomb& fire = state.Bombs.Add(10, 5, 0, 2, 100, 3);
  fire.Exploded = true;
  fire.ExplodeLeft = 8, fire.ExplodeRight = 12, fire.ExplodeUp = 3, fire.ExplodeDown = 7;
  state.Bombs.Add(3, 10, 3000, 1, 100, 3);
  testing::PlaceFigure(state, 3, 20, 10, ContOff);
  Character& walker = testing::PlaceFigure(state, 2, 17, 2);
  walker.Moving = true;
  walker.Direction = DirLeft;
}

TEST(FigureWalk, TheTargetCellDecidesTheStepAndItemsAreTakenAsItStarts) {
  const std::int32_t left = DirLeft, up = DirUp, right = DirRight, down = DirDown;
  const struct {
    std::int32_t x, y, direction, result, fireGain = 0, bombGain = 0, cellAfter = 99;  // 99: the cell stays
    bool busy = false;
  } cases[] = {
      {0, 11, down, MoveFree},       {1, 11, down, MoveFree},     {2, 11, down, MoveBox},
      {3, 11, down, MoveBox},        {4, 11, down, MoveBlock},    {5, 11, down, MoveBlock},
      {6, 11, down, MoveBlock},      {7, 11, down, MoveTookBomb, 0, 1, -1},
      {8, 11, down, MoveTookFire, 1, 0, -1},                     {9, 11, down, MoveTookDoubleFire, 2, 0, -1},
      {10, 11, down, MoveFree},      {11, 11, down, MoveFree},  // fire refuses only through its bomb
      {19, 10, right, MoveFigure, 1, 0, -1},                     // the item goes first; in play or not, it blocks
      {15, 2, right, MoveFree},      // a figure walking there still stands on its own cell
      {3, 9, down, MoveBomb},        {7, 5, right, MoveFire},    {13, 5, left, MoveFire, 1, 0, -1},
      {10, 2, down, MoveFire},       {10, 8, up, MoveFire},      {14, 5, left, MoveFree},
      {10, 1, down, MoveFree},       {8, 4, right, MoveFree},    {10, 9, up, MoveFree},
      {0, 14, left, MoveOffGrid},    {0, 14, down, MoveOffGrid}, {24, 0, right, MoveOffGrid},
      {24, 0, up, MoveOffGrid},      {OffMapPos, OffMapPos, left, MoveOffGrid},                {-1, 3, right, MoveOffGrid},
      {25, 7, left, MoveOffGrid},    {4, 15, up, MoveOffGrid},  {5, 5, up, MoveBusy, 0, 0, 99, true},
  };
  for (const auto& c : cases) {
    GameState state;
    MakeScene(state);
    Character& figure = testing::PlaceFigure(state, 0, c.x, c.y);
    figure.Moving = c.busy;
    figure.Direction = DirDown;
    std::int32_t tx = c.x, ty = c.y;
    StepFrom(c.direction, tx, ty);
    const std::int32_t cellBefore = OnMap(tx, ty) ? state.Tile(tx, ty) : 0;
    EXPECT_EQ(Move(state, 0, c.direction), c.result) << c.x << "," << c.y << " " << c.direction;
    const bool walks = c.result == MoveFree || c.result >= MoveTookFire;
    EXPECT_EQ(figure.Moving, walks || c.busy) << c.x << "," << c.y;
    EXPECT_EQ(figure.AnimTime, walks ? 250 : 0) << c.x << "," << c.y;
    // Refused or not it faces the cell, unless a step was already under way.
    EXPECT_EQ(figure.Direction, c.busy ? DirDown : c.direction) << c.x << "," << c.y;
    EXPECT_EQ((std::array{figure.X, figure.Y, figure.PowerFire, figure.PowerBombs}),
              (std::array{c.x, c.y, c.fireGain, c.bombGain})) << c.x << "," << c.y;
    if (OnMap(tx, ty)) {
      EXPECT_EQ(state.Tile(tx, ty), c.cellAfter == 99 ? cellBefore : c.cellAfter) << tx << "," << ty;
    }
  }
}

TEST(FigureWalk, AStepTakesFourFramesAndTheAnimationFollowsTheOvershootHalfToEven) {
  const struct {
    std::array<std::int32_t, 4> frameMs, animFrames;
  } cases[] = {
      {{51, 51, 51, 51}, {0, 0, 0, 0}},      // 204 ms in all: the timer never runs out
      {{375, 750, 375, 1000}, {0, 2, 2, 0}},  // 0.5 -> 0, 2 -> 2, 0.5 + 2 -> 2; the step's end resets it
      {{200, 200, 500, 51}, {0, 1, 2, 0}},    // 0.6 -> 1, then 1 + 1 from a fresh 250
      {{1250, 51, 51, 51}, {1, 1, 1, 0}},     // 4 periods over: frame 4 mod 3
  };
  for (const auto& [frameMs, animFrames] : cases) {
    GameState state;
    testing::MakeOpenField(state);
    Character& figure = testing::PlaceFigure(state, 0, 3, 5);
    ASSERT_EQ(Move(state, 0, DirRight), MoveFree);
    for (std::size_t frame = 0; frame < 4; ++frame) {
      Prepare(figure, frameMs[frame]);
      EXPECT_EQ(figure.AnimFrame, animFrames[frame]) << frameMs[0] << ", frame " << frame;
      EXPECT_EQ(figure.X, frame < 3 ? 3 : 4) << frameMs[0];
      EXPECT_EQ(figure.Moving, frame < 3) << frameMs[0];
    }
    EXPECT_EQ((std::array{figure.StepOffset, figure.AnimTime}), (std::array{0, 0}));
    Prepare(figure, 51);
    EXPECT_EQ(figure.X, 4);
  }
}

}  // namespace
}  // namespace fl3
