#include "MatchBench.h"

namespace fl3::testing {
namespace {

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
  ASSERT_TRUE(bench.replay);
  EXPECT_EQ(std::pair(bench.replay->end, bench.replay->frames.size()), std::pair(MatchEnd::Quit, std::size_t{3}));
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
