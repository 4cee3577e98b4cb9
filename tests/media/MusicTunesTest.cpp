#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <utility>

#include "MusicTestTunes.h"
#include "RecordingMessages.h"
#include "media/FluidSynthMusic.h"
#include "media/MidiSong.h"

namespace fl3::testing {
namespace {

constexpr int kDrumChannel = 9;

std::filesystem::path GameFolder() {
  const char* folder = std::getenv("FUSELARK3_GAME_DIR");
  return folder ? folder : "";
}

class ShippedTune : public ::testing::TestWithParam<const char*> {
 protected:
  std::filesystem::path File() const { return GameFolder() / GetParam(); }
};

TEST_P(ShippedTune, IsGeneralMidiWithDrumsAndSeveralInstrumentsAndNoHangingNotes) {
  const auto song = ReadMidiFile(File());
  ASSERT_TRUE(song) << File();
  EXPECT_GE(song->lengthSeconds, 30.0);
  EXPECT_LE(song->lengthSeconds, 90.0);

  std::set<int> programs;
  bool drums = false;
  std::map<std::pair<int, int>, int> held;  // (channel, key) -> notes sounding
  for (const MidiEvent& event : song->events) {
    EXPECT_LE(event.seconds, song->lengthSeconds);
    const bool strike = event.Kind() == 0x90 && event.data2 > 0;
    const bool release = event.Kind() == 0x80 || (event.Kind() == 0x90 && event.data2 == 0);
    if (event.Kind() == 0xC0 && event.Channel() != kDrumChannel) programs.insert(event.data1);
    if (strike && event.Channel() == kDrumChannel) drums = true;
    if (strike) ++held[{event.Channel(), event.data1}];
    if (release) --held[{event.Channel(), event.data1}];
  }
  EXPECT_TRUE(drums);
  EXPECT_GE(programs.size(), 3u);
  for (const auto& [note, count] : held) EXPECT_EQ(count, 0) << "channel " << note.first << " key " << note.second;
}

TEST_P(ShippedTune, PlaysAudiblyToItsEndAndThenFallsQuiet) {
  const auto song = ReadMidiFile(File());
  ASSERT_TRUE(song) << File();
  RecordingMessages messages;
  FluidSynthMusic music(messages, OfflineOptions());
  ASSERT_TRUE(music.InitMusic(128));
  const auto segment = music.LoadMusic(File(), true);
  ASSERT_NE(segment, nullptr);
  music.PlayMusic(segment.get(), 0);

  const int seconds = static_cast<int>(song->lengthSeconds);
  for (int second = 0; second < seconds; ++second) {
    EXPECT_GT(Rms(music.RenderOffline(Frames(1.0))), 0.003) << "second " << second;
    EXPECT_TRUE(music.IsPlaying());
  }
  music.RenderOffline(Frames(song->lengthSeconds - seconds + 0.01));
  EXPECT_FALSE(music.IsPlaying());
  // Every note was let go, so only echoes remain, and they die away.
  music.RenderOffline(Frames(3.0));
  EXPECT_LT(Peak(music.RenderOffline(Frames(0.5))), 0.002f);
  EXPECT_TRUE(messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(GameFolder, ShippedTune, ::testing::Values("BATTLE.MID", "CAVERN.MID", "SUNRISE.MID"),
                         [](const auto& info) {
                           const std::string name = info.param;
                           return name.substr(0, name.find('.'));
                         });

}  // namespace
}  // namespace fl3::testing
