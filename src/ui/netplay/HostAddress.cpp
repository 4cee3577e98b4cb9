#include "ui/netplay/HostAddress.h"

#include <algorithm>
#include <cctype>

namespace fl3 {
namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

std::optional<std::uint16_t> ParsePort(std::string_view text) {
  if (text.empty() || text.size() > 5) return std::nullopt;
  std::uint32_t port = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    port = port * 10 + static_cast<std::uint32_t>(c - '0');
  }
  if (port == 0 || port > 65535) return std::nullopt;
  return static_cast<std::uint16_t>(port);
}

bool IsHostCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_';
}

}  // namespace

std::optional<HostAddress> ParseHostAddress(std::string_view text, std::uint16_t defaultPort, std::string& reason) {
  text = Trimmed(text);
  if (text.empty()) {
    reason = "Type the host's address: a name or an IP address such as 192.168.1.20.";
    return std::nullopt;
  }
  if (std::count(text.begin(), text.end(), ':') > 1 || text.front() == '[') {
    reason = "Network play uses IPv4 only; type the host's IPv4 address (such as 192.168.1.20) or its name.";
    return std::nullopt;
  }
  HostAddress address{std::string(text), defaultPort};
  if (const std::size_t colon = text.find(':'); colon != std::string_view::npos) {
    const auto port = ParsePort(text.substr(colon + 1));
    if (!port) {
      reason = "The port after the colon must be a number from 1 to 65535.";
      return std::nullopt;
    }
    address = {std::string(text.substr(0, colon)), *port};
  }
  if (address.host.empty() || !std::all_of(address.host.begin(), address.host.end(), IsHostCharacter)) {
    reason = "\"" + address.host + "\" is not a host name or an IPv4 address.";
    return std::nullopt;
  }
  return address;
}

}  // namespace fl3
