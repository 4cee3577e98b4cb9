#pragma once
#include "core/GameFolder.h"
#include "core/GameState.h"
#include "ui/netplay/ClientLink.h"
#include "ui/netplay/NetPlayLinks.h"

namespace fl3 {

// The links of the game: host sessions and client sessions over ENet.
class EnetNetPlayLinks : public NetPlayLinks {
 public:
  EnetNetPlayLinks(GameState& state, const GameFolder& folder) : state_(state), folder_(folder) {}
  std::uint16_t DefaultPort() const override;
  std::unique_ptr<NetPlayLink> Host(const HostSetup& setup, std::int64_t nowMs, NetPlayEnd& problem) override;
  std::unique_ptr<NetPlayLink> Join(const JoinSetup& setup, std::int64_t nowMs, NetPlayEnd& problem) override;

 private:
  GameState& state_;
  const GameFolder& folder_;
  RememberedSeat seat_;
};

}  // namespace fl3
