#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "match/ControlFrame.h"
#include "match/DrawList.h"
#include "match/MatchFrame.h"
#include "match/MatchSnapshot.h"

namespace fl3::net {

// Where a figure's controls come from on this machine.
enum class SeatKind : std::uint8_t {
  Off,      // nobody: holds nothing in every frame
  Live,     // decides during the first run of each frame (a computer player); final at once
  Sampled,  // this machine's player: asked once, just before a frame's first run,
            // for the controls of the frame `input delay` later
  Given,    // told with Give or Confirm: another machine's player
};

// What one call of Step did.
struct StepResult {
  bool ran = false;         // a new frame was played
  int replayed = 0;         // frames played again to correct predictions
  int newlyStanding = 0;    // frames that now stand for good
  int standingBeeps = 0;    // explosions of those frames: the ones to sound
  FrameOutcome standingEnd; // end != Running: the match ended in a frame that stands
  int standingEndFrame = -1;
};

// Rollback over one match engine. Every frame that is not yet confirmed is
// played with a prediction (each figure holds what it held the frame
// before); when the real controls of an earlier frame arrive and differ, the
// engine goes back to that frame and plays forward again at once. At most
// kWindow frames run ahead of the last frame that stands: beyond that the
// runner waits. A frame stands once every figure's controls for it (and
// Escape) are known and it has been played with them.
class RollbackRunner {
 public:
  static constexpr int kWindow = 16;
  static constexpr int kHeld = 64;           // frames of controls held from the oldest not standing
  static constexpr int kKeptStanding = 64;   // states of the newest standing frames, for desync reports

  // The engine stands before frame `earlier.size()`: 0, or later after a
  // state transfer that brought the controls of every frame before.
  RollbackRunner(MatchEngine& engine, const GameState& state, std::vector<ControlFrame> earlier = {});
  RollbackRunner(const RollbackRunner&) = delete;
  RollbackRunner& operator=(const RollbackRunner&) = delete;

  // Live and Sampled seats need a source.
  void SetSeat(int figure, SeatKind kind, FigureControlSource* source = nullptr);
  void SetInputDelay(int frames) { inputDelay_ = frames < 0 ? 0 : frames > 3 ? 3 : frames; }
  int InputDelay() const { return inputDelay_; }
  // This machine decides Escape (the host): it is known at a frame's first run.
  void DecideEscapeHere(bool decides) { escapeHere_ = decides; }
  // Escape held in the next frame played for the first time (the host ending the match).
  void RequestEscape() { escapeRequested_ = true; }

  // A figure's controls for a frame, known for sure; the first word counts.
  // False when the frame is beyond what the runner holds.
  bool Give(int frame, int figure, const FigureControls& controls);
  // A whole frame known for sure (from the host): it overrides what was
  // known of it. False when the frame is beyond what the runner holds.
  bool Confirm(int frame, const ControlFrame& controls);

  bool CanRun() const { return current_ - standing_ < kWindow; }
  // Corrects what needs correcting, then plays the next frame when `runNew`
  // and the window allows. Draws the last frame played, if any was.
  StepResult Step(bool runNew, DrawList* draw);

  int Current() const { return current_; }    // frames played
  int Standing() const { return standing_; }  // frames that stand
  int Confirmed() const;                      // frames whose controls are all known
  bool Holds(int frame) const { return frame >= standing_ && frame < standing_ + kHeld; }
  bool Known(int frame, int figure) const;
  // A known figure's controls in a held frame.
  const FigureControls& KnownControls(int frame, int figure) const {
    return Slot(frame).given.figures[static_cast<std::size_t>(figure)];
  }
  // The controls of every frame that stands, from the match's first.
  const std::vector<ControlFrame>& StandingControls() const { return standingControls_; }
  // The state after a standing frame, kept for the newest kKeptStanding; null when gone.
  const MatchSnapshot* StandingState(int frame) const;
  // The state after a frame as this machine has it now: predicted when it
  // does not stand yet. From the newest kKeptStanding standing frames on; null when gone.
  const MatchSnapshot* StateAfter(int frame) const;
  // The state before the first frame that does not stand yet (before frame 0
  // until one stands), whatever frames were played on predictions since.
  const MatchSnapshot& StateBeforeStanding() const {
    return before_[static_cast<std::size_t>(standing_ % (kWindow + 1))];
  }
  std::uint64_t StandingHash(int frame) const;

  int Rollbacks() const { return rollbacks_; }
  int DeepestRollback() const { return deepest_; }

 private:
  static constexpr std::uint8_t kEscapeBit = 1u << FigureCount;
  static constexpr std::uint8_t kAllKnown = kEscapeBit | ((1u << FigureCount) - 1);

  struct FrameSlot {
    int frame = -1;
    std::uint8_t known = 0;  // a bit per figure, then Escape
    ControlFrame given;      // the known controls
    ControlFrame used;       // what the newest run held
    FrameOutcome outcome;
  };

  FrameSlot& Slot(int frame);
  const FrameSlot& Slot(int frame) const { return slots_[static_cast<std::size_t>(frame % kHeld)]; }
  MatchSnapshot& Before(int frame) { return before_[static_cast<std::size_t>(frame % (kWindow + 1))]; }
  std::uint8_t OffMask() const;
  void Wrong(int frame) { if (frame < firstWrong_) firstWrong_ = frame; }
  void Predict(int frame, FrameSlot& slot) const;
  void Replay(StepResult& result, DrawList* draw);
  void Sample(int frame);
  void RunFirst(DrawList* draw);
  void Stand(StepResult& result);

  MatchEngine& engine_;
  const GameState& state_;
  std::array<SeatKind, FigureCount> seats_{};
  std::array<FigureControlSource*, FigureCount> sources_{};
  int inputDelay_ = 0;
  bool escapeHere_ = false;
  bool escapeRequested_ = false;
  int current_;
  int standing_;
  int firstWrong_;  // the earliest frame played with controls now known to differ
  std::vector<FrameSlot> slots_;
  std::vector<MatchSnapshot> before_;
  std::vector<MatchSnapshot> kept_;
  std::vector<std::uint64_t> keptHashes_;
  std::vector<int> keptFrames_;
  std::vector<ControlFrame> standingControls_;
  ControlFrame lastStanding_;
  ControlFrame firstRun_;
  RecordedControls fixed_{firstRun_};
  int rollbacks_ = 0;
  int deepest_ = 0;
};

}  // namespace fl3::net
