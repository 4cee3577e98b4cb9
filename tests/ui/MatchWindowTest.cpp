#include "ScriptedDevices.h"
#include "WindowBench.h"
#include "ui/MatchWindow.h"

namespace fl3::testing {
namespace {

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
};

TEST(MatchWindow, MissingMusicIsReportedOnceThenEscapeEndsTheSilentMatch) {
  MatchBench bench;
  KeyState escape{};
  escape[kEscapeKey] = 0x80;
  bench.Play({KeyState{}, KeyState{}, escape});
  ASSERT_EQ(bench.messages.shown.size(), 1u);
  EXPECT_EQ(bench.Shown(0), std::tuple("TUNE.MID was not found!", "File not found!", MessageIcon::Critical,
                                       MessageButtons::Ok));
  EXPECT_TRUE(bench.music.calls.empty());
  EXPECT_EQ(std::pair(bench.end, bench.frames), std::pair(MatchEnd::Quit, 3));
}

TEST(MatchWindow, TheLevelMusicPlaysWithTheSettingsUntilTheLastFigureStandingHasWon) {
  MatchBench bench;
  bench.temp.Write("tune.mid", "MThd");  // found whatever the letter case
  bench.state.Music = {25, -150, 40};
  // A bomb about to burst under player 2 takes its only life.
  bench.state.Bombs.Add(10, 10, 60, 1, kBombFireMs, 1);
  bench.state.Tile(10, 10) = CellBombFirst;
  bench.Play({KeyState{}});
  EXPECT_TRUE(bench.messages.shown.empty());
  EXPECT_EQ(bench.music.calls, (Calls{"InitMusic 128", "LoadMusic tune.mid midi", "SetMusicTempo 2.5",
                                      "SetMusicVolume -150", "SetMusicGroove 40", "PlayMusic #1 -1", "StopMusic #1",
                                      "ReleaseMusic"}));
  EXPECT_EQ(std::pair(bench.end, bench.winner), std::pair(MatchEnd::Winner, 0));
}

}  // namespace
}  // namespace fl3::testing
