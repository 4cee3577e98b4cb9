#include <algorithm>

#include "WindowBench.h"
#include "ui/MatchWindow.h"

namespace fl3::testing {
namespace {

// Time that runs 26 ms on at every look, so the match never waits.
class RacingClock : public Clock {
 public:
  std::int64_t NowMs() override { return now += 26; }
  std::int64_t now = 0;
};

// Hands out prepared snapshots, one per read, then the last one for ever.
class ScriptedKeyboard : public KeyboardSource {
 public:
  explicit ScriptedKeyboard(std::vector<KeyState> script) : script_(std::move(script)) {}
  void ReadKeyboard(KeyState& keys) override { keys = script_[std::min(reads_++, script_.size() - 1)]; }

 private:
  std::vector<KeyState> script_;
  std::size_t reads_ = 0;
};

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
    EXPECT_TRUE(std::all_of(state.TileMap.begin(), state.TileMap.end(), [](int c) { return c == 0; }));
    EXPECT_EQ(state.Bombs.Count(), 0);
    EXPECT_EQ(state.LevelMusic, "");
  }

  RacingClock clock;
  MatchEnd end = MatchEnd::Running;
  int winner = -1, frames = 0;
};

KeyState Escape() {
  KeyState keys{};
  keys[kEscapeKey] = 0x80;
  return keys;
}

TEST(MatchWindow, MissingMusicIsReportedOnceThenEscapeEndsTheSilentMatch) {
  MatchBench bench;
  bench.Play({KeyState{}, KeyState{}, Escape()});
  ASSERT_EQ(bench.messages.shown.size(), 1u);
  EXPECT_EQ(bench.messages.shown[0].text, "TUNE.MID was not found!");
  EXPECT_EQ(bench.messages.shown[0].title, "File not found!");
  EXPECT_EQ(bench.messages.shown[0].icon, MessageIcon::Critical);
  EXPECT_TRUE(bench.music.calls.empty());
  EXPECT_EQ(bench.end, MatchEnd::Quit);
  EXPECT_EQ(bench.frames, 3);
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
  EXPECT_EQ(bench.end, MatchEnd::Winner);
  EXPECT_EQ(bench.winner, 0);
}

}  // namespace
}  // namespace fl3::testing
