#include "GameState.h"

#include "CpuSettings.h"
#include "GameFolder.h"
#include "StaleTemporaryFiles.h"

namespace fl3 {

void StartUp(GameState& state, const GameFolder& folder) {
  RemoveStaleTemporaryFiles(folder.Directory());
  for (int i = 0; i < FigureCount; ++i) {
    state.Characters[static_cast<std::size_t>(i)] = Character{};
    state.Characters[static_cast<std::size_t>(i)].Keys.Load(folder, std::to_string(i));
  }
  state.Music = ReadMusicSettings(folder);
  state.Pads = ReadPadChoices(folder);
  state.CpuStrength = ReadCpuStrengthSetting(folder);
  state.Bombs.Clear();
}

void ClearLevel(GameState& state) {
  state.TileMap.fill(0);
  state.ItemMap.fill(0);
  state.LevelMusic.clear();
  for (Character& figure : state.Characters) {
    figure.X = 0;
    figure.Y = 0;
    figure.PowerBombs = 0;
    figure.PowerFire = 0;
  }
}

void ResetAfterMatch(GameState& state) {
  constexpr std::int32_t kContAfterMatch[FigureCount] = {ContMan, ContCpu, ContOff, ContOff};
  for (int i = 0; i < FigureCount; ++i) {
    Character& figure = state.Characters[static_cast<std::size_t>(i)];
    figure.Lives = 5;
    figure.Cont = kContAfterMatch[i];
    figure.Moving = false;
    figure.StepOffset = 0;
    figure.AnimTime = 0;
    figure.AnimFrame = 0;
  }
  state.Bombs.Clear();
  ClearLevel(state);
}

}  // namespace fl3
