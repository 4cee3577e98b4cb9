#include "net/BadNetwork.h"

#include <algorithm>

namespace fl3::net {

BadNetwork::BadNetwork(const ShimSettings& settings) : settings_(settings), random_(settings.seed) {
  settings_.latencyMs = std::max(0, settings_.latencyMs);
  settings_.jitterMs = std::clamp(settings_.jitterMs, 0, settings_.latencyMs);
}

std::int64_t BadNetwork::OneWay(std::int64_t nowMs) {
  const int jitter = settings_.jitterMs;
  const int spread = jitter > 0 ? std::uniform_int_distribution<int>(-jitter, jitter)(random_) : 0;
  return nowMs + settings_.latencyMs + spread;
}

int BadNetwork::Arrivals(std::int64_t nowMs, std::array<std::int64_t, 2>& at) {
  if (Chance(settings_.loss)) return 0;
  at[0] = OneWay(nowMs);
  // Held back long enough for the next frame's datagram to overtake it.
  if (Chance(settings_.reorder)) at[0] += std::uniform_int_distribution<int>(60, 120)(random_);
  if (!Chance(settings_.duplicate)) return 1;
  at[1] = OneWay(nowMs);
  return 2;
}

std::int64_t BadNetwork::ReliableArrival(std::int64_t nowMs) {
  std::int64_t at = OneWay(nowMs);
  // A resend after about a round trip for every loss, as ENet does.
  for (int tries = 0; tries < 8 && Chance(settings_.loss); ++tries) at += 2 * settings_.latencyMs + 50;
  return at;
}

}  // namespace fl3::net
