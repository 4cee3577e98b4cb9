#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/GameFolder.h"
#include "core/LevelFile.h"
#include "media/ExplosionSound.h"
#include "media/FluidSynthMusic.h"
#include "media/MidiFileWriter.h"
#include "media/MidiSong.h"
#include "media/MusicSequencer.h"
#include "media/PictureFile.h"
#include "RecordingMessages.h"
#include "TempFolder.h"
#include "ui/match/MatchPictureCheck.h"
#include "ui/start/StartMatchPreparation.h"

// Sound is rendered offline here, so what a player would hear is measured:
// click starts for tempo, levels for volume, silence for stops. Last, tiny
// tunes and pictures that would cost minutes of CPU or hundreds of megabytes
// if believed, and where the players hear of them.
namespace fl3::testing {
namespace {

// `clicks` dry wood-block strokes a quarter note (0.5 s) apart, reverb and
// chorus off so their starts stay sharp, or a chord held on strings for two
// seconds; each tune lasts exactly its notes.
std::string ClickTune(int clicks) {
  MidiTrackWriter track;
  track.Tempo(0, 500000);
  track.Controller(0, 9, 91, 0);
  track.Controller(0, 9, 93, 0);
  for (int i = 0; i < clicks; ++i) track.Note(i * 480, 120, 9, 76, 100);
  return EncodeMidiFile(480, {track}, clicks * 480);
}
std::string ChordTune() {
  MidiTrackWriter track;
  track.Program(0, 0, 48);
  for (int key : {60, 64, 67}) track.Note(0, 4 * 480, 0, key, 100);
  return EncodeMidiFile(480, {track}, 4 * 480);
}

int Frames(double seconds) { return static_cast<int>(std::lround(seconds * FluidSynthMusic::kSampleRate)); }
float Peak(const std::vector<float>& samples) {
  float peak = 0.0f;
  for (float sample : samples) peak = std::max(peak, std::fabs(sample));
  return peak;
}
double Rms(const std::vector<float>& samples) {
  double sum = 0.0;
  for (float sample : samples) sum += double(sample) * sample;
  return samples.empty() ? 0.0 : std::sqrt(sum / samples.size());
}
double Decibels(double ratio) { return 20.0 * std::log10(ratio); }

// Start times of the strokes, from the first one (which carries the sound
// font's own attack delay): a frame louder than a fifth of the loudest after
// at least 40 ms below that.
std::vector<double> Onsets(const std::vector<float>& interleaved) {
  const float threshold = 0.2f * Peak(interleaved);
  std::vector<double> onsets;
  long lastLoud = -Frames(0.04) - 1;
  for (long frame = 0; frame < long(interleaved.size() / 2); ++frame) {
    const float level = std::max(std::fabs(interleaved[2 * frame]), std::fabs(interleaved[2 * frame + 1]));
    if (level <= threshold) continue;
    if (frame - lastLoud > Frames(0.04)) onsets.push_back(double(frame) / FluidSynthMusic::kSampleRate);
    lastLoud = frame;
  }
  for (double& onset : onsets) onset -= onsets.front();
  return onsets;
}

// Within 5 ms, or `relative` of the time where that is more.
void ExpectOnsets(const std::vector<double>& onsets, const std::vector<double>& expected, const std::string& what,
                  double relative = 0.01) {
  ASSERT_EQ(onsets.size(), expected.size()) << what;
  for (std::size_t k = 0; k < expected.size(); ++k)
    EXPECT_NEAR(onsets[k], expected[k], std::max(0.005, relative * expected[k])) << what << " click " << k;
}

FluidSynthMusicOptions Offline() {
  FluidSynthMusicOptions options;
  options.offline = true;
  return options;
}

// An offline engine, set up, with one tune written and loaded.
struct Player {
  explicit Player(const std::string& tune) : music(messages, Offline()) {
    EXPECT_TRUE(music.InitMusic(128));
    segment = music.LoadMusic(folder.Write("TUNE.MID", tune), true);
  }
  std::vector<float> Render(double seconds) { return music.RenderOffline(Frames(seconds)); }
  TempFolder folder;
  RecordingMessages messages;
  FluidSynthMusic music;
  MusicSegmentPtr segment;
};

TEST(MusicEngine, TempoScalesTheSpeedFromATenthToTenTimesAlsoWhilePlayingAndLoadingResetsIt) {
  const struct {
    int tempo, clicks;
    double seconds;
    std::vector<double> onsets;
  } cases[] = {{10, 8, 4.5, {0, 0.5, 1.0, 1.5, 2.0, 2.5, 3.0, 3.5}},
               {20, 8, 2.5, {0, 0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 1.75}},
               {1, 2, 6.0, {0, 5.0}}};  // half a second of music takes five
  for (const auto& c : cases) {
    Player player(ClickTune(c.clicks));
    ApplyMusicSettings(player.music, MusicSettings{c.tempo, 0, 0});
    player.music.PlayMusic(player.segment.get(), 0);
    ExpectOnsets(Onsets(player.Render(c.seconds)), c.onsets, "tempo " + std::to_string(c.tempo));
  }
  Player fast(ClickTune(8));  // 4 s long at its own speed, 0.4 s at ten times it
  ApplyMusicSettings(fast.music, MusicSettings{100, 0, 0});
  fast.music.PlayMusic(fast.segment.get(), 0);
  fast.Render(0.38);
  EXPECT_TRUE(fast.music.IsPlaying());
  fast.Render(0.04);
  EXPECT_FALSE(fast.music.IsPlaying());

  Player player(ClickTune(8));
  player.music.PlayMusic(player.segment.get(), 0);
  std::vector<float> sound = player.Render(1.1), rest;
  player.music.SetMusicTempo(2.0f);
  rest = player.Render(1.5);
  sound.insert(sound.end(), rest.begin(), rest.end());
  // At 1.1 s the song is 0.4 s short of its next click, which now comes 0.2 s later, the rest every 0.25 s.
  ExpectOnsets(Onsets(sound), {0.0, 0.5, 1.0, 1.3, 1.55, 1.8, 2.05, 2.3}, "changed while playing", 0);
  const auto again = player.music.LoadMusic(player.folder.Write("AGAIN.MID", ClickTune(4)), true);
  player.music.PlayMusic(again.get(), 0);
  ExpectOnsets(Onsets(player.Render(2.2)), {0, 0.5, 1.0, 1.5}, "loaded after a change");
  player.music.SetMusicTempo(2.0f);
  player.music.PlayMusic(again.get(), 0);
  ExpectOnsets(Onsets(player.Render(1.2)), {0, 0.25, 0.5, 0.75}, "set again after loading");
}

TEST(MusicEngine, VolumeIsAttenuationInHundredthsOfADecibelAlsoWhilePlayingAndGrooveChangesNothingHeard) {
  Player reference(ChordTune());
  reference.music.PlayMusic(reference.segment.get(), 0);
  const double level = Rms(reference.Render(1.5));
  ASSERT_GT(level, 0.001);
  for (const auto& [volume, decibels] : {std::pair{-150, -1.5}, std::pair{20, 0.2}}) {
    Player player(ChordTune());
    ApplyMusicSettings(player.music, MusicSettings{10, volume, 0});
    player.music.PlayMusic(player.segment.get(), 0);
    EXPECT_NEAR(Decibels(Rms(player.Render(1.5)) / level), decibels, 0.3) << volume;
  }
  Player steady(ChordTune()), turnedDown(ChordTune());
  for (Player* player : {&steady, &turnedDown}) {
    player->music.PlayMusic(player->segment.get(), 0);
    player->Render(0.5);
  }
  turnedDown.music.SetMusicVolume(-600);
  EXPECT_NEAR(Decibels(Rms(turnedDown.Render(1.0)) / Rms(steady.Render(1.0))), -6.0, 0.3);
  // The groove has no sound of its own: the clicks come out sample for sample the same.
  Player plain(ClickTune(4)), grooved(ClickTune(4));
  grooved.music.SetMusicGroove(40);
  for (Player* player : {&plain, &grooved}) player->music.PlayMusic(player->segment.get(), 0);
  EXPECT_EQ(plain.Render(2.0), grooved.Render(2.0));
}

TEST(MusicEngine, StopAndReleaseSilenceAtOnceAndNothingElseStopsTheMusic) {
  Player player(ChordTune());
  const auto other = player.music.LoadMusic(player.folder.Write("OTHER.MID", ClickTune(2)), true);
  player.music.PlayMusic(player.segment.get(), -1);
  player.music.StopMusic(other.get());
  player.music.StopMusic(nullptr);
  player.music.PlayMusic(nullptr, -1);
  EXPECT_GT(Rms(player.Render(1.0)), 0.01);
  player.music.StopMusic(player.segment.get());
  EXPECT_FALSE(player.music.IsPlaying());
  EXPECT_LT(Peak(player.Render(0.2)), 1e-4f);
  player.music.PlayMusic(player.segment.get(), -1);  // from the beginning again
  EXPECT_GT(Rms(player.Render(1.0)), 0.01);

  player.music.ReleaseMusic();
  player.music.PlayMusic(player.segment.get(), -1);
  EXPECT_FALSE(player.music.IsPlaying());
  EXPECT_EQ(Peak(player.Render(0.5)), 0.0f);
  // Set up again, with the segment that outlived the engine it came from.
  ASSERT_TRUE(player.music.InitMusic(128));
  player.music.PlayMusic(player.segment.get(), -1);
  EXPECT_GT(Rms(player.Render(1.0)), 0.01);
  EXPECT_TRUE(player.messages.shown.empty());
}

TEST(MusicEngine, RepeatsAddPassesAndMinusOneLoopsWithoutAGap) {
  Player twice(ClickTune(2)), looping(ClickTune(2));  // one second long
  twice.music.PlayMusic(twice.segment.get(), 2);
  EXPECT_EQ(Onsets(twice.Render(3.5)).size(), 6u);  // three passes of two clicks
  EXPECT_FALSE(twice.music.IsPlaying());
  looping.music.PlayMusic(looping.segment.get(), -1);
  const auto onsets = Onsets(looping.Render(10.2));
  ASSERT_EQ(onsets.size(), 21u);
  EXPECT_NEAR(onsets.back(), 10.0, 0.005);  // ten passes end to end, nothing lost at the joins
  EXPECT_TRUE(looping.music.IsPlaying());
}

TEST(MusicEngine, FileThatIsNoMidiGivesCouldntLoadThisSegment) {
  Player player(ClickTune(2));
  const std::vector<std::filesystem::path> bad{player.folder.Write("TEXT.MID", "not music at all"),
                                               player.folder.Path() / "MISSING.MID"};
  for (const auto& file : bad) EXPECT_EQ(player.music.LoadMusic(file, true), nullptr) << file;
  ASSERT_EQ(player.messages.shown.size(), bad.size());
  for (const RecordedMessage& message : player.messages.shown) {
    EXPECT_EQ(std::tuple(message.text, message.title, message.icon),
              std::tuple("Couldn't load this segment", "Couldn't load", MessageIcon::Critical));
  }
  // The music that was loaded before still plays.
  player.music.PlayMusic(player.segment.get(), 0);
  EXPECT_EQ(Onsets(player.Render(1.2)).size(), 2u);
}

TEST(MusicEngine, NoSoundDeviceOrSoundFontSaysSoOnceAndEveryCallAfterIsHarmless) {
  FluidSynthMusicOptions noDevice, noFont = Offline();
  noDevice.audioDrivers = {"no-such-driver"};
  noFont.soundFont = "/nonexistent/none.sf2";
  // The text names the library's reason (which names the culprit) and what the game does without it.
  const struct {
    FluidSynthMusicOptions options;
    const char *title, *culprit, *goesOn;
  } rows[] = {{noDevice, "No sound", "no-such-driver", "music and sounds."},
              {noFont, "No music", "/nonexistent/none.sf2", "music."}};
  for (const auto& [options, title, culprit, goesOn] : rows) {
    TempFolder folder;
    RecordingMessages messages;
    FluidSynthMusic music(messages, options);
    EXPECT_FALSE(music.InitMusic(128));
    const auto segment = music.LoadMusic(folder.Write("TUNE.MID", ClickTune(2)), true);
    EXPECT_EQ(segment, nullptr);
    EXPECT_EQ(music.LoadMusic(folder.Write("BAD.MID", "junk"), true), nullptr);
    ApplyMusicSettings(music, MusicSettings{20, -150, 5});
    music.PlayMusic(segment.get(), -1);
    EXPECT_FALSE(music.IsPlaying());
    EXPECT_EQ(Peak(music.RenderOffline(Frames(0.1))), 0.0f);
    music.StopMusic(segment.get());
    EXPECT_FALSE(music.InitMusic(128));  // tried again, quietly
    music.ReleaseMusic();
    ASSERT_EQ(messages.shown.size(), 1u);
    const std::string& text = messages.shown[0].text;
    EXPECT_EQ(messages.shown[0].title, title);
    EXPECT_NE(text.find(culprit), std::string::npos) << text;
    EXPECT_TRUE(text.ends_with(std::string("\n\nThe game goes on without ") + goesOn)) << text;
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Information);
  }
}

TEST(ExplosionSound, IsAShortBlastThatStartsLoudAndDiesAwayTheSameEveryTime) {
  const auto samples = ExplosionSound::Synthesize(44100);
  ASSERT_EQ(samples.size(), static_cast<std::size_t>(0.35 * 44100));
  const float early = Peak({samples.begin(), samples.begin() + 4410});  // the first 100 ms
  EXPECT_GT(early, 0.2f);
  EXPECT_LT(Peak({samples.end() - 2205, samples.end()}), early * 0.1f);  // the last 50 ms
  EXPECT_LE(Peak(samples), 0.6f + 1e-6f);
  EXPECT_EQ(samples, ExplosionSound::Synthesize(44100));
}

// The tunes the build composes into the game folder play audibly to their end, then fall quiet.
class ShippedTune : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedTune, PlaysAudiblyToItsEndAndThenFallsQuiet) {
  const char* folder = std::getenv("FUSELARK3_GAME_DIR");
  const std::filesystem::path file = std::filesystem::path(folder ? folder : "") / (std::string(GetParam()) + ".MID");
  const auto song = ReadMidiFile(file);
  ASSERT_TRUE(song) << file;
  EXPECT_TRUE(song->lengthSeconds >= 30.0 && song->lengthSeconds <= 90.0) << song->lengthSeconds;
  RecordingMessages messages;
  FluidSynthMusic music(messages, Offline());
  ASSERT_TRUE(music.InitMusic(128));
  const auto segment = music.LoadMusic(file, true);
  music.PlayMusic(segment.get(), 0);
  const int seconds = static_cast<int>(song->lengthSeconds);
  for (int second = 0; second < seconds; ++second) {
    EXPECT_GT(Rms(music.RenderOffline(Frames(1.0))), 0.003) << "second " << second;
    EXPECT_TRUE(music.IsPlaying());
  }
  music.RenderOffline(Frames(song->lengthSeconds - seconds + 0.01));
  EXPECT_FALSE(music.IsPlaying());
  music.RenderOffline(Frames(3.0));  // only the echoes of released notes remain, and they die away
  EXPECT_LT(Peak(music.RenderOffline(Frames(0.5))), 0.002f);
  EXPECT_TRUE(messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(GameFolder, ShippedTune, ::testing::Values("BATTLE", "CAVERN", "SUNRISE"),
                         [](const auto& info) { return std::string(info.param); });

// `count` notes struck at tick 0 on distinct keys, released at tick `length`,
// in a tune ending at tick `end` (480 ticks a quarter note, half a second).
std::string Chord(int count, int length, int end) {
  std::string body;
  for (int i = 0; i < 2 * count; ++i) {
    const int note = i % count;
    body += {static_cast<char>(i == count ? length : 0), static_cast<char>((i < count ? 0x90 : 0x80) | note / 100),
             static_cast<char>(note % 100), 100};
  }
  body += {static_cast<char>(end - length), '\xFF', '\x2F', '\0'};
  return std::string("MThd\0\0\0\6\0\0\0\1\1\xE0MTrk\0\0", 20) + static_cast<char>(body.size() >> 8) +
         static_cast<char>(body.size()) + body;
}

TEST(HostileMedia, TunesThatCannotBePlayedSanelyAreRefusedAndDenseOnesCostABoundedEffort) {
  const std::tuple<std::string, bool, std::size_t> rows[] = {  // file, refused, events kept
      {Chord(60, 0, 0), true, 0}, {Chord(60, 0, 100), false, 0}, {Chord(520, 60, 120), true, 1040},
      {Chord(250, 60, 120), false, 500}};
  for (const auto& [file, refused, kept] : rows) {
    TempFolder folder;
    RecordingMessages messages;
    FluidSynthMusic music(messages, Offline());
    ASSERT_TRUE(music.InitMusic(128));
    EXPECT_EQ(music.LoadMusic(folder.Write("TUNE.MID", file), true) == nullptr, refused) << file.size();
    EXPECT_EQ(messages.shown.size() == 1 && messages.shown[0].text == "Couldn't load this segment", refused);
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(file.data()), file.size());
    EXPECT_EQ(ParseMidiFile(bytes).value().events.size(), kept);
  }
  // Ten thousand notes in a second pass the load bounds: the synthesizer gets
  // a bounded share of them, and every note it starts also ends.
  struct Counter final : MusicSink {
    void Send(const MidiEvent& event) override { ++(event.Kind() == 0x90 ? on : off); }
    void ReleaseNotes() override {}
    void Synthesize(int) override {}
    long on = 0, off = 0;
  } sink;
  auto song = std::make_shared<MidiSong>();
  for (int i = 0; i < 10000; ++i) {
    const auto channel = static_cast<std::uint8_t>(i / 128 % 16), key = static_cast<std::uint8_t>(i % 128);
    song->events.push_back({i * 1e-4, static_cast<std::uint8_t>(0x90 | channel), key, 100});
    song->events.push_back({i * 1e-4 + 5e-5, static_cast<std::uint8_t>(0x80 | channel), key, 0});
  }
  song->lengthSeconds = 1.0;
  MusicSequencer sequencer(FluidSynthMusic::kSampleRate);
  sequencer.Start(song, 0);
  for (int block = 0; block < 100; ++block) sequencer.Run(FluidSynthMusic::kSampleRate / 100, sink);
  EXPECT_TRUE(sink.on > 100 && sink.on < 5000) << sink.on;
  EXPECT_EQ(sink.off, sink.on);
}

// 78 bytes of BMP declaring 5600 x 5600 pixels of run-length data.
const std::string kTinyHuge =
    std::string("BM\x4E\0\0\0\0\0\0\0\x46\0\0\0\x28\0\0\0\xE0\x15\0\0\xE0\x15\0\0\1\0\x08\0\1\0\0\0", 38) +
    std::string(12, '\0') + std::string("\4\0\0\0\0\0\0\0", 8) + std::string(16, '\x7F') + std::string("\2\1\0\0\0\1\0\0", 8);

TEST(HostileMedia, UnusablePicturesAreRefusedByTheirHeaderAndReportedAsMissingOrNamedBeforeTheMatch) {
  TempFolder temp;
  const GameFolder folder(temp.Path());
  const auto picture = [&](const char* name, int width, int height) {
    QImage(width, height, QImage::Format_RGB32).save(QString::fromStdString((temp.Path() / name).string()), "BMP");
    return temp.Path() / name;
  };
  const std::pair<std::filesystem::path, PictureProblem> reads[] = {
      {temp.Write("HUGE.BMP", kTinyHuge), PictureProblem::TooLarge},
      {picture("WIDE.BMP", 1025, 1), PictureProblem::TooLarge},
      {picture("B2.BMP", 1024, 1024), PictureProblem::None},
      {temp.Write("A1.BMP", kTinyHuge.substr(0, 40)), PictureProblem::Unreadable}};
  for (const auto& [file, problem] : reads) EXPECT_EQ(ReadPicture(file).problem, problem) << file;
  LevelData level;
  level.TileSetNumber = 1;
  ASSERT_TRUE(WriteLevelFile(temp.Path() / "L.FL3", level));
  GameState state;
  state.Characters[0].Cont = state.Characters[1].Cont = ContMan;
  RecordingMessages messages;
  EXPECT_FALSE(PrepareMatch({0, {"1", "1", "1", "1"}, "", {"~Random", "L.FL3"}, 1}, state, folder, messages));
  temp.Write("FONT.BMP", kTinyHuge.substr(0, 40));
  temp.Write("WIN1.BMP", kTinyHuge);
  temp.Write("WIN2.BMP", kTinyHuge);  // figure 2 sits out: its picture is not read
  ReportUnusableMatchPictures(state, folder, messages);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, "The map you have selected refers to the missing file \\A1.BMP\n"
                                    "Either get that file or change the Map's TileSet to a valid one.");
  EXPECT_EQ(messages.shown[1].text, "The picture files \"" + (temp.Path() / "FONT.BMP").string() + "\" and \"" +
                                        (temp.Path() / "WIN1.BMP").string() + "\" cannot be read or are too large.\n"
                                        "The match goes on without them.");
}

}  // namespace
}  // namespace fl3::testing
