#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "net/WireMessages.h"

namespace fl3 {

// One seat of the waiting room: who sits there, and their round trip.
struct SeatLine {
  std::string who;
  std::string roundTrip;  // empty when there is none to show
  friend bool operator==(const SeatLine&, const SeatLine&) = default;
};

// `own`: the seat is played at this machine; `hostView`: this machine is the host.
SeatLine SeatLineOf(const net::Lobby::Seat& seat, bool own, bool hostView);

// What the host tells the others: every address with the port, and the line
// about the router.
std::string HostAddressLines(const std::vector<std::string>& addresses, std::uint16_t port);
std::string RouterLine(std::uint16_t port);

}  // namespace fl3
