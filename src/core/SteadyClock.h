#pragma once
#include <chrono>

#include "core/Clock.h"

namespace fl3 {

class SteadyClock : public Clock {
 public:
  std::int64_t NowMs() override {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
};

}  // namespace fl3
