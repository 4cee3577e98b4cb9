#pragma once
#include <cstddef>

#include "media/MidiSong.h"

namespace fl3 {

// A tune loops for a whole match, so a file must not be able to make its
// playing cost more than music does. These bounds are far beyond what any
// real tune needs.
inline constexpr double kShortestTuneSeconds = 0.05;  // one pass of the loop
inline constexpr double kInstantSeconds = 0.001;
inline constexpr std::size_t kMostEventsInAnInstant = 512;  // a full 16-channel set-up fits easily

// Notes that start and end at the same moment make no sound, yet each one
// costs the synthesizer a voice: they are taken out.
void DropZeroLengthNotes(MidiSong& song);

// False for a song that cannot be played sanely: one that would loop faster
// than twenty times a second, or that piles more events into a single
// moment than any arrangement does.
bool IsPlayableSong(const MidiSong& song);

}  // namespace fl3
