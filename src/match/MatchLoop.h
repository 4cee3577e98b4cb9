#pragma once
#include <cstdint>
#include <functional>
#include <optional>

#include "core/Clock.h"
#include "core/GamepadSource.h"
#include "core/GameState.h"
#include "core/KeyState.h"
#include "match/DrawList.h"
#include "match/FramePacer.h"
#include "match/FrameRecorder.h"
#include "match/KeyboardAndPadControls.h"
#include "match/MatchFrame.h"

namespace fl3 {

// Runs a match frame by frame on a clock without ever waiting itself: the
// owner calls Step whenever the wake-up time it returned has come, and sleeps
// in between. After a winner the last frame stays on screen for 5 seconds.
class MatchLoop {
 public:
  static constexpr std::int64_t kWinnerShowMs = 5000;

  struct Hooks {
    std::function<void(const DrawList&)> present;  // draw and show one frame
    std::function<void(int)> beeps;                // explosion sounds of a frame
    // Sees every frame's outcome, the last one's too; true ends a match still
    // running with Escape in the next frame, so that its replay, which
    // records the Escape, ends alike.
    std::function<bool(const FrameOutcome&)> afterFrame;
  };

  struct StepResult {
    bool frameRan = false;
    bool finished = false;
    std::int64_t wakeAtMs = 0;  // when to call Step again
  };

  MatchLoop(GameState& state, std::int32_t backgroundNumber, KeyboardSource& keyboard, Clock& clock, Hooks hooks);

  StepResult Step();
  // See MatchEngine::SetControlSource and MatchEngine::Keyboard.
  void SetControlSource(int figure, FigureControlSource* source) { engine_.SetControlSource(figure, source); }
  FigureControlSource& Keyboard() { return engine_.Keyboard(); }
  // The players' pads, polled once per frame, steer the MAN figures beside
  // their keys, and a pad's Start acts as Escape. Call before the first Step.
  void UseGamepads(GamepadSource& pads);
  // Every frame played from now on goes into the recorder, null: none.
  void RecordInto(FrameRecorder* recorder) { recorder_ = recorder; }
  const MatchEngine& Engine() const { return engine_; }
  bool Finished() const { return finished_; }
  MatchEnd End() const { return lastOutcome_.end; }
  int Winner() const { return lastOutcome_.winner; }

 private:
  void RunOneFrame(std::int64_t nowMs);

  GameState& state_;
  MatchEngine engine_;
  KeyboardSource& keyboard_;
  GamepadSource* pads_ = nullptr;
  FrameRecorder* recorder_ = nullptr;
  std::optional<KeyboardAndPadControls> padControls_;
  Clock& clock_;
  Hooks hooks_;
  FramePacer pacer_;
  KeyState keys_{};
  DrawList draws_;
  FrameOutcome lastOutcome_;
  std::int64_t winnerShownAtMs_ = -1;
  bool finished_ = false;
  bool escapeNext_ = false;
};

}  // namespace fl3
