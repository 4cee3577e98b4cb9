// The MIDI reader has no Qt, so its run over damaged files joins the
// sanitizer build with the other readers.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "media/MidiSong.h"

namespace fl3 {
namespace {

// Format 1, 480 ticks a quarter: a tempo track and a track of four notes
// with a running status.
const std::string kTune = std::string("MThd\0\0\0\6\0\1\0\2\1\xE0", 14) +
                          std::string("MTrk\0\0\0\x0B\0\xFF\x51\3\x07\xA1\x20\0\xFF\x2F\0", 19) +
                          std::string("MTrk\0\0\0\x14\0\x90\x3C\x64\x83\x60\x3C\0\0\x40\x64\x83\x60\x40\0\0\xFF\x2F\0", 28);

// Faults: reading past the end of a cut or lying chunk (the sanitizer), a
// running status taken from a meta event, times that run backwards or turn
// into NaN, more events than bytes.
TEST(ReaderRobustness, DamagedMidiFilesGiveNothingOrAWellFormedSong) {
  ASSERT_TRUE(ParseMidiFile(std::span(reinterpret_cast<const std::uint8_t*>(kTune.data()), kTune.size())));
  std::mt19937_64 engine{20261207};
  int parsed = 0;
  for (int run = 0; run < 20000; ++run) {
    std::string bytes = kTune;
    for (int k = 0, n = 1 + static_cast<int>(engine() % 4); k < n; ++k) {
      bytes[engine() % bytes.size()] = static_cast<char>(engine());
    }
    if (run % 5 == 0) bytes.resize(engine() % bytes.size());
    const auto song = ParseMidiFile(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    if (!song) continue;
    ++parsed;
    ASSERT_LE(song->events.size(), bytes.size());
    double last = 0.0;
    for (const MidiEvent& event : song->events) {
      ASSERT_TRUE(std::isfinite(event.seconds) && event.seconds >= last) << run;
      ASSERT_TRUE(event.status >= 0x80 && event.status <= 0xEF) << run;
      last = event.seconds;
    }
    ASSERT_TRUE(std::isfinite(song->lengthSeconds) && song->lengthSeconds >= last) << run;
  }
  EXPECT_GT(parsed, 100);  // the run reaches past the header checks
}

}  // namespace
}  // namespace fl3
