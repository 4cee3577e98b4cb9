#pragma once
#include <array>
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

// Every seat's line. `own`: a bit per seat played at this machine;
// `hostView`: this machine is the host. A name that one machine plays on two
// seats (two players at one keyboard) is counted "1 of 2", "2 of 2".
std::array<SeatLine, FigureCount> SeatLines(const net::Lobby& lobby, std::uint8_t own, bool hostView);

// What the host tells the others: every address with the port, and the line
// about the router.
std::string HostAddressLines(const std::vector<std::string>& addresses, std::uint16_t port);
std::string RouterLine(std::uint16_t port);

}  // namespace fl3
