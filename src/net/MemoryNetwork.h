#pragma once
#include <cstdint>
#include <map>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "net/BadNetwork.h"
#include "net/Outbox.h"

namespace fl3::net {

// Machines linked in memory under a virtual clock, each sending through a
// bad network of its own: thousands of matches run in minutes.
class MemoryNetwork {
 public:
  enum class Kind : std::uint8_t { Connected, Disconnected, Message };
  struct Delivery {
    std::int64_t atMs = 0;
    int to = 0;
    int from = 0;
    Kind kind = Kind::Message;
    Channel channel = Channel::Reliable;
    std::string bytes;
  };
  struct Counters {
    std::int64_t bytesSent = 0;
    std::int64_t bytesReceived = 0;
    std::int64_t messagesSent = 0;
  };

  // A machine whose outgoing datagrams go through `shim`.
  int AddMachine(const ShimSettings& shim);
  // Both ends learn of the connection once a datagram could have crossed.
  void Connect(int from, int to, std::int64_t nowMs);
  void Send(int from, int to, Channel channel, std::string_view bytes, std::int64_t nowMs);
  void Disconnect(int from, int to, std::int64_t nowMs);
  // The machine is gone (killed): nothing reaches it or leaves it any more.
  void Silence(int machine);

  std::int64_t NextDeliveryMs() const;
  // The next delivery due at or before nowMs; false when none is.
  bool Take(std::int64_t nowMs, Delivery& delivery);
  const Counters& CountersOf(int machine) const { return counters_[static_cast<std::size_t>(machine)]; }

 private:
  void Queue(Delivery delivery);
  std::int64_t ReliableArrival(int from, int to, std::int64_t nowMs);

  std::vector<BadNetwork> shims_;
  std::vector<Counters> counters_;
  std::vector<bool> silenced_;
  std::map<std::pair<int, int>, std::int64_t> lastReliableMs_;  // in order between two machines
  std::map<std::pair<std::int64_t, std::uint64_t>, Delivery> queue_;  // by time, then order sent
  std::uint64_t order_ = 0;
};

}  // namespace fl3::net
