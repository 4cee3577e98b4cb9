#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace fl3 {

// One channel message of a song (note, controller, program, bend, pressure),
// timed in seconds from the song's start at its own tempo.
struct MidiEvent {
  double seconds = 0.0;
  std::uint8_t status = 0;  // 0x80..0xEF: kind in the high nibble, channel in the low one
  std::uint8_t data1 = 0;
  std::uint8_t data2 = 0;

  int Kind() const { return status & 0xF0; }
  int Channel() const { return status & 0x0F; }
};

// A standard MIDI file reduced to what a player needs: every track's channel
// messages merged in time order (a track's own order kept for equal times)
// and the length, which runs to the last track's end, so a tune that closes
// on a bar line loops on that bar line.
struct MidiSong {
  std::vector<MidiEvent> events;
  double lengthSeconds = 0.0;
};

// Files larger than this are not music we would ship; refusing them keeps a
// stray huge file from eating memory.
inline constexpr std::size_t kLargestMidiFile = 16u << 20;

// Nothing when the bytes are not a well-formed standard MIDI file (formats 0,
// 1 and 2; ticks per quarter note or SMPTE frames). System exclusive and meta
// events other than tempo and end of track are skipped.
std::optional<MidiSong> ParseMidiFile(std::span<const std::uint8_t> bytes);
std::optional<MidiSong> ReadMidiFile(const std::filesystem::path& file);

}  // namespace fl3
