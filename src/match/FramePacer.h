#pragma once
#include <algorithm>
#include <cstdint>

namespace fl3 {

// A frame may begin only when more than 50 ms have passed since the previous
// one began; the measured gap becomes the frame time, with no catching up.
class FramePacer {
 public:
  static constexpr std::int64_t kMinimumGapMs = 51;

  explicit FramePacer(std::int64_t startMs) : frameStartMs_(startMs) {}

  bool FrameDue(std::int64_t nowMs) const { return nowMs - frameStartMs_ >= kMinimumGapMs; }
  // How long to sleep before the next frame may begin.
  std::int64_t MsUntilDue(std::int64_t nowMs) const {
    return std::max<std::int64_t>(0, frameStartMs_ + kMinimumGapMs - nowMs);
  }
  // Starts a frame at nowMs and returns its frame time.
  std::int32_t BeginFrame(std::int64_t nowMs) {
    const auto frameTime = static_cast<std::int32_t>(nowMs - frameStartMs_);
    frameStartMs_ = nowMs;
    return frameTime;
  }

 private:
  std::int64_t frameStartMs_;
};

}  // namespace fl3
