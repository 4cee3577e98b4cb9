#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace fl3 {

// The quiet line about the connection under a network match: the round
// trip, and a warning when many frames are being corrected or no frame has
// come for a while. Fed after every service of the network; no allocation
// per frame.
class ConnectionReadout {
 public:
  static constexpr int kWindowFrames = 40;          // about two seconds of frames
  static constexpr int kManyCorrections = 10;       // corrected frames in the window
  static constexpr std::int64_t kStalledMs = 400;   // about eight frames without one
  static constexpr std::int64_t kRefreshMs = 500;   // the line changes at most this often

  // A service of the network: whether it played a new frame, whether it
  // corrected earlier ones, and the round trip now (0: not yet measured).
  void Took(std::int64_t nowMs, bool newFrame, bool corrected, int roundTripMs);

  // The line to show, and whether it warns.
  const std::string& Text() const { return text_; }
  bool Warning() const { return warning_; }
  // Refreshes the line when its time has come; true when it changed.
  bool Refresh(std::int64_t nowMs);

 private:
  std::array<bool, kWindowFrames> corrected_{};
  int next_ = 0;
  int correctedInWindow_ = 0;
  bool correctedSinceFrame_ = false;
  std::int64_t lastFrameMs_ = -1;
  std::int64_t refreshedMs_ = -kRefreshMs;
  int roundTripMs_ = 0;
  std::string text_;
  bool warning_ = false;
};

}  // namespace fl3
