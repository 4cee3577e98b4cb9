// Tiny tunes and pictures that would cost minutes of CPU or hundreds of
// megabytes if believed, and where the players hear of them.
#include <gtest/gtest.h>

#include "MusicTestTunes.h"
#include "RecordingMessages.h"
#include "core/GameFolder.h"
#include "core/LevelFile.h"
#include "media/PictureFile.h"
#include "ui/MatchPictureCheck.h"
#include "ui/StartMatchPreparation.h"

namespace fl3::testing {
namespace {

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
    FluidSynthMusic music(messages, OfflineOptions());
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
  EXPECT_EQ(messages.shown[1].text, "The picture files \\FONT.BMP and \\WIN1.BMP cannot be read or are too large.\n"
                                    "The match goes on without them.");
}

}  // namespace
}  // namespace fl3::testing
