#pragma once
#include <cstdint>

namespace fl3::ai {

// One bit per coming frame: bit k is the frame k frames from now, counted
// from the frame being decided (0). Frames past the horizon are not planned.
using FrameMask = std::uint64_t;
inline constexpr int kHorizonFrames = 64;

inline FrameMask FramesFromTo(int first, int last) {
  if (first < 0) first = 0;
  if (last >= kHorizonFrames) last = kHorizonFrames - 1;
  if (first > last) return 0;
  const FrameMask upToLast = last == kHorizonFrames - 1 ? ~FrameMask{0} : (FrameMask{1} << (last + 1)) - 1;
  return upToLast & ~((FrameMask{1} << first) - 1);
}

inline bool AnyIn(FrameMask mask, int first, int last) { return (mask & FramesFromTo(first, last)) != 0; }
inline bool AnyFrom(FrameMask mask, int first) { return AnyIn(mask, first, kHorizonFrames - 1); }

}  // namespace fl3::ai
