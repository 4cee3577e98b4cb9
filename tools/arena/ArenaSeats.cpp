#include "ArenaSeats.h"

#include <sstream>

namespace fl3::arena {
namespace {

bool ReadSeat(const std::string& entry, Seat& seat) {
  seat.name = entry;
  if (entry == "off") {
    seat.kind = Seat::Off;
  } else if (entry == "baseline") {
    seat.kind = Seat::Baseline;
  } else if (entry == "still") {
    seat.kind = Seat::Still;
  } else if (entry == "dodger") {
    seat.kind = Seat::Dodger;
  } else if (entry == "hunter") {
    seat.kind = Seat::Hunter;
  } else if (entry == "cpu") {
    seat.kind = Seat::Computer;
  } else if (entry.size() == 5 && entry.rfind("cpu:", 0) == 0 && IsCpuStrength(entry[4] - '0')) {
    seat.kind = Seat::Computer;
    seat.strength = static_cast<CpuStrength>(entry[4] - '0');
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool ReadSeats(const std::string& text, std::vector<Seat>& seats, std::string& error) {
  seats.clear();
  std::istringstream in(text);
  std::string entry;
  while (std::getline(in, entry, ',')) {
    Seat seat;
    if (!ReadSeat(entry, seat)) {
      error = "unknown seat \"" + entry + "\" (use cpu, cpu:0, cpu:1, cpu:2, baseline, still, dodger, hunter or off)";
      return false;
    }
    seats.push_back(seat);
  }
  if (seats.empty() || seats.size() > 4) {
    error = "--seats needs 1 to 4 seats";
    return false;
  }
  return true;
}

}  // namespace fl3::arena
