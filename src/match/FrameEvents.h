#pragma once

namespace fl3 {

// What a frame's rules produced besides the state itself.
struct FrameEvents {
  int beeps = 0;  // one per arm that ends in open fire
};

}  // namespace fl3
