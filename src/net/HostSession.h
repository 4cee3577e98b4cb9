#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/AddressGate.h"
#include "net/InputDelay.h"
#include "net/LinkMeter.h"
#include "net/NetMatch.h"
#include "net/Outbox.h"
#include "net/PasswordProof.h"
#include "net/PeerGuard.h"
#include "net/SeatNotices.h"
#include "net/SessionTypes.h"
#include "net/TimeSync.h"

namespace fl3::net {

enum class HostSeat : std::uint8_t {
  Off,
  Local,     // a player at the host's keyboard: its source is asked once a frame
  Computer,  // a computer player on the host: its source decides during the frame
  Network,   // a player on another machine
};

struct HostConfig {
  MatchStart start;  // the figures' controllers must agree with the seats
  std::array<HostSeat, FigureCount> seats{};
  std::array<FigureControlSource*, FigureCount> sources{};  // Local and Computer seats
  std::string password;             // empty: none
  NonceSource* nonces = nullptr;    // challenges, salt and seat keys; the system's when null
  int inputDelay = 0;               // 0..3 frames for Local seats, or kAutomaticDelay
  int maxFrames = 0;                // > 0: the host ends the match after this many frames
  int startDelayMs = 200;           // at least; longer on a long round trip
  bool spectatorsAllowed = true;
  std::string localName;            // who plays the Local seats, for the lobby
};

// What the host counts of its peers' misdeeds.
struct HostStats {
  int malformed = 0;       // messages dropped as malformed, unknown or out of turn
  int othersSeats = 0;     // controls for figures the sender does not play
  int excluded = 0;        // peers disconnected for flooding, faults or late controls
  int refused = 0;         // joins refused
  int desyncs = 0;
  int hashesCompared = 0;
};

// The host of a network match, as a state machine: fed the transport's
// events and "now", it answers with messages to send (Out) and runs the
// match's frames. No sockets, clock or threads inside.
class HostSession {
 public:
  HostSession(GameState& state, HostConfig config);
  ~HostSession();

  // `address` tells machines apart (their IPv4 address): limits and waits
  // after wrong passwords are per address.
  void Connected(PeerId peer, std::uint32_t address, std::int64_t nowMs);
  void Disconnected(PeerId peer, std::int64_t nowMs);
  void Received(PeerId peer, Channel channel, std::string_view bytes, std::int64_t nowMs);
  // Runs what is due (frames, sends, time-outs); draws a new or corrected frame.
  StepReport Update(std::int64_t nowMs, DrawList* draw);
  std::int64_t NextWakeMs() const;
  Outbox& Out() { return out_; }

  bool AllSeatsTaken() const;
  // Starts the match once every network seat is taken.
  bool StartMatch(std::int64_t nowMs);
  // Escape on the host: the match ends for everybody in the next frame.
  void EndMatch();

  Phase CurrentPhase() const { return phase_; }
  const SessionEnd& Ended() const { return end_; }
  const NetMatch* Match() const { return match_.get(); }
  Lobby LobbyView() const;
  const HostStats& Stats() const { return stats_; }
  // Connections the host keeps anything for: each goes within seconds.
  std::size_t PeerCount() const { return peers_.size(); }
  int RoundTripMs() const;  // the largest among the players
  // A client found out of step, with both states once the client's has
  // come (or not); one at a time.
  std::optional<DesyncEvidence> TakeDesync();
  bool DesyncPending() const { return !desyncs_.empty(); }
  // What happened to peers since the last call.
  std::vector<SessionEvent> TakeEvents();
  // A player whose connection is lost or who has left, in words; empty
  // when all is well. The clients read the same from the lobby.
  std::string SeatNotice(std::int64_t nowMs) const { return notices_.Text(nowMs); }

 private:
  struct Peer {
    enum class Stage : std::uint8_t { Hello, Answer, Admitted } stage = Stage::Hello;
    Role role = Role::Player;
    std::uint8_t seatsWanted = 0;
    std::uint8_t figures = 0;
    std::string name;
    SeatKey seatKey{};  // what it showed in its Hello
    std::uint32_t address = 0;
    std::int64_t connectedMs = 0;
    std::int64_t lastHeardMs = 0;
    Nonce nonce{};
    LinkMeter link;
    TimeSync sync;
    PeerGuard guard;
    int played = 0;
    int framesHave = 0;  // confirmed frames the peer holds, all below this
    int hashesHave = 0;  // its hash reports taken, all below this
    std::int64_t lastSentMs = kLongAgoMs;
    bool ready = false;             // a player that has said it holds the setup
    std::int64_t heldOthersMs = 0;  // how long the host waited for its controls, in all
    std::int64_t waitingSinceMs = kLongAgoMs;  // while it holds the host waiting
    std::int64_t dropAtMs = kLongAgoMs;        // while it is named as lost
  };
  struct Figure {
    HostSeat seat = HostSeat::Off;
    std::string name;
    SeatKey key{};            // the seated machine's secret
    PeerId peer = 0;          // 0: nobody connected plays it
    bool taken = false;
    std::int64_t leftMs = kLongAgoMs;  // when its player was dropped
    int fillUntil = 0;        // the host holds nothing for it in frames below this
  };
  // A client out of step: the host waits a little for its state.
  struct PendingDesync {
    PeerId peer = 0;
    std::int64_t untilMs = 0;
    bool ready = false;
    DesyncEvidence evidence;
  };
  enum class GoneWhy : std::uint8_t { Left, Silent, Refused, Replaced, Late, Excluded, OutOfStep };

  void Handle(PeerId id, Peer& peer, std::string_view bytes, std::int64_t nowMs);
  void OnHello(PeerId id, Peer& peer, std::string_view bytes, std::int64_t nowMs);
  void OnAnswer(PeerId id, Peer& peer, std::string_view bytes, std::int64_t nowMs);
  void Admit(PeerId id, Peer& peer, std::int64_t nowMs);
  void AdmitPlayer(PeerId id, Peer& peer, std::int64_t nowMs);
  bool NameTaken(const std::string& name, PeerId asking, std::int64_t nowMs) const;
  bool Rejoin(PeerId id, Peer& peer, std::int64_t nowMs);
  void OnInputs(PeerId id, Peer& peer, std::string_view bytes, std::int64_t nowMs);
  bool CompareHashes(PeerId id, Peer& peer, const Inputs& inputs, std::int64_t nowMs);
  void OnDesyncState(PeerId id, std::string_view bytes);
  void Refuse(PeerId id, RefuseReason reason, std::string text, std::size_t requestBytes);
  void Fault(PeerId id, Peer& peer, std::int64_t nowMs);
  // Puts an admitted peer out, telling it why first.
  void Exclude(PeerId id, EndReason reason, const std::string& text, GoneWhy why, std::int64_t nowMs);
  // The one way out for every peer, whatever made it go: its seats are held
  // still (or free again in the lobby), its place is free, it is forgotten.
  void Gone(PeerId id, std::int64_t nowMs, GoneWhy why, bool disconnect);
  void Note(SessionEvent::Kind kind, const Peer& peer);
  void SendWelcome(PeerId id, const Peer& peer);
  void SendTransfer(PeerId id, int firstOwnFrame);
  void BroadcastLobby(std::int64_t nowMs);
  void SendFrames(std::int64_t nowMs, bool quick);
  void FillDropped();
  void CheckTimeouts(std::int64_t nowMs);
  void CheckLate(std::int64_t nowMs, bool waiting);
  // Whether the peer is now named as lost, and when it would be dropped.
  bool NoteLost(Peer& peer, std::int64_t dropAtMs, bool lost);
  void SettleDesyncs(std::int64_t nowMs);
  void Finish(std::int64_t nowMs);
  void FoundDesync(PeerId id, Peer& peer, int frame, std::int64_t nowMs);
  int Slowdown() const;
  int InputsHave(const Peer& peer) const;
  NonceSource& Nonces();

  GameState& state_;
  HostConfig config_;
  Phase phase_ = Phase::Lobby;
  SessionEnd end_;
  Outbox out_;
  std::map<PeerId, Peer> peers_;
  std::array<Figure, FigureCount> figures_{};
  std::unique_ptr<NetMatch> match_;
  HostStats stats_;
  std::unique_ptr<NonceSource> systemNonces_;
  PasswordKey key_{};
  Salt salt_{};
  bool keyMade_ = false;
  AddressGate gate_;
  std::int64_t nextSendMs_ = kLongAgoMs;
  std::int64_t finishingSinceMs_ = -1;
  std::vector<PendingDesync> desyncs_;
  std::vector<SessionEvent> events_;
  SeatNotices notices_;
  std::int64_t nowMs_ = 0;  // the newest Update's, for the lobby's waits
  // When the host first played each held frame, to tell how late controls are.
  std::array<std::int64_t, RollbackRunner::kHeld> firstRunMs_{};
  bool escapeAsked_ = false;
  std::uint32_t sendTick_ = 0;
  std::string scratch_;
};

}  // namespace fl3::net
