#include "media/PlayableSong.h"

#include <array>
#include <optional>

namespace fl3 {
namespace {

constexpr std::size_t kKeysPerChannel = 128;

bool IsNoteOn(const MidiEvent& event) { return event.Kind() == 0x90 && event.data2 > 0; }
bool IsNoteOff(const MidiEvent& event) {
  return event.Kind() == 0x80 || (event.Kind() == 0x90 && event.data2 == 0);
}
std::size_t KeyIndex(const MidiEvent& event) { return event.Channel() * kKeysPerChannel + event.data1; }

}  // namespace

void DropZeroLengthNotes(MidiSong& song) {
  std::vector<bool> dropped(song.events.size(), false);
  // The latest note-on of each key on each channel that is still held.
  std::array<std::optional<std::size_t>, 16 * kKeysPerChannel> held{};
  for (std::size_t i = 0; i < song.events.size(); ++i) {
    const MidiEvent& event = song.events[i];
    if (IsNoteOn(event)) {
      held[KeyIndex(event)] = i;
    } else if (IsNoteOff(event)) {
      std::optional<std::size_t>& on = held[KeyIndex(event)];
      if (on && song.events[*on].seconds == event.seconds) dropped[*on] = dropped[i] = true;
      on.reset();
    }
  }
  std::size_t kept = 0;
  for (std::size_t i = 0; i < song.events.size(); ++i) {
    if (!dropped[i]) song.events[kept++] = song.events[i];
  }
  song.events.resize(kept);
}

bool IsPlayableSong(const MidiSong& song) {
  if (song.lengthSeconds < kShortestTuneSeconds) return false;
  // Events are in time order: a window sliding over them finds the busiest moment.
  std::size_t first = 0;
  for (std::size_t last = 0; last < song.events.size(); ++last) {
    while (song.events[last].seconds - song.events[first].seconds >= kInstantSeconds) ++first;
    if (last - first + 1 > kMostEventsInAnInstant) return false;
  }
  return true;
}

}  // namespace fl3
