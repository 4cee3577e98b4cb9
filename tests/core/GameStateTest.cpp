#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>

#include "TempFolder.h"
#include "core/GameFolder.h"
#include "core/GameState.h"

namespace fl3 {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;
using Numbers = std::array<std::int32_t, 6>;

// X, Y, Cont, Lives, PowerBombs, PowerFire.
Numbers NumbersOf(const Character& figure) {
  return {figure.X, figure.Y, figure.Cont, figure.Lives, figure.PowerBombs, figure.PowerFire};
}

bool AllZero(const CellGrid& grid) {
  return std::all_of(grid.begin(), grid.end(), [](std::int32_t code) { return code == 0; });
}

KeyLayout PlayerKeys(std::size_t i) { return {30, 17, 32, 31, 16 + static_cast<std::int32_t>(i)}; }

// A state in the middle of a match: figures placed and walking, bombs down,
// fire on the field.
void PlayAWhile(GameState& state) {
  for (std::size_t i = 0; i < 4; ++i) {
    Character& figure = state.Characters[i];
    figure.X = 3 + static_cast<std::int32_t>(i);
    figure.Y = 4;
    figure.PowerBombs = 2;
    figure.PowerFire = 3;
    figure.Lives = 1;
    figure.Cont = ContMan;
    figure.Direction = DirDown;
    figure.Moving = true;
    figure.StepOffset = 16;
    figure.AnimTime = 40;
    figure.AnimFrame = 2;
    figure.Keys = PlayerKeys(i);
  }
  state.TileMap.fill(CellBlock1);
  state.ItemMap.fill(ItemRandom);
  state.Bombs.Add(5, 6, 3000, 2, 100, 0);
  state.Tile(5, 6) = CellBombFirst + 3;
  state.Bombs.Add(7, 8, 1200, 1, 100, 1);
  state.LevelMusic = "BATTLE.MID";
  state.MatchKind = MatchMostLives;
  state.TimeLeft = 90000;
  state.Music.MusicTempo = 25;
}

TEST(StartUp, WithNoFilesEverythingIsEmptyAndTheMusicIsNormal) {
  TempFolder temp;
  GameState state;
  StartUp(state, GameFolder(temp.Path()));

  EXPECT_EQ(state.Music, (MusicSettings{10, 0, 0}));
  for (const Character& figure : state.Characters) {
    EXPECT_EQ(figure.Keys, KeyLayout{});
    EXPECT_EQ(NumbersOf(figure), (Numbers{0, 0, ContOff, 0, 0, 0}));
  }
  EXPECT_TRUE(AllZero(state.TileMap));
  EXPECT_TRUE(AllZero(state.ItemMap));
  EXPECT_EQ(state.Bombs.Count(), 0);
  EXPECT_EQ(state.LevelMusic, "");
  EXPECT_EQ(state.MatchKind, MatchNormal);
  EXPECT_EQ(state.TimeLeft, 0);
  EXPECT_EQ(state.FrameTime, 0);
  EXPECT_TRUE(fs::is_empty(temp.Path()));  // reading creates nothing
}

TEST(StartUp, LoadsEachPlayersLayoutAndTheMusicSettings) {
  TempFolder temp;
  temp.Write("0.FLK3", "203\r\n200\r\n205\r\n208\r\n157\r\n");
  temp.Write("2.flk3", "30\r\n17\r\n32\r\n31\r\n16\r\n");
  temp.Write("3.FLK3", "75\r\n72\r\n");
  temp.Write("MISC.OPT", "25\r\n-150\r\n40\r\n");
  GameState state;
  StartUp(state, GameFolder(temp.Path()));

  EXPECT_EQ(state.Characters[0].Keys, (KeyLayout{203, 200, 205, 208, 157}));
  EXPECT_EQ(state.Characters[1].Keys, KeyLayout{});
  EXPECT_EQ(state.Characters[2].Keys, (KeyLayout{30, 17, 32, 31, 16}));
  EXPECT_EQ(state.Characters[3].Keys, (KeyLayout{75, 72, 0, 0, 0}));
  EXPECT_EQ(state.Music, (MusicSettings{25, -150, 40}));
}

TEST(StartUp, SkipsWhatCannotBeReadAndGoesOn) {
  TempFolder temp;
  fs::create_directory(temp.Path() / "0.FLK3");
  temp.Write("1.FLK3", "garbage");
  temp.Write("2.FLK3", "999\r\n-3\r\n57\r\n");
  temp.Write("3.FLK3", "203\r\n200\r\n205\r\n208\r\n157\r\n");
  temp.Write("MISC.OPT", "0\r\n-500\r\nloud\r\n");
  GameState state;
  StartUp(state, GameFolder(temp.Path()));

  EXPECT_EQ(state.Characters[0].Keys, KeyLayout{});
  EXPECT_EQ(state.Characters[1].Keys, KeyLayout{});
  EXPECT_EQ(state.Characters[2].Keys, (KeyLayout{0, 0, 57, 0, 0}));
  EXPECT_EQ(state.Characters[3].Keys, (KeyLayout{203, 200, 205, 208, 157}));
  EXPECT_EQ(state.Music, (MusicSettings{1, -200, 0}));
}

TEST(ResetAfterMatch, LeavesTheBetweenMatchesFormWhileClearLevelEmptiesOnlyTheLevelsShare) {
  GameState reset, cleared;
  PlayAWhile(reset);
  PlayAWhile(cleared);
  ResetAfterMatch(reset);
  ClearLevel(cleared);

  const std::int32_t contAfter[] = {ContMan, ContCpu, ContOff, ContOff};
  for (std::size_t i = 0; i < 4; ++i) {
    const Character& figure = reset.Characters[i];
    EXPECT_EQ(NumbersOf(figure), (Numbers{0, 0, contAfter[i], 5, 0, 0})) << i;
    // No figure may begin the next match in the middle of a step.
    EXPECT_FALSE(figure.Moving);
    EXPECT_EQ(figure.StepOffset, 0);
    EXPECT_EQ(figure.AnimTime, 0);
    EXPECT_EQ(figure.AnimFrame, 0);
    EXPECT_EQ(figure.Direction, DirDown);
    // Keys belong to the player, not to the match.
    EXPECT_EQ(figure.Keys, PlayerKeys(i));
    EXPECT_EQ(NumbersOf(cleared.Characters[i]), (Numbers{0, 0, ContMan, 1, 0, 0})) << i;
  }
  EXPECT_EQ(reset.Bombs.Count(), 0);
  for (const GameState* state : {&reset, &cleared}) {
    EXPECT_TRUE(AllZero(state->TileMap));
    EXPECT_TRUE(AllZero(state->ItemMap));
    EXPECT_EQ(state->LevelMusic, "");
    // The start screen sets these again before the next match.
    EXPECT_EQ(state->MatchKind, MatchMostLives);
    EXPECT_EQ(state->TimeLeft, 90000);
    EXPECT_EQ(state->Music.MusicTempo, 25);
  }
}

}  // namespace
}  // namespace fl3
