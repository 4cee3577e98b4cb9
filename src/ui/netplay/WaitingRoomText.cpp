#include "ui/netplay/WaitingRoomText.h"

namespace fl3 {
namespace {

using net::SeatState;

bool Played(SeatState state) { return state == SeatState::Host || state == SeatState::Taken || state == SeatState::Left; }

// Seats of one machine: the host's own, or a player's under one name.
bool SameMachine(const net::Lobby::Seat& a, const net::Lobby::Seat& b) {
  return Played(a.state) && Played(b.state) && (a.state == SeatState::Host) == (b.state == SeatState::Host) &&
         a.name == b.name;
}

std::string WithNotes(std::string who, const std::vector<std::string>& notes) {
  for (std::size_t i = 0; i < notes.size(); ++i) who += (i == 0 ? " (" : ", ") + notes[i];
  return notes.empty() ? who : who + ")";
}

SeatLine LineOf(const net::Lobby::Seat& seat, bool own, bool hostView, int nth, int ofSame) {
  std::vector<std::string> notes;
  std::string who = seat.name;
  switch (seat.state) {
    case SeatState::Off: return {"-", ""};
    case SeatState::Computer: return {"Computer", ""};
    case SeatState::Free: return {"Free", ""};
    case SeatState::Host:
      who = hostView ? "You" : seat.name.empty() ? "The host's player" : seat.name;
      notes.push_back("host");
      break;
    case SeatState::Left: notes.push_back("left"); break;
    case SeatState::Taken:
      if (own) notes.push_back("you");
      break;
  }
  if (ofSame > 1) notes.push_back(std::to_string(nth) + " of " + std::to_string(ofSame));
  const bool trip = seat.state == SeatState::Taken && seat.roundTripMs > 0;
  return {WithNotes(who, notes), trip ? std::to_string(seat.roundTripMs) + " ms" : ""};
}

}  // namespace

std::array<SeatLine, FigureCount> SeatLines(const net::Lobby& lobby, std::uint8_t own, bool hostView) {
  std::array<SeatLine, FigureCount> lines;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    int nth = 0, ofSame = 0;
    for (std::size_t j = 0; j < lines.size(); ++j) {
      if (!SameMachine(lobby.seats[i], lobby.seats[j])) continue;
      ++ofSame;
      if (j <= i) ++nth;
    }
    lines[i] = LineOf(lobby.seats[i], (own >> i & 1u) != 0, hostView, nth, ofSame);
  }
  return lines;
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
