#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "match/MatchStart.h"
#include "ui/netplay/JoinDialog.h"
#include "ui/netplay/NetPlayLink.h"
#include "ui/start/StartControllerButton.h"

namespace fl3 {

class SeatLayoutControls;

// What the host's link is made of: the match's start, each seat, and where
// this machine's players and computer players take their controls from.
struct HostSetup {
  MatchStart start;
  std::array<SeatChoice, FigureCount> seats{};
  SeatLayoutControls* players = nullptr;  // the MAN seats
  std::uint16_t port = 0;
  int inputDelay = 0;  // frames for the MAN seats, or net::kAutomaticDelay
  bool spectatorsAllowed = true;
  std::string localName;  // who plays the MAN seats, as the others see it
};

// What a client's link is made of. `players` steers this machine's figures
// once the host has given them; `missingPicture` names a picture the host's
// level needs that this machine lacks (empty when none).
struct JoinSetup {
  JoinRequest request;
  SeatLayoutControls* players = nullptr;
  std::function<std::string(const MatchStart& start)> missingPicture;
  int inputDelay = 0;  // frames, or net::kAutomaticDelay
};

// Makes the links of network games: over ENet in the game, stand-ins in tests.
class NetPlayLinks {
 public:
  virtual ~NetPlayLinks() = default;
  virtual std::uint16_t DefaultPort() const = 0;
  // Null with the reason in `problem` (a port in use) when it cannot be made.
  virtual std::unique_ptr<NetPlayLink> Host(const HostSetup& setup, std::int64_t nowMs, NetPlayEnd& problem) = 0;
  // Null with the reason (a host name that was not found).
  virtual std::unique_ptr<NetPlayLink> Join(const JoinSetup& setup, std::int64_t nowMs, NetPlayEnd& problem) = 0;
};

}  // namespace fl3
