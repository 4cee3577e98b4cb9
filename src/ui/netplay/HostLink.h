#pragma once
#include <memory>
#include <string>
#include <vector>

#include "ai/ComputerSeats.h"
#include "core/GameFolder.h"
#include "net/EnetLink.h"
#include "net/HostSession.h"
#include "net/PasswordProof.h"
#include "ui/netplay/NetPlayEnds.h"
#include "ui/netplay/NetPlayLinks.h"

namespace fl3 {

// The host's side of a network game: the host session over an ENet host.
class HostLink : public NetPlayLink {
 public:
  HostLink(GameState& state, const GameFolder& folder, const HostSetup& setup, std::unique_ptr<net::EnetLink> enet);

  NetPlayStep Service(std::int64_t nowMs, DrawList* draw) override;
  std::int64_t NextWakeMs() const override { return session_->NextWakeMs(); }
  Stage CurrentStage() const override;
  net::Lobby LobbyView() const override { return session_->LobbyView(); }
  bool OthersConnected() const override { return enet_->OpenConnections() > 0; }
  std::uint8_t OwnFigures() const override;
  int RoundTripMs() const override { return session_->RoundTripMs(); }
  const net::NetMatch* Match() const override { return session_->Match(); }
  const MatchStart* Start() const override { return &setup_.start; }
  FrameOutcome Outcome() const override;
  const NetPlayEnd& End() const override { return end_; }
  std::optional<Replay> MatchReplay(std::int64_t recordedAtSeconds) const override {
    return ReplayOfMatch(session_->Match(), recordedAtSeconds, session_->LobbyView(), false);
  }
  void Quit(std::int64_t) override {
    held_ = false;
    session_->EndMatch();
  }
  std::string SeatNotice(std::int64_t nowMs) const override { return session_->SeatNotice(nowMs); }
  bool IsHost() const override { return true; }
  bool CanStart() const override { return session_->AllSeatsTaken(); }
  bool StartMatch(std::int64_t nowMs) override { return session_->StartMatch(nowMs); }
  std::uint16_t Port() const override { return enet_->BoundPort(); }
  bool SetPassword(const std::string& password) override;
  void HoldAdmissions(bool hold) override { held_ = hold; }

 private:
  std::unique_ptr<net::HostSession> NewSession(const std::string& password);
  void Receive(std::int64_t nowMs);
  void TakeEnd();

  GameState& state_;
  const GameFolder& folder_;
  HostSetup setup_;
  ComputerSeats computers_;
  net::SystemNonces nonces_;
  std::unique_ptr<net::EnetLink> enet_;
  std::unique_ptr<net::HostSession> session_;
  std::vector<net::LinkEvent> events_;
  std::vector<std::pair<net::PeerId, std::uint32_t>> connected_;  // with their addresses
  std::vector<net::DesyncEvidence> outOfStep_;  // clients that left out of step, reported after the match
  NetPlayEnd end_;
  bool over_ = false;
  bool held_ = false;
  std::int64_t lastServiceMs_ = 0;
};

}  // namespace fl3
