#include "net/AddressGate.h"

#include <algorithm>

namespace fl3::net {
namespace {

// An address quiet this long after its last wait ran out starts afresh.
constexpr std::int64_t kForgetAfterMs = 10 * 60 * 1000;

}  // namespace

// The table stays bounded whatever addresses come: stale entries go first,
// then the one heard from least recently.
AddressGate::Entry& AddressGate::At(std::uint32_t address, std::int64_t nowMs) {
  if (entries_.size() >= kMostAddresses && !entries_.contains(address)) {
    std::erase_if(entries_, [nowMs](const auto& item) {
      return nowMs - std::max(item.second.lastSeenMs, item.second.checkFromMs) > kForgetAfterMs;
    });
    if (entries_.size() >= kMostAddresses) {
      entries_.erase(std::min_element(entries_.begin(), entries_.end(), [](const auto& a, const auto& b) {
        return a.second.lastSeenMs < b.second.lastSeenMs;
      }));
    }
  }
  Entry& entry = entries_[address];
  if (nowMs - std::max(entry.lastSeenMs, entry.checkFromMs) > kForgetAfterMs) entry = Entry{};
  entry.lastSeenMs = nowMs;
  return entry;
}

bool AddressGate::Greets(std::uint32_t address, std::int64_t nowMs) {
  Entry& entry = At(address, nowMs);
  if (nowMs - entry.windowStartMs >= 1000) entry.windowStartMs = nowMs, entry.hellos = 0;
  return ++entry.hellos <= kHellosPerSecond;
}

std::int64_t AddressGate::WaitMs(std::uint32_t address, std::int64_t nowMs) const {
  const auto found = entries_.find(address);
  return found == entries_.end() ? 0 : std::max<std::int64_t>(0, found->second.checkFromMs - nowMs);
}

void AddressGate::WrongAnswer(std::uint32_t address, std::int64_t nowMs) {
  Entry& entry = At(address, nowMs);
  entry.waitMs = entry.waitMs == 0 ? kFirstWaitMs : std::min(kLongestWaitMs, 2 * entry.waitMs);
  entry.checkFromMs = nowMs + entry.waitMs;
}

void AddressGate::RightAnswer(std::uint32_t address) {
  const auto found = entries_.find(address);
  if (found != entries_.end()) found->second.waitMs = 0, found->second.checkFromMs = kLongAgoMs;
}

}  // namespace fl3::net
