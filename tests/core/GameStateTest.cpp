#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "TempFolder.h"
#include "core/GameFolder.h"
#include "core/GameState.h"

namespace fl3 {
namespace {

namespace fs = std::filesystem;

TEST(StartUp, LoadsEachPlayersLayoutAndTheMusicSettingsSkippingWhatFailsAndCreatingNothing) {
  const KeyLayout none{}, arrows{203, 200, 205, 208, 157}, letters{30, 17, 32, 31, 16};
  const struct {
    std::map<std::string, std::string> files;  // a folder where player 1's file should be
    std::array<KeyLayout, 4> keys;
    MusicSettings music;
  } cases[] = {
      {{}, {none, none, none, none}, {10, 0, 0}},
      {{{"1.FLK3", "203\r\n200\r\n205\r\n208\r\n157\r\n"}, {"2.flk3", "30\r\n17\r\n32\r\n31\r\n16\r\n"},
        {"3.FLK3", "203\r\n200\r\n205\r\n208\r\n157\r\n"}, {"MISC.OPT", "25\r\n-150\r\n40\r\n"}},
       {none, arrows, letters, arrows},
       {25, -150, 40}},
  };
  for (const auto& [files, keys, music] : cases) {
    testing::TempFolder temp;
    fs::create_directory(temp.Path() / "0.FLK3");
    for (const auto& [name, text] : files) temp.Write(name, text);
    GameState state;
    StartUp(state, GameFolder(temp.Path()));
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(state.Characters[i].Keys, keys[i]) << i;
    EXPECT_EQ(state.Music, music);
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.Path()), {}), static_cast<long>(files.size()) + 1);
  }
}

TEST(ResetAfterMatch, LeavesTheBetweenMatchesFormWhileClearLevelEmptiesOnlyTheLevelsShare) {
  GameState reset, cleared;
  for (GameState* state : {&reset, &cleared}) {
    for (int i = 0; i < 4; ++i) {
      state->Characters[i] = Character{3, 4, ContMan, DirDown, 1, 3, 2, KeyLayout{30, 17, 32, 31, 16 + i}, true, 16, 40, 2};
    }
    state->TileMap.fill(CellBlock1);
    state->ItemMap.fill(ItemRandom);
    state->Bombs.Add(5, 6, 3000, 2, 100, 0);
    state->LevelMusic = "BATTLE.MID";
    state->MatchKind = MatchMostLives;
    state->TimeLeft = 90000;
  }
  ResetAfterMatch(reset);
  ClearLevel(cleared);
  const std::int32_t contAfter[] = {ContMan, ContCpu, ContOff, ContOff};
  for (int i = 0; i < 4; ++i) {
    const Character& r = reset.Characters[i];
    const Character& c = cleared.Characters[i];
    // X, Y, Cont, Lives, PowerBombs, PowerFire, then the step: no figure may begin the next match walking.
    EXPECT_EQ((std::array{r.X, r.Y, r.Cont, r.Lives, r.PowerBombs, r.PowerFire, r.Moving ? 1 : 0, r.StepOffset,
                          r.AnimTime, r.AnimFrame, r.Keys.keyPlantBomb}),
              (std::array{0, 0, contAfter[i], 5, 0, 0, 0, 0, 0, 0, 16 + i}));
    EXPECT_EQ((std::array{c.X, c.Y, c.Cont, c.Lives, c.PowerBombs, c.PowerFire}), (std::array{0, 0, ContMan, 1, 0, 0}));
  }
  EXPECT_EQ(reset.Bombs.Count(), 0);
  for (const GameState* state : {&reset, &cleared}) {
    EXPECT_TRUE(std::all_of(state->TileMap.begin(), state->TileMap.end(), [](std::int32_t code) { return code == 0; }));
    EXPECT_TRUE(std::all_of(state->ItemMap.begin(), state->ItemMap.end(), [](std::int32_t code) { return code == 0; }));
    EXPECT_EQ(state->LevelMusic, "");
    // The start screen sets these again before the next match.
    EXPECT_EQ((std::array{state->MatchKind, state->TimeLeft}), (std::array{MatchMostLives, 90000}));
  }
}

}  // namespace
}  // namespace fl3
