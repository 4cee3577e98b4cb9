#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fl3 {

// Collects the events of one track in any order; they are written sorted by
// tick, and at equal ticks note-offs go first and note-ons last, so a note
// struck again on the same key is not cut by its own previous release.
class MidiTrackWriter {
 public:
  void Name(std::string_view text);
  void Tempo(std::uint32_t tick, std::uint32_t microsPerQuarter);
  void TimeSignature(std::uint32_t tick, int numerator, int denominatorPower);
  void Program(std::uint32_t tick, int channel, int program);
  void Controller(std::uint32_t tick, int channel, int controller, int value);
  void PitchBend(std::uint32_t tick, int channel, int value);  // 0..16383, 8192 centre
  void NoteOn(std::uint32_t tick, int channel, int key, int velocity);
  void NoteOff(std::uint32_t tick, int channel, int key);
  // A note from `tick` lasting `length` ticks.
  void Note(std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity);

  // The track chunk, ending at `endTick` (or at its last event, if later).
  std::string Chunk(std::uint32_t endTick) const;

 private:
  enum Order { kNoteOff, kSetting, kNoteOn };
  struct Entry {
    std::uint32_t tick;
    Order order;
    std::string bytes;
  };
  void Add(std::uint32_t tick, Order order, std::string bytes);

  std::vector<Entry> entries_;
};

// A format-1 file (format 0 for a single track) of the given tracks.
std::string EncodeMidiFile(int ticksPerQuarter, const std::vector<MidiTrackWriter>& tracks,
                           std::uint32_t endTick);

}  // namespace fl3
