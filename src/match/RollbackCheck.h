#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "match/ControlFrame.h"
#include "match/MatchFrame.h"
#include "match/MatchSnapshot.h"

namespace fl3 {

// Proves that a match can be rewound: after every frame it goes back `depth`
// frames, plays them again from the controls they were first played with, and
// compares each frame with the first run. The match then goes on from the
// frames played again, so a fault that only shows after a rewind shows here.
class RollbackCheck {
 public:
  struct Mismatch {
    int frame = 0;      // counted from 1
    std::string field;  // the first that differs, first run / played again
  };

  RollbackCheck(MatchEngine& engine, int depth);

  // Around every frame the match runs for the first time.
  void BeforeFrame();
  std::optional<Mismatch> AfterFrame();

 private:
  std::size_t Slot(int frame) const { return static_cast<std::size_t>(frame % depth_); }

  MatchEngine& engine_;
  int depth_;
  int frames_ = 0;
  std::vector<MatchSnapshot> before_;
  std::vector<MatchSnapshot> after_;
  std::vector<std::uint64_t> hashes_;
  std::vector<ControlFrame> controls_;
  MatchSnapshot again_;
};

}  // namespace fl3
