#include <gtest/gtest.h>

#include "FakeMusicEngine.h"
#include "RecordingMessages.h"
#include "TempFolder.h"
#include "core/GameFolder.h"
#include "core/GameState.h"
#include "editor/model/LevelMusicChoice.h"

namespace fl3 {
namespace {

using Calls = std::vector<std::string>;

struct MusicBench {
  MusicBench() {
    temp.Write("battle.mid", "MThd");
    temp.Write("CAVERN.MID", "MThd");
    temp.Write("NOTES.TXT", "");
  }
  testing::TempFolder temp;
  GameFolder folder{temp.Path()};
  GameState state;
  testing::RecordingMessages messages;
  testing::FakeMusicEngine music;
  LevelMusicChoice choice{state, folder, messages, music};
};

TEST(LevelMusicChoice, ListStartsWithTheEmptyEntryThenTheTunes) {
  MusicBench bench;
  const auto entries = bench.choice.Entries();
  EXPECT_EQ(entries, std::vector<std::string>({"", "battle.mid", "CAVERN.MID"}));
  EXPECT_EQ(LevelMusicChoice::EntryOf(entries, ""), 0);
  EXPECT_EQ(LevelMusicChoice::EntryOf(entries, "CAVERN.MID"), 2);
  // Letter case counts, and a tune that has gone selects nothing.
  EXPECT_EQ(LevelMusicChoice::EntryOf(entries, "BATTLE.MID"), std::nullopt);
  EXPECT_EQ(LevelMusicChoice::EntryOf(entries, "GONE.MID"), std::nullopt);
}

TEST(LevelMusicChoice, ChoosingSetsTheLevelMusicButNoUnsavedChange) {
  MusicBench bench;
  bench.choice.Choose("battle.mid");
  EXPECT_EQ(bench.state.LevelMusic, "battle.mid");
  bench.choice.Choose("");
  EXPECT_EQ(bench.state.LevelMusic, "");
}

TEST(LevelMusicChoice, TestPlaysWithTheCurrentSettingsAndStopTurnsItOff) {
  MusicBench bench;
  bench.state.Music.MusicTempo = 15;
  bench.state.Music.MusicVolume = -120;
  bench.state.Music.MusicGroove = 4;
  bench.choice.Start();
  EXPECT_STREQ(bench.choice.Caption(), "Test");

  bench.choice.PressTest(std::string("CAVERN.MID"));
  EXPECT_STREQ(bench.choice.Caption(), "Stop");
  bench.choice.PressTest(std::string("CAVERN.MID"));
  EXPECT_STREQ(bench.choice.Caption(), "Test");
  bench.choice.Close();

  EXPECT_EQ(bench.music.calls, Calls({"InitMusic 128", "LoadMusic CAVERN.MID midi", "SetMusicTempo 1.500000",
                                      "SetMusicVolume -120", "SetMusicGroove 4", "PlayMusic CAVERN.MID -1",
                                      "StopMusic CAVERN.MID", "ReleaseMusic"}));
  EXPECT_TRUE(bench.messages.shown.empty());
}

TEST(LevelMusicChoice, NothingSelectedOrTheEmptyEntryPlaysNothing) {
  MusicBench bench;
  bench.choice.Start();
  bench.choice.PressTest(std::nullopt);
  bench.choice.PressTest(std::string(""));
  ASSERT_EQ(bench.messages.shown.size(), 2u);
  for (const auto& shown : bench.messages.shown) {
    EXPECT_EQ(shown.text, "File not selected.");
    EXPECT_EQ(shown.title, "File not found!");
    EXPECT_EQ(shown.icon, MessageIcon::Critical);
  }
  EXPECT_STREQ(bench.choice.Caption(), "Test");
  EXPECT_EQ(bench.music.calls, Calls({"InitMusic 128"}));
}

TEST(LevelMusicChoice, TuneGoneSinceTheListWasFilledIsReported) {
  MusicBench bench;
  bench.choice.Start();
  std::filesystem::remove(bench.temp.Path() / "battle.mid");
  bench.choice.PressTest(std::string("battle.mid"));
  ASSERT_EQ(bench.messages.shown.size(), 1u);
  EXPECT_EQ(bench.messages.shown[0].text, "File does not exsist.");
  EXPECT_EQ(bench.messages.shown[0].title, "File not found!");
  EXPECT_STREQ(bench.choice.Caption(), "Test");
  EXPECT_EQ(bench.music.calls, Calls({"InitMusic 128"}));
}

TEST(LevelMusicChoice, CloseStopsATestPlayingAndReleasesOnce) {
  MusicBench bench;
  bench.choice.Start();
  bench.choice.PressTest(std::string("battle.mid"));
  bench.music.calls.clear();
  bench.choice.Close();
  bench.choice.Close();
  EXPECT_EQ(bench.music.calls, Calls({"StopMusic battle.mid", "ReleaseMusic"}));
}

TEST(LevelMusicChoice, WithoutAudioTheCaptionStillTurnsButNothingLoads) {
  MusicBench bench;
  bench.music.initSucceeds = false;
  bench.choice.Start();
  bench.choice.PressTest(std::string("battle.mid"));
  EXPECT_STREQ(bench.choice.Caption(), "Stop");
  bench.choice.PressTest(std::string("battle.mid"));
  bench.choice.Close();
  EXPECT_EQ(bench.music.calls, Calls({"InitMusic 128", "StopMusic none", "ReleaseMusic"}));
}

}  // namespace
}  // namespace fl3
