#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "net/InputDelay.h"
#include "net/LinkMeter.h"
#include "net/LongAgo.h"
#include "net/NetMatch.h"
#include "net/Outbox.h"
#include "net/SeatNotices.h"
#include "net/SessionTypes.h"
#include "net/TimeSync.h"

namespace fl3::net {

// Where one of this machine's figures takes its controls from.
struct LocalSeat {
  FigureControlSource* source = nullptr;
  bool decidesInFrame = false;  // a computer player; otherwise asked once a frame (keys, pads)
};

struct ClientConfig {
  std::string name;
  Role role = Role::Player;
  int seats = 1;             // figures wanted by a player: 1 or 2
  std::string password;
  SeatKey seatKey{};         // from an earlier seating by this host: takes a running seat back
  int inputDelay = 0;        // 0..3 frames, or kAutomaticDelay (from the round trip)
  // This machine's n-th figure (0 or 1) is `figure`; asked when the match begins.
  std::function<LocalSeat(int figure, int nth, const MatchStart& start)> seatFor;
  // The picture the level needs that this machine lacks, or empty.
  std::function<std::string(const MatchStart& start)> missingPicture;
};

// A client (player or spectator) of a network match, as a state machine: fed
// the transport's events and "now", it answers with messages to send (Out,
// all to the host) and runs the match's frames.
class ClientSession {
 public:
  static constexpr PeerId kHost = 0;
  static constexpr std::int64_t kAnswerWaitMs = 5000;  // no connection within this: give up
  static constexpr std::int64_t kJoinWaitMs = 20000;   // connected, but not let in within this: give up
  static constexpr int kSpectatorLagFrames = 3;

  ClientSession(GameState& state, ClientConfig config, std::int64_t nowMs);
  ~ClientSession();

  void Connected(std::int64_t nowMs);
  void Disconnected(std::int64_t nowMs);
  void Received(Channel channel, std::string_view bytes, std::int64_t nowMs);
  StepReport Update(std::int64_t nowMs, DrawList* draw);
  std::int64_t NextWakeMs() const;
  Outbox& Out() { return out_; }
  // Escape on a client: it leaves; its figures stand still for the others.
  void Leave();

  Phase CurrentPhase() const { return phase_; }
  const SessionEnd& Ended() const { return end_; }
  const NetMatch* Match() const { return match_.get(); }
  const MatchStart* Setup() const { return setup_ ? &*setup_ : nullptr; }
  const Lobby& LobbyView() const { return lobby_; }
  // A player whose connection the host has lost or who has left, as the
  // host tells it; empty when all is well.
  std::string SeatNotice(std::int64_t nowMs) const { return notices_.Text(nowMs); }
  std::uint8_t OwnFigures() const { return figures_; }
  // The host's secret for this machine's seats (all zero until seated): the
  // way back into a running match after a drop. Never shown to others.
  const SeatKey& SeatKeyGiven() const { return seatKey_; }
  int RoundTripMs() const { return link_.RoundTripMs(); }
  int LossPerMille() const { return link_.LossPerMille(); }
  bool CatchingUp() const { return catchingUp_; }
  std::optional<DesyncEvidence> TakeDesync();

 private:
  void Handle(std::string_view bytes, std::int64_t nowMs);
  void OnRefuse(std::string_view bytes);
  void OnChallenge(std::string_view bytes);
  void OnSetup(std::string_view bytes);
  void OnStart(std::string_view bytes, std::int64_t nowMs);
  void BeginWhenClockKnown(std::int64_t nowMs);
  void HostGone(std::string message, std::int64_t nowMs);
  void PlayConfirmed(std::int64_t nowMs);
  void OnTransfer(std::string_view bytes, std::int64_t nowMs);
  void OnFrames(std::string_view bytes, std::int64_t nowMs);
  void OnEnd(std::string_view bytes);
  void OnDesyncProbe(std::string_view bytes);
  void SeatFigures();
  StepReport RunFrames(std::int64_t nowMs, DrawList* draw);
  int HostFrameNow(std::int64_t nowMs) const;
  void SendInputs(std::int64_t nowMs);
  void PutOwnControls(Inputs& inputs) const;
  void PutHashes(Inputs& inputs) const;
  void Finish(EndReason reason, std::string message);

  GameState& state_;
  ClientConfig config_;
  Phase phase_ = Phase::Connecting;
  SessionEnd end_;
  Outbox out_;
  LinkMeter link_;
  TimeSync sync_;
  std::optional<MatchStart> setup_;
  Lobby lobby_;
  SeatNotices notices_;
  Role role_ = Role::Player;
  std::uint8_t figures_ = 0;
  SeatKey seatKey_{};
  std::optional<std::uint32_t> firstFrameAt_;  // a Start whose time is not yet on this machine's clock
  std::unique_ptr<NetMatch> match_;
  std::int64_t beganMs_;
  std::int64_t lastHeardMs_;
  std::int64_t nextSendMs_ = kLongAgoMs;
  std::int64_t finishingSinceMs_ = -1;
  int hostPlayed_ = 0;
  std::int64_t hostPlayedAtMs_ = kLongAgoMs;  // when the host's newest report came
  std::int64_t firstFrameMs_ = kLongAgoMs;    // frame 0's moment on this clock, when mapped
  int framesHave_ = 0;
  int hostInputsHave_ = 0;
  int hostHashesHave_ = 0;
  int firstOwnFrame_ = 0;
  int firstStanding_ = 0;
  bool catchingUp_ = false;
  bool hostSaidOver_ = false;
  std::optional<DesyncEvidence> desync_;
  std::string scratch_;
};

}  // namespace fl3::net
