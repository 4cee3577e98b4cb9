#pragma once
#include <memory>
#include <string>
#include <vector>

#include "core/GameFolder.h"
#include "net/ClientSession.h"
#include "net/EnetLink.h"
#include "ui/netplay/DesyncReporter.h"
#include "ui/netplay/HostProbe.h"
#include "ui/netplay/NetPlayEnds.h"
#include "ui/netplay/NetPlayLinks.h"

namespace fl3 {

// The key a host gave this game for its seats, kept while the game runs:
// joining that host again under the same name takes a running seat back.
struct RememberedSeat {
  std::string hostLabel;
  std::string name;
  net::SeatKey key{};
};

// A client's side of a network game (a player or a spectator): the client
// session over its ENet connection to the host.
class ClientLink : public NetPlayLink {
 public:
  ClientLink(GameState& state, const GameFolder& folder, const JoinSetup& setup, std::unique_ptr<net::EnetLink> enet,
             std::int64_t nowMs, RememberedSeat& seat);

  NetPlayStep Service(std::int64_t nowMs, DrawList* draw) override;
  std::int64_t NextWakeMs() const override { return session_.NextWakeMs(); }
  Stage CurrentStage() const override;
  net::Lobby LobbyView() const override { return session_.LobbyView(); }
  std::uint8_t OwnFigures() const override { return session_.OwnFigures(); }
  int RoundTripMs() const override { return session_.RoundTripMs(); }
  const net::NetMatch* Match() const override { return session_.Match(); }
  const MatchStart* Start() const override { return session_.Setup(); }
  FrameOutcome Outcome() const override;
  const NetPlayEnd& End() const override { return end_; }
  std::optional<Replay> MatchReplay(std::int64_t recordedAtSeconds) const override {
    return ReplayOfMatch(session_.Match(), recordedAtSeconds, session_.LobbyView(), watching_);
  }
  void Quit(std::int64_t) override { session_.Leave(); }
  std::string SeatNotice(std::int64_t nowMs) const override { return session_.SeatNotice(nowMs); }
  bool IsHost() const override { return false; }
  bool Watching() const override { return watching_; }

 private:
  static net::ClientConfig Config(const JoinSetup& setup, const net::SeatKey& key);
  void Receive(std::int64_t nowMs);
  void Settle(std::int64_t nowMs);

  const GameFolder& folder_;
  HostAddress address_;
  std::string hostLabel_;
  bool watching_;
  std::string name_;
  RememberedSeat& seat_;
  std::unique_ptr<net::EnetLink> enet_;
  net::ClientSession session_;
  std::vector<net::LinkEvent> events_;
  DesyncReporter desync_;
  HostProbe probe_;
  NetPlayEnd end_;
  bool over_ = false;
};

}  // namespace fl3
