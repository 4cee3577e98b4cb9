#pragma once
#include <cstdint>

#include "net/LongAgo.h"
#include <unordered_map>

namespace fl3::net {

// What the host lets one network address do: a few greetings a second, and
// after each wrong password a wait before its next answer is checked (1 s,
// doubling up to a minute). One address guessing never slows another.
class AddressGate {
 public:
  static constexpr int kHellosPerSecond = 8;
  static constexpr std::int64_t kFirstWaitMs = 1000;
  static constexpr std::int64_t kLongestWaitMs = 60000;
  static constexpr std::size_t kMostAddresses = 4096;

  // A greeting from the address; false when it sends too many.
  bool Greets(std::uint32_t address, std::int64_t nowMs);
  // How long the address must still wait before an answer of it is checked.
  std::int64_t WaitMs(std::uint32_t address, std::int64_t nowMs) const;
  void WrongAnswer(std::uint32_t address, std::int64_t nowMs);
  void RightAnswer(std::uint32_t address);

 private:
  struct Entry {
    std::int64_t windowStartMs = kLongAgoMs;
    int hellos = 0;
    std::int64_t waitMs = 0;       // the next wrong answer's wait: 0 before the first
    std::int64_t checkFromMs = kLongAgoMs;  // answers are checked from then on
    std::int64_t lastSeenMs = kLongAgoMs;
  };
  Entry& At(std::uint32_t address, std::int64_t nowMs);

  std::unordered_map<std::uint32_t, Entry> entries_;
};

}  // namespace fl3::net
