#include "media/EventBudget.h"

#include <algorithm>

namespace fl3 {

void EventBudget::Reset() {
  allowance_ = kBurst;
  ForgetNotes();
}

void EventBudget::Refill(int frames) { allowance_ = std::min(kBurst, allowance_ + frames * perFrame_); }

bool EventBudget::Allow(const MidiEvent& event) {
  const bool noteOn = event.Kind() == 0x90 && event.data2 > 0;
  const bool noteOff = event.Kind() == 0x80 || (event.Kind() == 0x90 && event.data2 == 0);
  std::uint16_t& sounding = sounding_[event.Channel() * 128u + event.data1];
  if (noteOff) {
    if (sounding == 0) return false;
    --sounding;
    return true;
  }
  if (allowance_ < 1.0) return false;
  allowance_ -= 1.0;
  if (noteOn && sounding < UINT16_MAX) ++sounding;
  return true;
}

}  // namespace fl3
