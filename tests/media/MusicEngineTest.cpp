#include <gtest/gtest.h>

#include <cmath>

#include "MusicTestTunes.h"
#include "RecordingMessages.h"
#include "TempFolder.h"
#include "media/FluidSynthMusic.h"

namespace fl3::testing {
namespace {

constexpr double kQuarter = 0.5;  // seconds per click of the click tune at its own tempo

double Decibels(double ratio) { return 20.0 * std::log10(ratio); }

// An offline engine, set up, with one tune written and loaded.
struct Player {
  explicit Player(const std::string& tune, FluidSynthMusicOptions options = OfflineOptions())
      : music(messages, std::move(options)) {
    EXPECT_TRUE(music.InitMusic(128));
    segment = music.LoadMusic(folder.Write("TUNE.MID", tune), true);
  }
  std::vector<float> Render(double seconds) { return music.RenderOffline(Frames(seconds)); }

  TempFolder folder;
  RecordingMessages messages;
  FluidSynthMusic music;
  MusicSegmentPtr segment;
};

std::vector<float> Joined(std::vector<float> first, const std::vector<float>& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

// Onsets measured from the first one, which carries the sound font's own
// attack delay.
std::vector<double> FromFirst(std::vector<double> onsets) {
  for (double& onset : onsets) onset -= onsets.front();
  return onsets;
}

TEST(MusicEngine, TempoScalesTheSpeedFromATenthToTenTimes) {
  std::vector<double> spans;
  for (int tempo : {10, 20}) {
    Player player(ClickTune(8));
    ApplyMusicSettings(player.music, MusicSettings{tempo, 0, 0});
    player.music.PlayMusic(player.segment.get(), 0);
    const auto onsets = FromFirst(Onsets(player.Render(4.5)));
    ASSERT_EQ(onsets.size(), 8u) << "tempo " << tempo;
    const double interval = kQuarter * 10 / tempo;  // 0.5 s, then 0.25 s
    for (int k = 1; k < 8; ++k) EXPECT_NEAR(onsets[k], k * interval, 0.01 * k * interval) << "tempo " << tempo;
    spans.push_back(onsets.back());
  }
  EXPECT_NEAR(spans[0] / spans[1], 2.0, 0.02);

  Player slow(ClickTune(2));
  ApplyMusicSettings(slow.music, MusicSettings{1, 0, 0});
  slow.music.PlayMusic(slow.segment.get(), 0);
  const auto onsets = FromFirst(Onsets(slow.Render(6.0)));
  ASSERT_EQ(onsets.size(), 2u);
  EXPECT_NEAR(onsets[1], 5.0, 0.05);  // half a second of music takes five

  // Eight clicks last 4 s at their own speed, 0.4 s at ten times it.
  Player fast(ClickTune(8));
  ApplyMusicSettings(fast.music, MusicSettings{100, 0, 0});
  fast.music.PlayMusic(fast.segment.get(), 0);
  fast.Render(0.38);
  EXPECT_TRUE(fast.music.IsPlaying());
  fast.Render(0.04);
  EXPECT_FALSE(fast.music.IsPlaying());
}

TEST(MusicEngine, TempoChangeReachesTheMusicAlreadyPlaying) {
  Player player(ClickTune(8));
  player.music.PlayMusic(player.segment.get(), 0);
  auto sound = player.Render(1.1);
  player.music.SetMusicTempo(2.0f);
  sound = Joined(sound, player.Render(1.5));
  // Clicks at 0, 0.5 and 1.0 s; at 1.1 s the song is 0.4 s short of its
  // next click, which now comes 0.2 s later, the rest every 0.25 s.
  const std::vector<double> expected{0.0, 0.5, 1.0, 1.3, 1.55, 1.8, 2.05, 2.3};
  const auto onsets = FromFirst(Onsets(sound));
  ASSERT_EQ(onsets.size(), expected.size());
  for (std::size_t k = 0; k < expected.size(); ++k) EXPECT_NEAR(onsets[k], expected[k], 0.005) << k;
}

TEST(MusicEngine, LoadingResetsTheTempoUntilTheSettingsAreAppliedAgain) {
  Player player(ClickTune(4));
  player.music.SetMusicTempo(2.0f);
  const auto again = player.music.LoadMusic(player.folder.Write("AGAIN.MID", ClickTune(4)), true);
  player.music.PlayMusic(again.get(), 0);
  auto onsets = FromFirst(Onsets(player.Render(2.2)));
  ASSERT_EQ(onsets.size(), 4u);
  EXPECT_NEAR(onsets[3], 1.5, 0.015);  // normal speed

  player.music.SetMusicTempo(2.0f);
  player.music.PlayMusic(again.get(), 0);
  onsets = FromFirst(Onsets(player.Render(1.2)));
  ASSERT_EQ(onsets.size(), 4u);
  EXPECT_NEAR(onsets[3], 0.75, 0.0075);
}

TEST(MusicEngine, VolumeIsAttenuationInHundredthsOfADecibelAlsoForMusicPlaying) {
  std::vector<double> levels;
  for (int volume : {0, -150, 20}) {
    Player player(ChordTune());
    ApplyMusicSettings(player.music, MusicSettings{10, volume, 0});
    player.music.PlayMusic(player.segment.get(), 0);
    levels.push_back(Rms(player.Render(1.5)));
  }
  ASSERT_GT(levels[0], 0.001);
  EXPECT_NEAR(Decibels(levels[1] / levels[0]), -1.5, 0.3);
  EXPECT_NEAR(Decibels(levels[2] / levels[0]), 0.2, 0.3);

  Player steady(ChordTune()), turnedDown(ChordTune());
  for (Player* player : {&steady, &turnedDown}) {
    player->music.PlayMusic(player->segment.get(), 0);
    player->Render(0.5);
  }
  turnedDown.music.SetMusicVolume(-600);
  EXPECT_NEAR(Decibels(Rms(turnedDown.Render(1.0)) / Rms(steady.Render(1.0))), -6.0, 0.3);
}

TEST(MusicEngine, StopSilencesItsOwnSegmentAtOnceAndIgnoresOthersAndNothing) {
  Player player(ChordTune());
  const auto other = player.music.LoadMusic(player.folder.Write("OTHER.MID", ClickTune(2)), true);
  player.music.PlayMusic(player.segment.get(), -1);
  player.music.StopMusic(other.get());
  player.music.StopMusic(nullptr);
  player.music.PlayMusic(nullptr, -1);
  EXPECT_TRUE(player.music.IsPlaying());
  EXPECT_GT(Rms(player.Render(1.0)), 0.01);

  player.music.StopMusic(player.segment.get());
  EXPECT_FALSE(player.music.IsPlaying());
  EXPECT_LT(Peak(player.Render(0.2)), 1e-4f);

  // It starts again from the beginning when asked.
  player.music.PlayMusic(player.segment.get(), -1);
  EXPECT_GT(Rms(player.Render(1.0)), 0.01);
  EXPECT_TRUE(player.messages.shown.empty());
}

TEST(MusicEngine, RepeatsAddPassesAndMinusOneLoopsWithoutAGap) {
  Player twice(ClickTune(2));  // one second long
  twice.music.PlayMusic(twice.segment.get(), 2);
  auto onsets = FromFirst(Onsets(twice.Render(3.5)));
  EXPECT_EQ(onsets.size(), 6u);  // three passes of two clicks
  EXPECT_FALSE(twice.music.IsPlaying());

  Player forever(ClickTune(2));
  forever.music.PlayMusic(forever.segment.get(), -1);
  onsets = FromFirst(Onsets(forever.Render(10.2)));
  ASSERT_EQ(onsets.size(), 21u);
  EXPECT_NEAR(onsets.back(), 10.0, 0.005);  // ten passes end to end, nothing lost at the joins
  EXPECT_TRUE(forever.music.IsPlaying());
}

TEST(MusicEngine, GrooveIsKeptButChangesNothingHeard) {
  Player plain(ClickTune(4)), grooved(ClickTune(4));
  grooved.music.SetMusicGroove(40);
  EXPECT_EQ(grooved.music.GrooveLevel(), 40);
  for (Player* player : {&plain, &grooved}) player->music.PlayMusic(player->segment.get(), 0);
  EXPECT_EQ(plain.Render(2.0), grooved.Render(2.0));
}

TEST(MusicEngine, FileThatIsNoMidiGivesCouldntLoadThisSegment) {
  Player player(ClickTune(2));
  ASSERT_NE(player.segment, nullptr);
  const std::string good = ClickTune(2);
  const std::vector<std::filesystem::path> bad{
      player.folder.Write("TEXT.MID", "not music at all"),
      player.folder.Write("CUT.MID", good.substr(0, good.size() - 10)),
      player.folder.Path() / "MISSING.MID",
  };
  for (const auto& file : bad) EXPECT_EQ(player.music.LoadMusic(file, true), nullptr) << file;
  ASSERT_EQ(player.messages.shown.size(), bad.size());
  for (const RecordedMessage& message : player.messages.shown) {
    EXPECT_EQ(message.text, "Couldn't load this segment");
    EXPECT_EQ(message.title, "Couldn't load");
    EXPECT_EQ(message.icon, MessageIcon::Critical);
  }
  // The music that was loaded before still plays.
  player.music.PlayMusic(player.segment.get(), 0);
  EXPECT_EQ(Onsets(player.Render(1.2)).size(), 2u);
}

// The text names FluidSynth's reason (which mentions the culprit) and what
// the game does without it.
void ExpectOneNoMusicMessage(const RecordingMessages& messages, const std::string& title, const std::string& culprit,
                             const std::string& goesOn) {
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].title, title);
  EXPECT_NE(messages.shown[0].text.find(culprit), std::string::npos) << messages.shown[0].text;
  EXPECT_TRUE(messages.shown[0].text.ends_with("\n\nThe game goes on without " + goesOn)) << messages.shown[0].text;
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Information);
}

TEST(MusicEngine, NoSoundDeviceOrSoundFontSaysSoOnceAndEveryCallAfterIsHarmless) {
  TempFolder folder;
  RecordingMessages messages;
  FluidSynthMusicOptions options;
  options.audioDrivers = {"no-such-driver"};
  FluidSynthMusic music(messages, options);
  EXPECT_FALSE(music.InitMusic(128));
  ExpectOneNoMusicMessage(messages, "No sound", "no-such-driver", "music and sounds.");

  const auto segment = music.LoadMusic(folder.Write("TUNE.MID", ClickTune(2)), true);
  EXPECT_EQ(segment, nullptr);
  EXPECT_EQ(music.LoadMusic(folder.Write("BAD.MID", "junk"), true), nullptr);
  ApplyMusicSettings(music, MusicSettings{20, -150, 5});
  music.PlayMusic(segment.get(), -1);
  music.StopMusic(segment.get());
  EXPECT_FALSE(music.IsPlaying());
  EXPECT_FALSE(music.InitMusic(128));  // tried again, quietly
  music.ReleaseMusic();
  ExpectOneNoMusicMessage(messages, "No sound", "no-such-driver", "music and sounds.");

  RecordingMessages fontMessages;
  FluidSynthMusicOptions noFont = OfflineOptions();
  noFont.soundFont = "/nonexistent/none.sf2";
  FluidSynthMusic withoutFont(fontMessages, noFont);
  EXPECT_FALSE(withoutFont.InitMusic(128));
  EXPECT_FALSE(withoutFont.IsReady());
  ExpectOneNoMusicMessage(fontMessages, "No music", "/nonexistent/none.sf2", "music.");
  EXPECT_EQ(Peak(withoutFont.RenderOffline(Frames(0.1))), 0.0f);
}

TEST(MusicEngine, ReleasedEngineIgnoresPlayAndCanBeSetUpAgain) {
  Player player(ClickTune(2));
  player.music.PlayMusic(player.segment.get(), -1);
  player.music.ReleaseMusic();
  EXPECT_FALSE(player.music.IsReady());
  player.music.PlayMusic(player.segment.get(), -1);
  EXPECT_EQ(Peak(player.Render(0.5)), 0.0f);

  // The segment outlives the engine it came from.
  ASSERT_TRUE(player.music.InitMusic(128));
  player.music.PlayMusic(player.segment.get(), 0);
  EXPECT_EQ(Onsets(player.Render(1.2)).size(), 2u);
  EXPECT_TRUE(player.messages.shown.empty());
}

// On a machine with sound this plays briefly; without, it says so once.
// Either way nothing crashes or hangs.
TEST(MusicEngine, LiveOutputEitherPlaysOrSaysSoOnce) {
  TempFolder folder;
  RecordingMessages messages;
  FluidSynthMusic music(messages);
  const bool ready = music.InitMusic(128);
  EXPECT_EQ(messages.shown.size(), ready ? 0u : 1u);
  const auto segment = music.LoadMusic(folder.Write("TUNE.MID", ClickTune(2)), true);
  EXPECT_EQ(segment != nullptr, ready);
  music.SetMusicVolume(-2000);
  music.PlayMusic(segment.get(), -1);
  EXPECT_EQ(music.IsPlaying(), ready);
  music.StopMusic(segment.get());
  music.ReleaseMusic();
  EXPECT_FALSE(music.IsReady());
}

}  // namespace
}  // namespace fl3::testing
