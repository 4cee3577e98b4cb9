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
  // Every turn of another figure (a computer player turns several times a
  // second) is put right about a round trip later, and the round trip is
  // on the line already. A correction that goes this many frames (100 ms)
  // deeper than the round trip explains comes from lost or late messages.
  static constexpr int kExtraFrames = 2;
  // Such corrections in the window that a player would call many: about
  // one every third of a second. On every link from 0 to 400 ms round trip
  // at up to 10 % loss, with three computer players on the host, the line
  // never showed it.
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
