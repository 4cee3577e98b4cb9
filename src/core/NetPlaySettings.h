#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "IoResult.h"

namespace fl3 {

class GameFolder;

inline constexpr const char* kNetPlaySettingsFileName = "NETPLAY.OPT";

// What the join dialog and the host's waiting room remember between runs.
struct NetPlaySettings {
  std::string address;  // the host as typed: a name or an IPv4 address, ":port" optional
  std::string name;     // the player's name
  std::int32_t players = 1;                      // at this keyboard: 1 or 2
  std::array<std::int32_t, 2> layouts{0, 1};     // whose keys and pad each steers with: 0..3
  std::int32_t hostPort = 0;                     // 0: the game's own port
  friend bool operator==(const NetPlaySettings&, const NetPlaySettings&) = default;
};

// Six lines ended by CR LF: address, name, players, the two layouts, the
// host's port. A line that does not fit keeps its default; a missing or
// unreadable file gives the defaults.
NetPlaySettings ParseNetPlaySettings(std::string_view text);
std::string NetPlaySettingsFileText(const NetPlaySettings& settings);
NetPlaySettings ReadNetPlaySettings(const GameFolder& folder);
IoResult WriteNetPlaySettings(const GameFolder& folder, const NetPlaySettings& settings);

}  // namespace fl3
