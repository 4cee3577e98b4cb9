#include "ui/netplay/EnetNetPlayLinks.h"

#include "net/SessionTypes.h"
#include "ui/netplay/ClientLink.h"
#include "ui/netplay/HostLink.h"

namespace fl3 {
namespace {

// Every player and spectator, and a few connections still being turned away.
constexpr int kHostPeers = FigureCount + net::kMaxSpectators + 4;

}  // namespace

std::uint16_t EnetNetPlayLinks::DefaultPort() const { return net::kDefaultPort; }

std::unique_ptr<NetPlayLink> EnetNetPlayLinks::Host(const HostSetup& setup, std::int64_t, NetPlayEnd& problem) {
  std::string error;
  std::unique_ptr<net::EnetLink> enet = net::EnetLink::Listen(setup.port, kHostPeers, error);
  if (!enet) {
    problem = {NetPlayEnd::Kind::Failed, "Cannot host",
               "The game cannot open UDP port " + std::to_string(setup.port) + " for the match (" + error +
                   "). Another program may be using it: close it, or choose another port under \"Edit NetPlay "
                   "Session\" on the start screen.",
               {}};
    return nullptr;
  }
  return std::make_unique<HostLink>(state_, folder_, setup, std::move(enet));
}

std::unique_ptr<NetPlayLink> EnetNetPlayLinks::Join(const JoinSetup& setup, std::int64_t nowMs, NetPlayEnd& problem) {
  std::string error;
  const HostAddress& address = setup.request.address;
  std::unique_ptr<net::EnetLink> enet = net::EnetLink::Connect(address.host, address.port, error);
  if (!enet) {
    const bool unknown = error.find("not found") != std::string::npos;
    problem = {NetPlayEnd::Kind::Refused, unknown ? "Host not found" : "Cannot join",
               unknown ? "The host name \"" + address.host + "\" was not found. Check its spelling, or type the "
                         "host's IPv4 address (such as 192.168.1.20)."
                       : "The game cannot reach " + address.host + ": " + error + ".",
               {}};
    return nullptr;
  }
  return std::make_unique<ClientLink>(state_, folder_, setup, std::move(enet), nowMs, seat_);
}

}  // namespace fl3
