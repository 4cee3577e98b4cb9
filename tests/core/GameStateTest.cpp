#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <string>

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

TEST(StartUp, LoadsEachPlayersLayoutAndTheMusicSettingsSkippingWhatFails) {
  const KeyLayout none{}, arrows{203, 200, 205, 208, 157}, letters{30, 17, 32, 31, 16};
  const struct {
    std::map<std::string, std::string> files;
    std::array<KeyLayout, 4> keys;
    MusicSettings music;
  } cases[] = {
      {{}, {none, none, none, none}, {10, 0, 0}},
      // A folder where player 1's file should be, player 2 without a file.
      {{{"1.FLK3", "203\r\n200\r\n205\r\n208\r\n157\r\n"}, {"2.flk3", "30\r\n17\r\n32\r\n31\r\n16\r\n"},
        {"3.FLK3", "203\r\n200\r\n205\r\n208\r\n157\r\n"}, {"MISC.OPT", "25\r\n-150\r\n40\r\n"}},
       {none, arrows, letters, arrows},
       {25, -150, 40}},
  };
  for (const auto& [files, keys, music] : cases) {
    TempFolder temp;
    if (!files.empty()) fs::create_directory(temp.Path() / "0.FLK3");
    for (const auto& [name, text] : files) temp.Write(name, text);
    GameState state;
    StartUp(state, GameFolder(temp.Path()));
    for (std::size_t i = 0; i < 4; ++i) {
      EXPECT_EQ(state.Characters[i].Keys, keys[i]) << i;
      EXPECT_EQ(NumbersOf(state.Characters[i]), (Numbers{0, 0, ContOff, 0, 0, 0}));
    }
    EXPECT_EQ(state.Music, music);
    EXPECT_TRUE(AllZero(state.TileMap) && AllZero(state.ItemMap));
    EXPECT_EQ(state.Bombs.Count(), 0);
    // Reading creates nothing.
    EXPECT_EQ(static_cast<std::size_t>(std::distance(fs::directory_iterator(temp.Path()), {})),
              files.size() + (files.empty() ? 0 : 1));
  }
}

TEST(ResetAfterMatch, LeavesTheBetweenMatchesFormWhileClearLevelEmptiesOnlyTheLevelsShare) {
  GameState reset, cleared;
  for (GameState* state : {&reset, &cleared}) {
    for (std::size_t i = 0; i < 4; ++i) {
      Character& figure = state->Characters[i];
      figure = Character{3, 4, ContMan, DirDown, 1, 3, 2, KeyLayout{30, 17, 32, 31, 16 + static_cast<int>(i)}};
      figure.Moving = true;
      figure.StepOffset = 16;
      figure.AnimTime = 40;
      figure.AnimFrame = 2;
    }
    state->TileMap.fill(CellBlock1);
    state->ItemMap.fill(ItemRandom);
    state->Bombs.Add(5, 6, 3000, 2, 100, 0);
    state->LevelMusic = "BATTLE.MID";
    state->MatchKind = MatchMostLives;
    state->TimeLeft = 90000;
    state->Music.MusicTempo = 25;
  }
  ResetAfterMatch(reset);
  ClearLevel(cleared);

  const std::int32_t contAfter[] = {ContMan, ContCpu, ContOff, ContOff};
  for (std::size_t i = 0; i < 4; ++i) {
    const Character& figure = reset.Characters[i];
    EXPECT_EQ(NumbersOf(figure), (Numbers{0, 0, contAfter[i], 5, 0, 0})) << i;
    // No figure may begin the next match in the middle of a step.
    EXPECT_EQ((std::array{figure.Moving ? 1 : 0, figure.StepOffset, figure.AnimTime, figure.AnimFrame}),
              (std::array{0, 0, 0, 0}));
    // Keys belong to the player, not to the match.
    EXPECT_EQ(figure.Keys.keyPlantBomb, 16 + static_cast<int>(i));
    EXPECT_EQ(NumbersOf(cleared.Characters[i]), (Numbers{0, 0, ContMan, 1, 0, 0})) << i;
  }
  EXPECT_EQ(reset.Bombs.Count(), 0);
  for (const GameState* state : {&reset, &cleared}) {
    EXPECT_TRUE(AllZero(state->TileMap) && AllZero(state->ItemMap));
    EXPECT_EQ(state->LevelMusic, "");
    // The start screen sets these again before the next match.
    EXPECT_EQ(state->MatchKind, MatchMostLives);
    EXPECT_EQ(state->TimeLeft, 90000);
    EXPECT_EQ(state->Music.MusicTempo, 25);
  }
}

}  // namespace
}  // namespace fl3
