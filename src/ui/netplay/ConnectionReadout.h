#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "ui/netplay/NetPlayLink.h"

namespace fl3 {

// The quiet line about the connection under a network match: the round
// trip; a player whose connection is lost or who has left, by name; a
// warning when many figures are being put right visibly or the match waits
// for the network. Fed after every service; builds its text only when it
// refreshes, twice a second.
class ConnectionReadout {
 public:
  static constexpr int kWindowFrames = 40;  // about two seconds of frames
  // A correction that plays at least this many frames again moves a figure
  // by a visible part of a step (150 ms of walking). Shallower ones come
  // with every change of another player's controls, a computer player's
  // many turns included, and nobody sees them.
  static constexpr int kVisibleReplay = 3;
  // Visible corrections in the window that a player would call many: one
  // every few tenths of a second, well past what the other figures' turns
  // cause on a good link.
  static constexpr int kManyCorrections = 6;
  static constexpr std::int64_t kStalledMs = 400;  // about eight frames held back
  static constexpr std::int64_t kRefreshMs = 500;  // the line changes at most this often

  // A service of the network and the round trip now (0: not yet measured).
  void Took(std::int64_t nowMs, const NetPlayStep& step, int roundTripMs);

  // The line to show, and whether it warns.
  const std::string& Text() const { return text_; }
  bool Warning() const { return warning_; }
  bool Due(std::int64_t nowMs) const { return nowMs - refreshedMs_ >= kRefreshMs; }
  // Refreshes the line when its time has come; true when it changed.
  // `notice` names a player lost or gone; `matchOver`: the end stands here
  // (or this machine asked to end it), and nothing more is to be waited for.
  bool Refresh(std::int64_t nowMs, const std::string& notice, bool matchOver);

 private:
  std::array<bool, kWindowFrames> corrected_{};
  int next_ = 0;
  int correctedInWindow_ = 0;
  bool correctedSinceFrame_ = false;
  std::int64_t waitingSinceMs_ = -1;
  std::int64_t refreshedMs_ = -kRefreshMs;
  int roundTripMs_ = 0;
  std::string text_;
  bool warning_ = false;
};

}  // namespace fl3
