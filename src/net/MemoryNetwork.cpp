#include "net/MemoryNetwork.h"

#include <algorithm>

namespace fl3::net {

int MemoryNetwork::AddMachine(const ShimSettings& shim) {
  shims_.emplace_back(shim);
  counters_.emplace_back();
  silenced_.push_back(false);
  return static_cast<int>(shims_.size()) - 1;
}

void MemoryNetwork::Queue(Delivery delivery) {
  const std::int64_t at = delivery.atMs;
  queue_.emplace(std::make_pair(at, order_++), std::move(delivery));
}

std::int64_t MemoryNetwork::ReliableArrival(int from, int to, std::int64_t nowMs) {
  std::int64_t& last = lastReliableMs_[{from, to}];
  last = std::max(last, shims_[static_cast<std::size_t>(from)].ReliableArrival(nowMs));
  return last;
}

void MemoryNetwork::Connect(int from, int to, std::int64_t nowMs) {
  const std::int64_t there = ReliableArrival(from, to, nowMs);
  const std::int64_t back = ReliableArrival(to, from, there);
  Queue(Delivery{there, to, from, Kind::Connected, Channel::Reliable, {}});
  Queue(Delivery{back, from, to, Kind::Connected, Channel::Reliable, {}});
}

void MemoryNetwork::Send(int from, int to, Channel channel, std::string_view bytes, std::int64_t nowMs) {
  if (silenced_[static_cast<std::size_t>(from)]) return;
  Counters& counters = counters_[static_cast<std::size_t>(from)];
  counters.bytesSent += static_cast<std::int64_t>(bytes.size());
  ++counters.messagesSent;
  BadNetwork& shim = shims_[static_cast<std::size_t>(from)];
  if (channel == Channel::Reliable) {
    Queue(Delivery{ReliableArrival(from, to, nowMs), to, from, Kind::Message, channel, std::string(bytes)});
    return;
  }
  std::array<std::int64_t, 2> at{};
  const int copies = shim.Arrivals(nowMs, at);
  for (int i = 0; i < copies; ++i) Queue(Delivery{at[static_cast<std::size_t>(i)], to, from, Kind::Message, channel, std::string(bytes)});
}

void MemoryNetwork::Disconnect(int from, int to, std::int64_t nowMs) {
  if (silenced_[static_cast<std::size_t>(from)]) return;
  Queue(Delivery{ReliableArrival(from, to, nowMs), to, from, Kind::Disconnected, Channel::Reliable, {}});
}

void MemoryNetwork::Silence(int machine) { silenced_[static_cast<std::size_t>(machine)] = true; }

std::int64_t MemoryNetwork::NextDeliveryMs() const {
  return queue_.empty() ? std::numeric_limits<std::int64_t>::max() : queue_.begin()->first.first;
}

bool MemoryNetwork::Take(std::int64_t nowMs, Delivery& delivery) {
  while (!queue_.empty() && queue_.begin()->first.first <= nowMs) {
    auto first = queue_.begin();
    Delivery taken = std::move(first->second);
    queue_.erase(first);
    if (silenced_[static_cast<std::size_t>(taken.to)] || silenced_[static_cast<std::size_t>(taken.from)]) continue;
    if (taken.kind == Kind::Message) counters_[static_cast<std::size_t>(taken.to)].bytesReceived += static_cast<std::int64_t>(taken.bytes.size());
    delivery = std::move(taken);
    return true;
  }
  return false;
}

}  // namespace fl3::net
