#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <netinet/in.h>

#include "net/BadNetwork.h"

namespace fl3::net {

// The bad network in front of real sockets (this kernel has no netem): a
// UDP relay between the address peers use and the ENet socket behind it,
// whose datagrams in one direction go through a seeded BadNetwork. A host
// relays its listening port with its answers shimmed; a client relays its
// way to the host with its own datagrams shimmed. Each peer's datagrams go
// through a socket of their own, so ENet still tells peers apart.
class ShimRelay {
 public:
  enum class Shimmed : std::uint8_t { TowardTarget, TowardListener };

  // Listens on `listenPort` (0: any free one; every address for a host's
  // port, loopback otherwise) and forwards to target:targetPort.
  static std::unique_ptr<ShimRelay> Open(std::uint16_t listenPort, bool everyAddress, const sockaddr_in& target,
                                         Shimmed shimmed, const ShimSettings& shim, std::string& error);
  ~ShimRelay();
  ShimRelay(const ShimRelay&) = delete;
  ShimRelay& operator=(const ShimRelay&) = delete;

  std::uint16_t ListenPort() const { return listenPort_; }
  // The sockets to wait on.
  void Sockets(std::vector<int>& sockets) const;
  // Reads what came in and sends what is due.
  void Pump(std::int64_t nowMs);
  // When the next held datagram is due; -1 when none is held.
  std::int64_t NextDueMs() const;

 private:
  struct Held {
    int socket;
    sockaddr_in to;
    std::string bytes;
  };
  ShimRelay(int listenSocket, std::uint16_t listenPort, const sockaddr_in& target, Shimmed shimmed, const ShimSettings& shim);
  int InnerFor(const sockaddr_in& from, std::int64_t nowMs);
  void Forward(int socket, const sockaddr_in& to, std::string bytes, bool shim, std::int64_t nowMs);
  void ReadListener(std::int64_t nowMs);
  void ReadInner(int socket, const sockaddr_in& peer, std::int64_t nowMs);

  int listen_;
  std::uint16_t listenPort_;
  sockaddr_in target_;
  Shimmed shimmed_;
  BadNetwork shim_;
  std::map<std::uint64_t, int> inner_;           // by the outside peer's address and port
  std::map<int, sockaddr_in> innerPeer_;         // the outside peer behind each inner socket
  std::multimap<std::pair<std::int64_t, std::uint64_t>, Held> held_;
  std::uint64_t order_ = 0;
};

}  // namespace fl3::net
