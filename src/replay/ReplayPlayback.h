#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/GameState.h"
#include "match/DrawList.h"
#include "match/MatchFrame.h"
#include "replay/Replay.h"

namespace fl3 {

// Plays a replay on the shared state from its recorded control frames alone
// (computer players are not run again), and moves to any frame at once from
// snapshots kept on the first run through.
class ReplayPlayback {
 public:
  static constexpr int kSnapshotEvery = 100;

  // Where the match played back first left the recording, if it did.
  struct Verdict {
    int differingFrame = -1;  // counted from 0, as traces count; -1: all agree
    std::string reason;
  };

  // `replay` must outlive the playback.
  ReplayPlayback(GameState& state, const Replay& replay);

  // Puts the start into the state and plays every frame, comparing each
  // stored hash, the end and the winner; `afterFrame` sees each frame as it
  // is played. Afterwards the match stands at its start (Position 0).
  Verdict PlayThrough(const std::function<void(int frame, const FrameOutcome&)>& afterFrame = {},
                      bool keepSnapshots = true);

  int Position() const { return position_; }  // frames played
  int FrameCount() const { return static_cast<int>(replay_.frames.size()); }
  // Game time after `frames` frames.
  std::int64_t ElapsedMs(int frames) const { return elapsedMs_[static_cast<std::size_t>(frames)]; }

  bool AtEnd() const { return position_ >= FrameCount(); }
  // Plays the next frame and draws it when asked; past the last, nothing.
  FrameOutcome Next(DrawList* draw);
  // The match after `frame` frames (1..FrameCount), its last frame drawn;
  // the frames on the way are played without drawing. Beeps of the returned
  // outcome belong to a frame played before: the caller must not sound them.
  FrameOutcome MoveTo(int frame, DrawList* draw);
  // The frame `ms` of game time before (negative) or after the position.
  int FrameAfter(std::int64_t ms) const;

 private:
  void Keep(int frame);

  GameState& state_;
  const Replay& replay_;
  std::optional<MatchEngine> engine_;  // made afresh for every run through
  int position_ = 0;
  std::vector<std::int64_t> elapsedMs_;
  std::vector<std::vector<std::uint8_t>> snapshots_;  // after frames 0, 100, 200, ...
  MatchSnapshot scratch_;
};

}  // namespace fl3
