#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempFolder.h"
#include "media/MidiFileWriter.h"
#include "media/MidiSong.h"

namespace fl3::testing {
namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
  return std::vector<std::uint8_t>(values.begin(), values.end());
}

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// Header of a file with `tracks` tracks and the given division, then the
// track chunks.
std::vector<std::uint8_t> File(int format, int tracks, int division, const std::vector<std::vector<std::uint8_t>>& chunks) {
  std::vector<std::uint8_t> file = Bytes({'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, format, 0, tracks, division >> 8, division & 0xFF});
  for (const auto& body : chunks) {
    const auto size = body.size();
    const auto head = Bytes({'M', 'T', 'r', 'k', 0, 0, int(size >> 8), int(size & 0xFF)});
    file.insert(file.end(), head.begin(), head.end());
    file.insert(file.end(), body.begin(), body.end());
  }
  return file;
}

void ExpectEvent(const MidiEvent& event, double seconds, int status, int data1, int data2) {
  EXPECT_NEAR(event.seconds, seconds, 1e-9);
  EXPECT_EQ(event.status, status);
  EXPECT_EQ(event.data1, data1);
  EXPECT_EQ(event.data2, data2);
}

TEST(MidiFile, TicksBecomeSecondsThroughTheTempoMap) {
  // 96 ticks a quarter; 120 beats a minute, then 240 from tick 96.
  const auto track = Bytes({
      0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,  // 500000 us a quarter
      0x00, 0xC0, 0x05,                          // program 5
      0x00, 0x90, 0x3C, 0x64,                    // C4 on
      0x60, 0x3C, 0x00,                          // tick 96, running status: C4 off by velocity 0
      0x00, 0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90,  // 250000 us a quarter
      0x60, 0x90, 0x3E, 0x50,                    // tick 192
      0x30, 0x80, 0x3E, 0x40,                    // tick 240
      0x30, 0xFF, 0x2F, 0x00,                    // end at tick 288
  });
  const auto song = ParseMidiFile(File(0, 1, 96, {track}));
  ASSERT_TRUE(song);
  ASSERT_EQ(song->events.size(), 5u);
  ExpectEvent(song->events[0], 0.0, 0xC0, 5, 0);
  ExpectEvent(song->events[1], 0.0, 0x90, 60, 100);
  ExpectEvent(song->events[2], 0.5, 0x90, 60, 0);
  ExpectEvent(song->events[3], 0.75, 0x90, 62, 80);   // 0.5 + 96 ticks at 1/384 s
  ExpectEvent(song->events[4], 0.875, 0x80, 62, 64);  // 48 ticks later
  EXPECT_NEAR(song->lengthSeconds, 1.0, 1e-9);
}

TEST(MidiFile, TracksMergeInTimeOrderAndTheTempoTrackRulesThemAll) {
  MidiTrackWriter tempo, melody, drums;
  tempo.Tempo(0, 1000000);  // 60 beats a minute: one quarter a second
  melody.Note(480, 480, 0, 72, 90);
  drums.Note(0, 120, 9, 36, 100);
  drums.Note(480, 120, 9, 38, 100);
  const std::string file = EncodeMidiFile(480, {tempo, melody, drums}, 1920);
  const auto song = ParseMidiFile(Bytes(file));
  ASSERT_TRUE(song);
  ASSERT_EQ(song->events.size(), 6u);
  ExpectEvent(song->events[0], 0.0, 0x99, 36, 100);
  ExpectEvent(song->events[1], 0.25, 0x89, 36, 64);
  ExpectEvent(song->events[2], 1.0, 0x90, 72, 90);  // equal times: the earlier track first
  ExpectEvent(song->events[3], 1.0, 0x99, 38, 100);
  ExpectEvent(song->events[4], 1.25, 0x89, 38, 64);
  ExpectEvent(song->events[5], 2.0, 0x80, 72, 64);
  EXPECT_NEAR(song->lengthSeconds, 4.0, 1e-9);  // the end mark, not the last note
}

TEST(MidiFile, SmpteDivisionCountsFramesNotBeats) {
  // 25 frames a second, 40 ticks a frame: a tick is a millisecond.
  const auto track = Bytes({0x81, 0x7A, 0x90, 0x40, 0x7F,  // tick 250
                            0x85, 0x6E, 0xFF, 0x2F, 0x00});  // 750 later: tick 1000
  const auto song = ParseMidiFile(File(0, 1, 0xE728, {track}));
  ASSERT_TRUE(song);
  ASSERT_EQ(song->events.size(), 1u);
  EXPECT_NEAR(song->events[0].seconds, 0.25, 1e-9);
  EXPECT_NEAR(song->lengthSeconds, 1.0, 1e-9);
}

TEST(MidiFile, WriterPutsReleasesBeforeStrikesAndCountsDeltasInSevenBitGroups) {
  MidiTrackWriter track;
  track.Note(200, 100, 0, 60, 100);
  track.Note(300, 100, 0, 60, 90);  // struck again as the first is let go
  const std::string chunk = track.Chunk(400);
  const auto expected = Bytes({'M', 'T', 'r', 'k', 0, 0, 0, 21,
                               0x81, 0x48, 0x90, 60, 100,  // 200 = 1 x 128 + 72
                               0x64, 0x80, 60, 64,          // 100 later: release first
                               0x00, 0x90, 60, 90,
                               0x64, 0x80, 60, 64,
                               0x00, 0xFF, 0x2F, 0x00});
  EXPECT_EQ(Bytes(chunk), expected);
}

TEST(MidiFile, BrokenFilesAreRefused) {
  const auto note = Bytes({0x00, 0x90, 0x3C, 0x64, 0x60, 0x80, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00});
  ASSERT_TRUE(ParseMidiFile(File(0, 1, 96, {note})));  // the sound one the broken ones derive from

  const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> broken{
      {"empty", {}},
      {"not a MIDI file", Bytes(std::string("RIFF\0\0\0\6WAVEfmt ", 16))},
      {"two tracks promised, one there", File(1, 2, 96, {note})},
      {"no tracks", File(0, 0, 96, {})},
      {"division zero", File(0, 1, 0, {note})},
      {"data before any status", File(0, 1, 96, {Bytes({0x00, 0x3C, 0x64, 0x00, 0xFF, 0x2F, 0x00})})},
      {"delta of five bytes", File(0, 1, 96, {Bytes({0x80, 0x80, 0x80, 0x80, 0x00, 0x90, 0x3C, 0x64})})},
      {"status byte where data belongs", File(0, 1, 96, {Bytes({0x00, 0x90, 0x3C, 0x90, 0x00, 0xFF, 0x2F, 0x00})})},
      {"system common message", File(0, 1, 96, {Bytes({0x00, 0xF2, 0x00, 0x00, 0x00, 0xFF, 0x2F, 0x00})})},
      {"track cut short", File(0, 1, 96, {Bytes({0x00, 0x90, 0x3C})})},
  };
  for (const auto& [what, bytes] : broken) EXPECT_FALSE(ParseMidiFile(bytes)) << what;

  auto chunkTooLong = File(0, 1, 96, {note});
  chunkTooLong[21] += 1;  // the chunk claims a byte the file does not have
  EXPECT_FALSE(ParseMidiFile(chunkTooLong));
}

TEST(MidiFile, ReadingRefusesMissingAndOversizedFiles) {
  TempFolder folder;
  EXPECT_FALSE(ReadMidiFile(folder.Path() / "NONE.MID"));
  const auto note = Bytes({0x00, 0x90, 0x3C, 0x64, 0x60, 0x80, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00});
  std::vector<std::uint8_t> file = File(0, 1, 96, {note});
  EXPECT_TRUE(ReadMidiFile(folder.Write("GOOD.MID", std::string(file.begin(), file.end()))));
  // Unknown chunks after the tracks are allowed, but not beyond the size limit.
  std::string huge(file.begin(), file.end());
  huge.resize(kLargestMidiFile + 1, '\0');
  EXPECT_FALSE(ReadMidiFile(folder.Write("HUGE.MID", huge)));
}

}  // namespace
}  // namespace fl3::testing
