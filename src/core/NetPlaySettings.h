#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "IoResult.h"

namespace fl3 {

class GameFolder;

inline constexpr const char* kNetPlaySettingsFileName = "NETPLAY.OPT";
inline constexpr std::int32_t kAutomaticInputDelay = -1;
inline constexpr std::int32_t kMostInputDelay = 3;

// What network play remembers between runs: the join dialog's choices and
// the session's settings.
struct NetPlaySettings {
  std::string address;  // the host as typed: a name or an IPv4 address, ":port" optional
  std::string name;     // the player's name
  std::int32_t players = 1;                      // at this keyboard: 1 or 2
  std::array<std::int32_t, 2> layouts{0, 1};     // whose keys and pad each steers with: 0..3
  std::int32_t hostPort = 0;                     // 0: the game's own port
  std::int32_t inputDelay = kAutomaticInputDelay;  // frames 0..3, or automatic
  bool spectatorsAllowed = true;                 // when hosting
  std::string hostPassword;                      // fills the host's waiting room; empty: none
  friend bool operator==(const NetPlaySettings&, const NetPlaySettings&) = default;
};

// Lines ended by CR LF: address, name, players, the two layouts, the host's
// port, the input delay (-1 automatic), spectators allowed (1 or 0), the
// host's password. A line that does not fit, or is missing (a file of an
// older game), keeps its default; a missing or unreadable file gives the
// defaults.
NetPlaySettings ParseNetPlaySettings(std::string_view text);
std::string NetPlaySettingsFileText(const NetPlaySettings& settings);
NetPlaySettings ReadNetPlaySettings(const GameFolder& folder);
// Readable by the player alone: it may hold a password.
IoResult WriteNetPlaySettings(const GameFolder& folder, const NetPlaySettings& settings);

}  // namespace fl3
