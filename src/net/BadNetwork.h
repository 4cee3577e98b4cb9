#pragma once
#include <array>
#include <cstdint>
#include <random>

namespace fl3::net {

// A bad network on purpose, for one direction of one link.
struct ShimSettings {
  int latencyMs = 0;      // one way
  int jitterMs = 0;       // each datagram: latency plus or minus up to this
  double loss = 0;        // shares, 0..1
  double duplicate = 0;
  double reorder = 0;     // held back behind later datagrams
  std::uint64_t seed = 1;
};

// Decides, from its seed alone, what becomes of each datagram: when it
// arrives, twice, late behind later ones, or never.
class BadNetwork {
 public:
  explicit BadNetwork(const ShimSettings& settings);

  // The arrival times of a datagram sent at nowMs: none when lost.
  int Arrivals(std::int64_t nowMs, std::array<std::int64_t, 2>& at);
  // A message on a reliable channel: it always arrives, and every loss costs
  // it a resend (keeping the order is the link's business).
  std::int64_t ReliableArrival(std::int64_t nowMs);
  const ShimSettings& Settings() const { return settings_; }

 private:
  bool Chance(double p) { return p > 0 && std::uniform_real_distribution<double>(0, 1)(random_) < p; }
  std::int64_t OneWay(std::int64_t nowMs);

  ShimSettings settings_;
  std::mt19937_64 random_;
};

}  // namespace fl3::net
