#include "ui/netplay/NetPlayLink.h"

#include <algorithm>

namespace fl3 {

bool NetPlayLink::OthersConnected() const {
  const net::Lobby lobby = LobbyView();
  return lobby.spectators > 0 || std::any_of(lobby.seats.begin(), lobby.seats.end(), [](const net::Lobby::Seat& seat) {
           return seat.state == net::SeatState::Taken;
         });
}

}  // namespace fl3
