#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fl3 {

// The host as a player types it: a name or an IPv4 address, ":port" optional.
struct HostAddress {
  std::string host;
  std::uint16_t port = 0;
  friend bool operator==(const HostAddress&, const HostAddress&) = default;
};

// The address, or a reason for the player why it cannot be one (empty,
// a port out of range, an IPv6 address).
std::optional<HostAddress> ParseHostAddress(std::string_view text, std::uint16_t defaultPort, std::string& reason);

}  // namespace fl3
