#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "net/EnetLink.h"

namespace fl3 {

// Whether anything still answers at the host's address. A host that fell
// silent in a running match may have dropped this machine (its match goes on,
// and the player may come back) or be gone; only asking tells them apart.
// The question is a bare connection, closed as soon as it is answered.
class HostProbe {
 public:
  static constexpr std::int64_t kWaitMs = 2000;  // a few of ENet's tries, on a long round trip

  void Start(const std::string& host, std::uint16_t port, std::int64_t nowMs);
  bool Started() const { return started_; }
  // Nothing until it is known; then whether the host answered.
  std::optional<bool> Answered(std::int64_t nowMs);

 private:
  std::unique_ptr<net::EnetLink> link_;
  std::vector<net::LinkEvent> events_;
  std::int64_t sinceMs_ = 0;
  bool started_ = false;
  std::optional<bool> answer_;
};

}  // namespace fl3
