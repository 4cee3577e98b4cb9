#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "ai/CpuStrength.h"

namespace fl3::arena {

// Who plays in one seat of the tournament.
struct Seat {
  enum Kind { Off, Computer, Baseline, Still, Dodger, Hunter } kind = Off;
  CpuStrength strength = kDefaultCpuStrength;
  std::string name;  // as written on the command line
};

// Reads "cpu:2,cpu:1,baseline,off" (1 to 4 seats; "cpu" alone is Normal;
// also "still", "dodger" and "hunter").
// On a bad entry returns false with a reason.
bool ReadSeats(const std::string& text, std::vector<Seat>& seats, std::string& error);

}  // namespace fl3::arena
