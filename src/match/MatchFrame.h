#pragma once
#include <cstdint>

#include "core/GameState.h"
#include "core/KeyState.h"
#include "match/ControlFrame.h"
#include "match/DrawList.h"
#include "match/FigureControls.h"
#include "match/KeyboardControls.h"

namespace fl3 {

enum class MatchEnd { Running, Quit, NoWinner, Winner };

struct MatchSnapshot;

struct FrameOutcome {
  MatchEnd end = MatchEnd::Running;
  int winner = -1;  // figure index when end == Winner
  int beeps = 0;    // explosion sounds this frame (every arm that ends in open fire)
};

// One match on the shared state, driven frame by frame. The window supplies
// the measured frame time (at least 51 ms in the game) and the keyboard
// snapshot; pacing and the winner wait are the window's business.
class MatchEngine {
 public:
  // backgroundNumber < 0: no background picture, tile 0 under every cell.
  // Every figure starts on the keyboard source.
  MatchEngine(GameState& state, std::int32_t backgroundNumber);
  MatchEngine(const MatchEngine&) = delete;
  MatchEngine& operator=(const MatchEngine&) = delete;

  // Where figure `figure` takes its controls from from now on; null: nowhere.
  void SetControlSource(int figure, FigureControlSource* source);
  // The source fed with each frame's keyboard snapshot.
  FigureControlSource& Keyboard() { return keyboard_; }

  // Runs one whole frame; draws into `draw` when given (cleared first). When
  // the end test finds a winner, the list ends with the winner picture. Once
  // the match has ended, further calls change nothing and report the end
  // again, without beeps.
  FrameOutcome RunFrame(std::int32_t frameTimeMs, const KeyState& keys, DrawList* draw);
  // Runs one frame from recorded controls, as it ran when they were recorded
  // (whatever the figures' sources are). Escape in the frame ends the match.
  FrameOutcome RunFrame(const ControlFrame& frame, DrawList* draw);
  // What the last frame applied: each figure's controls, Escape, the frame time.
  const ControlFrame& LastControls() const { return applied_; }

  // The running match as a value, and back: restoring and running the same
  // control frames again gives the very same frames.
  void Save(MatchSnapshot& snapshot) const;
  void Restore(const MatchSnapshot& snapshot);

  bool Ended() const { return ended_; }

 private:
  void PrepareFigures();
  void CountTimeDown(DrawList* draw);
  FrameOutcome RunFrameWith(const FigureControlSources& sources, const KeyState& keys, DrawList* draw);

  GameState& state_;
  std::int32_t backgroundNumber_;
  int candidate_ = 0;
  bool ended_ = false;
  FrameOutcome last_{};
  KeyState frameKeys_{};
  KeyboardControls keyboard_{frameKeys_};
  FigureControlSources sources_{};
  ControlFrame applied_{};
};

}  // namespace fl3
