#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "TempFolder.h"
#include "core/GameFolder.h"
#include "core/GameState.h"

namespace fl3 {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

bool AllZero(const CellGrid& grid) {
  return std::all_of(grid.begin(), grid.end(), [](std::int32_t code) { return code == 0; });
}

bool NoKeys(const KeyLayout& keys) { return keys == KeyLayout{}; }

KeyLayout Keys(std::int32_t left, std::int32_t up, std::int32_t right, std::int32_t down, std::int32_t plant) {
  KeyLayout layout;
  layout.keyLeft = left;
  layout.keyUp = up;
  layout.keyRight = right;
  layout.keyDown = down;
  layout.keyPlantBomb = plant;
  return layout;
}

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
    figure.Moving = true;
    figure.StepOffset = 16;
    figure.AnimTime = 40;
    figure.AnimFrame = 2;
    figure.Keys = Keys(30, 17, 32, 31, 16 + static_cast<std::int32_t>(i));
  }
  state.TileMap.fill(CellBlock1);
  state.ItemMap.fill(ItemRandom);
  state.Bombs.Add(5, 6, 3000, 2, 100, 0);
  state.Tile(5, 6) = CellBombFirst + 3;
  state.Bombs.Add(7, 8, 1200, 1, 100, 1);
  state.LevelMusic = "BATTLE.MID";
  state.MatchKind = MatchMostLives;
  state.TimeLeft = 90000;
  state.FrameTime = 51;
  state.Music.MusicTempo = 25;
}

TEST(StartUp, WithNoFilesEverythingIsEmptyAndTheMusicIsNormal) {
  TempFolder temp;
  GameState state;
  StartUp(state, GameFolder(temp.Path()));

  EXPECT_EQ(state.Music.MusicTempo, 10);
  EXPECT_EQ(state.Music.MusicVolume, 0);
  EXPECT_EQ(state.Music.MusicGroove, 0);
  for (const Character& figure : state.Characters) {
    EXPECT_TRUE(NoKeys(figure.Keys));
    EXPECT_EQ(figure.X, 0);
    EXPECT_EQ(figure.Y, 0);
    EXPECT_EQ(figure.Lives, 0);
    EXPECT_EQ(figure.Cont, ContOff);
    EXPECT_EQ(figure.PowerBombs, 0);
    EXPECT_EQ(figure.PowerFire, 0);
  }
  EXPECT_TRUE(AllZero(state.TileMap));
  EXPECT_TRUE(AllZero(state.ItemMap));
  EXPECT_EQ(state.Bombs.Count(), 0);
  EXPECT_EQ(state.LevelMusic, "");
  EXPECT_EQ(state.MatchKind, MatchNormal);
  EXPECT_EQ(state.TimeLeft, 0);
  EXPECT_EQ(state.FrameTime, 0);
  // Reading creates nothing.
  EXPECT_TRUE(fs::is_empty(temp.Path()));
}

TEST(StartUp, LoadsEachPlayersLayoutAndTheMusicSettings) {
  TempFolder temp;
  temp.Write("0.FLK3", "203\r\n200\r\n205\r\n208\r\n157\r\n");
  temp.Write("2.flk3", "30\r\n17\r\n32\r\n31\r\n16\r\n");
  temp.Write("3.FLK3", "75\r\n72\r\n");
  temp.Write("MISC.OPT", "25\r\n-150\r\n40\r\n");
  GameState state;
  StartUp(state, GameFolder(temp.Path()));

  EXPECT_EQ(state.Characters[0].Keys, Keys(203, 200, 205, 208, 157));
  EXPECT_TRUE(NoKeys(state.Characters[1].Keys));
  EXPECT_EQ(state.Characters[2].Keys, Keys(30, 17, 32, 31, 16));
  EXPECT_EQ(state.Characters[3].Keys, Keys(75, 72, 0, 0, 0));
  EXPECT_EQ(state.Music.MusicTempo, 25);
  EXPECT_EQ(state.Music.MusicVolume, -150);
  EXPECT_EQ(state.Music.MusicGroove, 40);
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

  EXPECT_TRUE(NoKeys(state.Characters[0].Keys));
  EXPECT_TRUE(NoKeys(state.Characters[1].Keys));
  EXPECT_EQ(state.Characters[2].Keys, Keys(0, 0, 57, 0, 0));
  EXPECT_EQ(state.Characters[3].Keys, Keys(203, 200, 205, 208, 157));
  EXPECT_EQ(state.Music.MusicTempo, 1);
  EXPECT_EQ(state.Music.MusicVolume, -200);
  EXPECT_EQ(state.Music.MusicGroove, 0);
}

TEST(ResetAfterMatch, LeavesTheBetweenMatchesForm) {
  GameState state;
  PlayAWhile(state);
  ResetAfterMatch(state);

  const std::int32_t contAfter[] = {ContMan, ContCpu, ContOff, ContOff};
  for (std::size_t i = 0; i < 4; ++i) {
    const Character& figure = state.Characters[i];
    EXPECT_EQ(figure.X, 0);
    EXPECT_EQ(figure.Y, 0);
    EXPECT_EQ(figure.PowerBombs, 0);
    EXPECT_EQ(figure.PowerFire, 0);
    EXPECT_EQ(figure.Lives, 5);
    EXPECT_EQ(figure.Cont, contAfter[i]);
    EXPECT_FALSE(figure.Moving);
    EXPECT_EQ(figure.StepOffset, 0);
    // Keys belong to the player, not to the match.
    EXPECT_EQ(figure.Keys, Keys(30, 17, 32, 31, 16 + static_cast<std::int32_t>(i)));
  }
  EXPECT_TRUE(AllZero(state.TileMap));
  EXPECT_TRUE(AllZero(state.ItemMap));
  EXPECT_EQ(state.Bombs.Count(), 0);
  EXPECT_EQ(state.LevelMusic, "");
  // The start screen sets these again before the next match.
  EXPECT_EQ(state.MatchKind, MatchMostLives);
  EXPECT_EQ(state.TimeLeft, 90000);
  EXPECT_EQ(state.Music.MusicTempo, 25);
}

TEST(ClearLevel, EmptiesOnlyTheLevelsShare) {
  GameState state;
  PlayAWhile(state);
  ClearLevel(state);

  for (const Character& figure : state.Characters) {
    EXPECT_EQ(figure.X, 0);
    EXPECT_EQ(figure.Y, 0);
    EXPECT_EQ(figure.PowerBombs, 0);
    EXPECT_EQ(figure.PowerFire, 0);
    EXPECT_EQ(figure.Lives, 1);
    EXPECT_EQ(figure.Cont, ContMan);
  }
  EXPECT_TRUE(AllZero(state.TileMap));
  EXPECT_TRUE(AllZero(state.ItemMap));
  EXPECT_EQ(state.LevelMusic, "");
  EXPECT_EQ(state.MatchKind, MatchMostLives);
  EXPECT_EQ(state.TimeLeft, 90000);
}

}  // namespace
}  // namespace fl3
