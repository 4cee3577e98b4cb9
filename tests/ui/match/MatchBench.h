#pragma once
#include <optional>
#include <tuple>

#include "../WindowBench.h"
#include "ScriptedDevices.h"
#include "ui/match/MatchWindow.h"

namespace fl3::testing {

// Two figures with one life each on an empty field, playing to "TUNE.MID".
struct MatchBench : WindowBench {
  MatchBench() {
    state.TileMap.fill(CellNothing);
    state.LevelMusic = "TUNE.MID";
    for (std::size_t i = 0; i < FigureCount; ++i) {
      state.Characters[i].Cont = i < 2 ? ContMan : ContOff;
      state.Characters[i].Lives = 1;
      state.Characters[i].X = state.Characters[i].Y = i < 2 ? static_cast<std::int32_t>(2 + 8 * i) : OffMapPos;
    }
  }
  void Play(std::vector<KeyState> script) {
    frmNormalGame window(state, folder, messages, music, nullptr);
    window.SetDevices({[&](QObject&) { return std::make_unique<ScriptedKeyboard>(script); }, &clock, true});
    window.SetReplaySink([this](Replay finished) { replay = std::move(finished); });
    window.YA(0, -1, 0, 1, 2, 3);
    std::tie(end, winner, frames) = std::tuple(window.LastEnd(), window.LastWinner(), window.FramesShown());
    // The tear-down leaves the shared state as between matches.
    const std::int32_t conts[] = {ContMan, ContCpu, ContOff, ContOff};
    for (std::size_t i = 0; i < FigureCount; ++i) {
      EXPECT_EQ(std::pair(state.Characters[i].Cont, state.Characters[i].Lives), std::pair(conts[i], 5)) << i;
    }
  }

  SteppingClock clock{0, 26};  // time runs on at every look, so the match never waits
  MatchEnd end = MatchEnd::Running;
  int winner = -1, frames = 0;
  std::optional<Replay> replay;
};

}  // namespace fl3::testing
