#include "ui/quest/PadPresses.h"

#include "core/GamepadSource.h"

namespace fl3 {
namespace {

constexpr int kPollMs = 50;

}  // namespace

PadPresses::PadPresses(GamepadSource* pads, QObject* parent) : QObject(parent), pads_(pads) {
  if (pads_ == nullptr) return;
  connect(&timer_, &QTimer::timeout, this, &PadPresses::Poll);
  timer_.start(kPollMs);
}

void PadPresses::Poll() {
  pads_->Poll();
  bool press = false;
  for (std::size_t player = 0; player < held_.size(); ++player) {
    const bool down = pads_->ControlsFor(static_cast<int>(player)).plant;
    press |= down && !held_[player];
    held_[player] = down;
  }
  if (press) emit pressed();
}

}  // namespace fl3
