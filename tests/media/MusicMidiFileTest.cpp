#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "media/MidiFileWriter.h"
#include "media/MidiSong.h"
#include "media/MusicSequencer.h"

namespace fl3::testing {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Of(const std::string& text) { return {text.begin(), text.end()}; }

// A file of the given format and division whose header promises `tracks` tracks.
Bytes File(int format, int tracks, int division, const std::vector<Bytes>& chunks) {
  Bytes file{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, std::uint8_t(format), 0, std::uint8_t(tracks),
             std::uint8_t(division >> 8), std::uint8_t(division & 0xFF)};
  for (const Bytes& body : chunks) {
    file.insert(file.end(), {'M', 'T', 'r', 'k', 0, 0, std::uint8_t(body.size() >> 8), std::uint8_t(body.size())});
    file.insert(file.end(), body.begin(), body.end());
  }
  return file;
}

// "seconds status data1 data2" of every event, then "end" and the length.
std::vector<std::string> Described(const MidiSong& song) {
  std::vector<std::string> lines;
  char line[48];
  for (const MidiEvent& e : song.events) {
    std::snprintf(line, sizeof line, "%.6f %02X %d %d", e.seconds, e.status, e.data1, e.data2);
    lines.push_back(line);
  }
  std::snprintf(line, sizeof line, "end %.6f", song.lengthSeconds);
  lines.push_back(line);
  return lines;
}

TEST(MidiFile, TicksBecomeSecondsThroughTheTempoMapAndWrittenTracksMergeInTimeOrder) {
  // 96 ticks a quarter; 120 beats a minute, then 240 from tick 96.
  const Bytes tempoChange{
      0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,  // 500000 us a quarter
      0x00, 0xC0, 0x05,                          // program 5
      0x00, 0x90, 0x3C, 0x64,                    // C4 on
      0x60, 0x3C, 0x00,                          // tick 96, running status: C4 off by velocity 0
      0x00, 0xFF, 0x51, 0x03, 0x03, 0xD0, 0x90,  // 250000 us a quarter
      0x60, 0x90, 0x3E, 0x50,                    // tick 192: 0.5 s + 96 ticks of 1/384 s
      0x30, 0x80, 0x3E, 0x40,                    // tick 240
      0x30, 0xFF, 0x2F, 0x00,                    // end at tick 288
  };
  MidiTrackWriter tempo, melody, drums;
  tempo.Tempo(0, 1000000);  // 60 beats a minute: one quarter a second
  melody.Note(480, 480, 0, 72, 90);
  melody.Note(960, 240, 0, 72, 80);  // struck again as it is let go: the release must come first
  drums.Note(0, 120, 9, 36, 100);
  drums.Note(480, 120, 9, 38, 100);
  // 25 frames a second, 40 ticks a frame: a tick is a millisecond.
  const Bytes smpte{0x81, 0x7A, 0x90, 0x40, 0x7F, 0x85, 0x6E, 0xFF, 0x2F, 0x00};  // ticks 250 and 1000
  const struct {
    const char* what;
    Bytes file;
    std::vector<std::string> expected;
  } songs[] = {
      {"tempo change", File(0, 1, 96, {tempoChange}),
       {"0.000000 C0 5 0", "0.000000 90 60 100", "0.500000 90 60 0", "0.750000 90 62 80", "0.875000 80 62 64",
        "end 1.000000"}},
      // At equal times the earlier track first; the length is the end mark, not the last note;
      // 480-tick deltas take two bytes of seven bits.
      {"three tracks written", Of(EncodeMidiFile(480, {tempo, melody, drums}, 1920)),
       {"0.000000 99 36 100", "0.250000 89 36 64", "1.000000 90 72 90", "1.000000 99 38 100", "1.250000 89 38 64",
        "2.000000 80 72 64", "2.000000 90 72 80", "2.500000 80 72 64", "end 4.000000"}},
      {"SMPTE division", File(0, 1, 0xE728, {smpte}), {"0.250000 90 64 127", "end 1.000000"}},
  };
  for (const auto& song : songs) {
    const auto parsed = ParseMidiFile(song.file);
    ASSERT_TRUE(parsed) << song.what;
    EXPECT_EQ(Described(*parsed), song.expected) << song.what;
  }
}

TEST(MidiFile, BrokenFilesAreRefused) {
  const Bytes note{0x00, 0x90, 0x3C, 0x64, 0x60, 0x80, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00};
  ASSERT_TRUE(ParseMidiFile(File(0, 1, 96, {note})));  // the sound one most broken ones derive from
  Bytes chunkTooLong = File(0, 1, 96, {note});
  chunkTooLong[21] += 1;  // the chunk claims a byte the file does not have
  const std::pair<const char*, Bytes> broken[] = {
      {"empty", {}},
      {"not a MIDI file", Of(std::string("RIFF\0\0\0\6WAVEfmt ", 16))},
      {"two tracks promised, one there", File(1, 2, 96, {note})},
      {"no tracks", File(0, 0, 96, {})},
      {"division zero", File(0, 1, 0, {note})},
      {"data before any status", File(0, 1, 96, {{0x00, 0x3C, 0x64, 0x00, 0xFF, 0x2F, 0x00}})},
      {"delta of five bytes", File(0, 1, 96, {{0x80, 0x80, 0x80, 0x80, 0x00, 0x90, 0x3C, 0x64}})},
      {"status byte where data belongs", File(0, 1, 96, {{0x00, 0x90, 0x3C, 0x90, 0x00, 0xFF, 0x2F, 0x00}})},
      {"system common message", File(0, 1, 96, {{0x00, 0xF2, 0x00, 0x00, 0x00, 0xFF, 0x2F, 0x00}})},
      {"track cut short", File(0, 1, 96, {{0x00, 0x90, 0x3C}})},
      {"chunk longer than the file", chunkTooLong},
  };
  for (const auto& [what, bytes] : broken) EXPECT_FALSE(ParseMidiFile(bytes)) << what;

  // Unknown chunks after the tracks are allowed, but not beyond the size limit; nor a missing file.
  TempFolder folder;
  const Bytes good = File(0, 1, 96, {note});
  std::string huge(good.begin(), good.end());
  EXPECT_TRUE(ReadMidiFile(folder.Write("GOOD.MID", huge)));
  huge.resize(kLargestMidiFile + 1, '\0');
  EXPECT_FALSE(ReadMidiFile(folder.Write("HUGE.MID", huge)));
  EXPECT_FALSE(ReadMidiFile(folder.Path() / "NONE.MID"));
}

// Counts what the sequencer does.
class CountingSink final : public MusicSink {
 public:
  void Send(const MidiEvent&) override { ++calls; }
  void ReleaseNotes() override { ++calls; }
  void Synthesize(int count) override { frames += count; }
  long frames = 0, calls = 0;
};

TEST(MusicSequencer, SongWithoutLengthLoopingForEverCannotStallTheClock) {
  auto song = std::make_shared<MidiSong>();
  song->events.push_back({0.0, 0x90, 60, 100});
  MusicSequencer sequencer(1000);
  CountingSink sink;
  sequencer.Start(song, -1);
  sequencer.Run(50, sink);
  EXPECT_EQ(sink.frames, 50);
  EXPECT_GE(sink.calls, 50);  // a pass at least every frame
  const long calls = sink.calls;
  sequencer.Stop();
  sequencer.Run(10, sink);
  EXPECT_EQ(sink.frames, 60);
  EXPECT_EQ(sink.calls, calls);
}

}  // namespace
}  // namespace fl3::testing
