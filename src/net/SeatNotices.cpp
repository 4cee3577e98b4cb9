#include "net/SeatNotices.h"

namespace fl3::net {

void SeatNotices::Saw(const Lobby& lobby, std::int64_t nowMs) {
  for (std::size_t i = 0; i < seats_.size(); ++i) {
    const Lobby::Seat& now = lobby.seats[i];
    Seat& seat = seats_[i];
    const bool lost = now.state == SeatState::Taken && now.dropInMs > 0;
    seat.dropAtMs = lost ? nowMs + now.dropInMs : kLongAgoMs;
    // Only a player seen in the match and gone since has left: a seat
    // already left when this machine came in is old news.
    if (now.state == SeatState::Left && seat.state == SeatState::Taken) seat.leftAtMs = nowMs;
    if (now.state != SeatState::Left) seat.leftAtMs = kLongAgoMs;
    seat.state = now.state;
    seat.name = now.name;
  }
}

// A lost connection first: the match waits for it. Two figures of one
// machine are told once.
std::string SeatNotices::Text(std::int64_t nowMs) const {
  for (const Seat& seat : seats_) {
    if (seat.dropAtMs == kLongAgoMs) continue;
    const std::int64_t leftMs = seat.dropAtMs - nowMs;
    // The host's verdict is on its way: no count of nothing.
    if (leftMs <= 0) return seat.name + "'s connection is lost";
    return seat.name + "'s connection is lost: waiting " + std::to_string((leftMs + 999) / 1000) + " s";
  }
  for (const Seat& seat : seats_) {
    if (seat.leftAtMs == kLongAgoMs || nowMs - seat.leftAtMs >= kLeftShownMs) continue;
    int figures = 0;
    for (const Seat& other : seats_) figures += other.leftAtMs != kLongAgoMs && other.name == seat.name;
    return seat.name + " has left; " + seat.name + (figures > 1 ? "'s figures stand" : "'s figure stands");
  }
  return {};
}

}  // namespace fl3::net
