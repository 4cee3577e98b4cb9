#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "match/DrawList.h"
#include "match/MatchFrame.h"
#include "match/MatchStart.h"
#include "net/NetMatch.h"
#include "net/WireMessages.h"
#include "replay/Replay.h"

namespace fl3 {

// How a network game ended on this machine, in words for the player.
struct NetPlayEnd {
  enum class Kind {
    Over,        // the match was played to its end here
    Left,        // this machine left (Escape, Cancel)
    HostEnded,   // the host ended it
    HostGone,    // the host went away, or never answered
    Refused,     // this machine did not get in: refused, no answer, no such host
    Desync,      // the machines' matches went apart
    Failed,      // anything else that stopped it
  };
  Kind kind = Kind::Over;
  std::string title;  // the message box's; empty: no message
  std::string text;
  FrameOutcome outcome;  // how the match itself ended, when it ran
  bool offersWatch = false;  // a player turned away may watch instead
};

// What one service of the network did for the picture and the sound.
struct NetPlayStep {
  bool newFrame = false;   // a frame was played for the first time
  bool corrected = false;  // earlier frames were played again
  bool drawn = false;      // the draw list holds a new picture
  int beeps = 0;           // explosions of frames that now stand
  int replayed = 0;        // the most frames one correction played again
  bool waiting = false;    // a frame is due but held back for others' controls
};

// One machine's side of a network game as the windows see it: the host or a
// client with its connection, serviced once per timer tick from the thread
// of the windows. Nothing in it waits.
class NetPlayLink {
 public:
  enum class Stage { Connecting, Lobby, Running, Over };

  virtual ~NetPlayLink() = default;

  // Takes in what came over the network, runs what is due and sends what is
  // to be sent; a frame to show is drawn into `draw`.
  virtual NetPlayStep Service(std::int64_t nowMs, DrawList* draw) = 0;
  // When the next service is due at the latest.
  virtual std::int64_t NextWakeMs() const = 0;
  virtual Stage CurrentStage() const = 0;
  virtual net::Lobby LobbyView() const = 0;
  // A bit per figure played at this machine.
  virtual std::uint8_t OwnFigures() const = 0;
  virtual int RoundTripMs() const = 0;
  // The match's start, once this machine knows it.
  virtual const MatchStart* Start() const = 0;
  // How the match ended in a frame that stands; Running until then.
  virtual FrameOutcome Outcome() const = 0;
  // Valid once the stage is Over.
  virtual const NetPlayEnd& End() const = 0;
  // The match as far as it stands here, as a normal replay; nothing when no frame was played.
  virtual std::optional<Replay> MatchReplay(std::int64_t recordedAtSeconds) const = 0;
  // The running match's frames on this machine, for drawing; null before it begins.
  virtual const net::NetMatch* Match() const { return nullptr; }
  // A player whose connection is lost or who has left, in words, the same
  // on every machine; empty when all is well.
  virtual std::string SeatNotice(std::int64_t) const { return {}; }

  // Escape or Cancel: the host ends the game for everybody, a client leaves.
  virtual void Quit(std::int64_t nowMs) = 0;

  virtual bool IsHost() const = 0;
  // A spectator's: it follows the match and steers nothing.
  virtual bool Watching() const { return false; }
  // The host's: whether anybody is still connected, to hear its last word.
  virtual bool OthersConnected() const { return false; }
  // The host's: whether every network seat is taken, and the start of the match.
  virtual bool CanStart() const { return false; }
  virtual bool StartMatch(std::int64_t) { return false; }
  // The host's port and password; false when the password can no longer change.
  virtual std::uint16_t Port() const { return 0; }
  virtual bool SetPassword(const std::string&) { return false; }
  // While the host types a password nobody is let in, so that the first to
  // come meets the password typed, not the one before it.
  virtual void HoldAdmissions(bool) {}
};

}  // namespace fl3
