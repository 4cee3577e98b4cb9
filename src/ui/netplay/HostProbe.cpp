#include "ui/netplay/HostProbe.h"

#include <algorithm>

namespace fl3 {

void HostProbe::Start(const std::string& host, std::uint16_t port, std::int64_t nowMs) {
  std::string error;
  link_ = net::EnetLink::Connect(host, port, error);
  sinceMs_ = nowMs;
  started_ = true;
}

std::optional<bool> HostProbe::Answered(std::int64_t nowMs) {
  if (answer_ || !link_) return answer_.value_or(false);
  events_.clear();
  link_->Poll(events_);
  const bool answered = std::any_of(events_.begin(), events_.end(),
                                    [](const net::LinkEvent& event) { return event.kind == net::LinkEvent::Kind::Connected; });
  if (!answered && nowMs - sinceMs_ < kWaitMs) return std::nullopt;
  link_.reset();  // closes the connection at once
  answer_ = answered;
  return answer_;
}

}  // namespace fl3
