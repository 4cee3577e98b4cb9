#include <gtest/gtest.h>

#include "RecordingMusicEngine.h"
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
  testing::RecordingMusicEngine music{messages};
  LevelMusicChoice choice{state, folder, messages, music};
};

// The list, the choice and the messages for no choice are seen through the
// dialog; these are the cases it cannot reach as easily.
TEST(LevelMusicChoice, TestPlaysWithTheCurrentSettingsStopTurnsItOffAndCloseReleasesOnce) {
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
  bench.choice.PressTest(std::string("battle.mid"));
  bench.choice.Close();  // stops the test still playing
  bench.choice.Close();  // and releases only once

  EXPECT_EQ(bench.music.calls, Calls({"InitMusic 128", "LoadMusic CAVERN.MID midi", "SetMusicTempo 1.5",
                                      "SetMusicVolume -120", "SetMusicGroove 4", "PlayMusic #1 -1", "StopMusic #1",
                                      "LoadMusic battle.mid midi", "SetMusicTempo 1.5", "SetMusicVolume -120",
                                      "SetMusicGroove 4", "PlayMusic #2 -1", "StopMusic #2", "ReleaseMusic"}));
  EXPECT_TRUE(bench.messages.shown.empty());
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
