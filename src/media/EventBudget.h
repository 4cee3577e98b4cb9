#pragma once
#include <array>
#include <cstdint>

#include "media/MidiSong.h"

namespace fl3 {

// How many events may reach the synthesizer: a steady allowance per second of
// audio with room for a burst, so no file, tempo or loop can make the sound
// thread fall behind. Note-offs of notes that were let through always pass
// (a note is never left hanging) and are free, being at most as many as the
// note-ons; note-offs of notes that never sounded are dropped.
class EventBudget {
 public:
  static constexpr double kEventsPerSecond = 3000.0;
  static constexpr double kBurst = 1024.0;

  explicit EventBudget(int sampleRate) : perFrame_(kEventsPerSecond / sampleRate) { Reset(); }

  // A fresh start: the whole burst available and no note sounding.
  void Reset();
  // The synthesizer cut or released every note.
  void ForgetNotes() { sounding_.fill(0); }
  void Refill(int frames);
  // Whether the event may be sent; counts it if so.
  bool Allow(const MidiEvent& event);

 private:
  double perFrame_;
  double allowance_ = kBurst;
  std::array<std::uint16_t, 16 * 128> sounding_{};  // note-ons not yet ended, per channel and key
};

}  // namespace fl3
