#include <gtest/gtest.h>

#include "MatchTestKit.h"
#include "match/Damage.h"
#include "match/Explosion.h"

namespace fl3 {
namespace {

using testing::MakeOpenField;
using testing::PlaceFigure;

class Damage : public ::testing::Test {
 protected:
  void SetUp() override { MakeOpenField(state); }
  void ExplodeBombOf(int owner, std::int32_t x, std::int32_t y, std::int32_t reach) {
    state.Tile(x, y) = CellBombFirst;
    Explode(state, state.Bombs.Add(x, y, 3000, reach, 100, owner), events);
  }
  GameState state;
  FrameEvents events;
};

TEST_F(Damage, NormalMatchTakesLivesAndTheLastOneTakesTheFigureOut) {
  state.MatchKind = MatchNormal;
  Character& figure = PlaceFigure(state, 1, 6, 5);
  figure.Lives = 2;
  figure.Moving = true;
  ExplodeBombOf(0, 5, 5, 1);
  EXPECT_EQ(figure.Lives, 1);
  EXPECT_EQ(figure.Cont, ContMan);
  ExplodeBombOf(0, 3, 5, 3);  // the right arm stops at the first bomb
  EXPECT_EQ(figure.Lives, 1);
  ExplodeBombOf(2, 6, 6, 1);
  EXPECT_EQ(figure.Lives, 0);
  EXPECT_EQ(figure.Cont, ContOff);
  EXPECT_EQ(figure.X, OffMapPos);
  EXPECT_EQ(figure.Y, OffMapPos);
}

TEST_F(Damage, MostLivesTakesOneLifeAndLeavesPlayAtZero) {
  state.MatchKind = MatchMostLives;
  Character& figure = PlaceFigure(state, 3, 10, 10);
  figure.Lives = 99;
  Hurt(state, 3, 0, 1);
  EXPECT_EQ(figure.Lives, 98);
  figure.Lives = 1;
  Hurt(state, 3, 0, 1);
  EXPECT_EQ(figure.Lives, 0);
  EXPECT_EQ(figure.Cont, ContOff);
}

TEST_F(Damage, MostKillsCountsForTheBomberAndAgainstOwnBombs) {
  state.MatchKind = MatchMostKills;
  Character& bomber = PlaceFigure(state, 0, 5, 5);
  Character& victim = PlaceFigure(state, 1, 7, 5);
  bomber.Lives = 0;
  victim.Lives = 0;
  // The bomber stands on its own bomb (-1); its right arm reaches the victim (+1).
  ExplodeBombOf(0, 5, 5, 2);
  EXPECT_EQ(bomber.Lives, 0);
  EXPECT_EQ(victim.Lives, 0);
  EXPECT_EQ(victim.X, 7);
  EXPECT_EQ(bomber.Cont, ContMan);

  state.Bombs.Clear();
  state.TileMap.fill(CellNothing);
  ExplodeBombOf(1, 7, 7, 2);  // the victim's own upper arm reaches it
  EXPECT_EQ(victim.Lives, -1);
  EXPECT_EQ(bomber.Lives, 0);
  ExplodeBombOf(0, 10, 5, 3);  // the bomber's left arm reaches the victim
  EXPECT_EQ(bomber.Lives, 1);

  // A victim sharing the bomber's cell counts against the bomber.
  victim.X = 5;
  victim.Y = 5;
  Hurt(state, 1, 0, 1);
  EXPECT_EQ(bomber.Lives, 0);
  EXPECT_EQ(victim.Lives, -1);
}

}  // namespace
}  // namespace fl3
