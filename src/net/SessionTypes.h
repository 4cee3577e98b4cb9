#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "match/ControlFrame.h"
#include "match/MatchFrame.h"
#include "match/MatchSnapshot.h"
#include "match/MatchStart.h"
#include "net/WireMessages.h"

namespace fl3::net {

inline constexpr std::int64_t kSilenceMs = 3000;     // a peer silent this long is dropped
// A player whose controls come this much later than the host played the
// frame, or who has held the others still this long in all, is dropped as
// a silent one is: nobody stalls the match longer than a dead machine can.
inline constexpr std::int64_t kLateMs = kSilenceMs;
// A player not heard from, or holding the match still, this long is named
// on every machine as lost, with the wait left before the drop. Over a
// 400 ms round trip at 10 % loss a live player is never this quiet.
inline constexpr std::int64_t kLostNoticeMs = 1000;
inline constexpr std::int64_t kRejoinMs = 60000;     // a dropped player may come back within this
// A connection must say Hello within this, and answer a challenge within the
// next: long enough for a few resends of each on a lossy link. A crowd of
// silent connections from one address is capped instead.
inline constexpr std::int64_t kHelloWaitMs = 10000;
inline constexpr std::int64_t kAnswerWaitMs = 15000;
inline constexpr int kWaitingPerAddress = 4;  // connections not yet let in, from one address at once
inline constexpr std::int64_t kFinishWaitMs = 5000;  // the end waits this long for stragglers
inline constexpr std::int64_t kSendEveryMs = ControlFrame::kNetworkFrameMs;
inline constexpr int kMaxPlayersPerMachine = 2;
inline constexpr int kMaxSpectators = 16;

enum class Phase : std::uint8_t { Connecting, Joining, Lobby, Running, Finishing, Ended };

// How a session ended, in words for the player.
struct SessionEnd {
  EndReason reason = EndReason::Over;
  std::string message;
  int frame = -1;        // the match's last frame, when it had one
  FrameOutcome outcome;  // how the match itself ended
};

inline SessionEnd EndWith(EndReason reason, std::string message, int frame = -1, FrameOutcome outcome = {}) {
  SessionEnd end;
  end.reason = reason;
  end.message = std::move(message);
  end.frame = frame;
  end.outcome = outcome;
  return end;
}

// What happened to a peer of the host, for the windows to tell.
struct SessionEvent {
  enum class Kind : std::uint8_t {
    Joined,     // took seats or a place as spectator
    Rejoined,   // took its running seats back
    Left,       // said it leaves
    Silent,     // not heard for kSilenceMs, or its connection closed
    Late,       // its controls came too late
    Excluded,   // flooded or sent malformed messages
    OutOfStep,  // its hash differed from the host's
  };
  Kind kind = Kind::Joined;
  std::string name;
  std::uint8_t figures = 0;  // a bit per figure it played (none for a spectator)
  int frame = -1;            // the host's frame then, once the match runs
};

// What a frame-by-frame driver learns from one update.
struct StepReport {
  bool ran = false;          // a new frame is on the state: draw it
  bool corrected = false;    // earlier frames were played again
  int replayed = 0;          // the most frames one correction played again
  int newlyStanding = 0;
  int beeps = 0;             // explosions of frames that now stand: sound these
  bool waiting = false;      // a frame is due but held back (the picture holds)
};

// Everything a desync report needs: the match up to the frame whose hashes
// differ and both machines' states after it.
struct DesyncEvidence {
  int frame = 0;
  bool thisMachineIsHost = true;
  std::string otherName;
  MatchStart start;
  std::vector<ControlFrame> frames;  // frames 0 .. frame
  std::optional<MatchSnapshot> host;
  std::optional<MatchSnapshot> client;
};

}  // namespace fl3::net
