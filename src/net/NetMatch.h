#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/IoResult.h"
#include "match/MatchStart.h"
#include "net/FramePace.h"
#include "net/LongAgo.h"
#include "net/RollbackRunner.h"
#include "net/WireMessages.h"

namespace fl3::net {

// What a machine's summary reports of its match.
struct MatchStats {
  int framesPlayed = 0;      // frames played for the first time
  int framesReplayed = 0;    // frames played again to correct predictions
  int rollbacks = 0;
  int deepestRollback = 0;
  int framesWaited = 0;      // frames that began late because the window was full
  std::int64_t waitedMs = 0;
};

// One network match on this machine: the engine over the shared state, the
// rollback around it and the pace of its frames.
class NetMatch {
 public:
  // From the start (every machine at frame 0).
  static std::unique_ptr<NetMatch> Begin(GameState& state, const MatchStart& start, IoResult& result);
  // From a transfer: the frames so far and the state after them.
  static std::unique_ptr<NetMatch> Resume(GameState& state, const Transfer& transfer, IoResult& result);

  MatchEngine& Engine() { return *engine_; }
  RollbackRunner& Runner() { return *runner_; }
  const RollbackRunner& Runner() const { return *runner_; }
  const MatchStart& Start() const { return start_; }
  FramePace& Pace() { return pace_; }
  const MatchStats& Stats() const { return stats_; }

  // Corrects, then plays the next frame when it is due and the window
  // allows; a frame due but held back by the window counts as waiting.
  StepResult Step(std::int64_t nowMs, int slowdownMs, DrawList* draw);
  // Corrects only.
  StepResult Correct(DrawList* draw);
  bool Due(std::int64_t nowMs) const { return pace_.Due(nowMs); }

  // The end that stands (Running until then) and the frame it came in.
  const FrameOutcome& StandingEnd() const { return end_; }
  int EndFrame() const { return endFrame_; }
  std::uint64_t FinalHash() const { return finalHash_; }
  // The frames as a transfer carries them: three bytes each.
  std::string PackedFrames(int count) const;

 private:
  NetMatch(GameState& state, const MatchStart& start);
  void Account(const StepResult& step);

  MatchStart start_;
  std::unique_ptr<MatchEngine> engine_;
  std::unique_ptr<RollbackRunner> runner_;
  FramePace pace_;
  MatchStats stats_;
  FrameOutcome end_;
  int endFrame_ = -1;
  std::uint64_t finalHash_ = 0;
  std::int64_t waitingSinceMs_ = kLongAgoMs;  // the due time of a frame held back
};

std::vector<ControlFrame> UnpackFrames(std::string_view packed);

}  // namespace fl3::net
