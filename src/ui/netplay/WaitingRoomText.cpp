#include "ui/netplay/WaitingRoomText.h"

namespace fl3 {

SeatLine SeatLineOf(const net::Lobby::Seat& seat, bool own, bool hostView) {
  using net::SeatState;
  switch (seat.state) {
    case SeatState::Host: return {hostView ? "You (host)" : "The host's player", ""};
    case SeatState::Computer: return {"Computer", ""};
    case SeatState::Free: return {"Free", ""};
    case SeatState::Left: return {seat.name + " (left)", ""};
    case SeatState::Taken: {
      std::string roundTrip = seat.roundTripMs > 0 ? std::to_string(seat.roundTripMs) + " ms" : "";
      return {own ? seat.name + " (you)" : seat.name, roundTrip};
    }
    case SeatState::Off: break;
  }
  return {"-", ""};
}

std::string HostAddressLines(const std::vector<std::string>& addresses, std::uint16_t port) {
  std::string lines;
  for (const std::string& address : addresses) {
    if (!lines.empty()) lines += '\n';
    lines += address + ":" + std::to_string(port);
    if (address.rfind("127.", 0) == 0) lines += "   (this machine only)";
  }
  return lines;
}

std::string RouterLine(std::uint16_t port) {
  return "Players outside this network need UDP port " + std::to_string(port) +
         " forwarded to this machine by the router.";
}

}  // namespace fl3
