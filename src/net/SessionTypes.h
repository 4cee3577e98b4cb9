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
inline constexpr std::int64_t kRejoinMs = 60000;     // a dropped player may come back within this
inline constexpr std::int64_t kHelloWaitMs = 2000;   // a connection must say Hello within this
inline constexpr std::int64_t kAnswerWaitMs = 10000; // and answer a challenge within this
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

// What a frame-by-frame driver learns from one update.
struct StepReport {
  bool ran = false;          // a new frame is on the state: draw it
  bool corrected = false;    // earlier frames were played again
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
