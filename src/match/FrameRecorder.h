#pragma once
#include "match/ControlFrame.h"

namespace fl3 {

class MatchEngine;

// Takes every frame a match loop plays, with the controls the frame applied
// and the engine after it. The replay recorder is one; the match itself never
// needs to know what keeps its frames.
class FrameRecorder {
 public:
  virtual ~FrameRecorder() = default;
  virtual void AddFrame(const ControlFrame& frame, const MatchEngine& engineAfterFrame) = 0;
};

}  // namespace fl3
