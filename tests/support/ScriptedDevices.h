#pragma once
#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/Clock.h"
#include "core/KeyState.h"

namespace fl3::testing {

// Time that moves on by `step` ms at every look; with step 0 only the test moves it.
struct SteppingClock : Clock {
  explicit SteppingClock(std::int64_t start = 0, std::int64_t step = 0) : now(start), step(step) {}
  std::int64_t NowMs() override { return now += step; }
  std::int64_t now, step;
};

// Hands out prepared snapshots, one per read, then the last one for ever.
struct ScriptedKeyboard : KeyboardSource {
  explicit ScriptedKeyboard(std::vector<KeyState> script = {KeyState{}}) : script(std::move(script)) {}
  void ReadKeyboard(KeyState& keys) override { keys = script[std::min(reads++, script.size() - 1)]; }
  std::vector<KeyState> script;
  std::size_t reads = 0;
};

}  // namespace fl3::testing
