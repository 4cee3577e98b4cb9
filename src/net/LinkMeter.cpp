#include "net/LinkMeter.h"

#include <algorithm>

namespace fl3::net {
namespace {

constexpr std::uint32_t kLongestRoundTripMs = 60000;

}  // namespace

LinkStamp LinkMeter::Stamp(std::int64_t nowMs) {
  LinkStamp stamp;
  stamp.sequence = nextSequence_++;
  stamp.sentMs = StampClock(nowMs);
  if (heard_) {
    stamp.echoMs = newestSentMs_;
    stamp.heldMs = static_cast<std::uint16_t>(std::clamp<std::int64_t>(nowMs - newestAtMs_, 0, 0xFFFF));
  }
  return stamp;
}

bool LinkMeter::Took(const LinkStamp& stamp, std::int64_t nowMs) {
  const auto ahead = static_cast<std::int16_t>(static_cast<std::uint16_t>(stamp.sequence - newestSequence_));
  if (heard_ && ahead <= 0) {
    const int back = -ahead;
    if (back >= 64 || (seen_ >> back & 1u) != 0) return false;
    seen_ |= std::uint64_t{1} << back;
    ++received_;
  } else {
    seen_ = heard_ ? (ahead >= 64 ? 0 : seen_ << ahead) | 1u : 1u;
    span_ += heard_ ? ahead : 1;
    ++received_;
    heard_ = true;
    newestSequence_ = stamp.sequence;
    newestSentMs_ = stamp.sentMs;
    newestAtMs_ = nowMs;
  }
  lastHeardMs_ = nowMs;
  TookClock(stamp.sentMs, nowMs);
  if (stamp.echoMs != 0) {
    const std::uint32_t elapsed = StampClock(nowMs) - stamp.echoMs;
    if (elapsed >= stamp.heldMs && elapsed - stamp.heldMs < kLongestRoundTripMs) {
      const int sample = static_cast<int>(elapsed - stamp.heldMs);
      roundTripMs_ = measured_ ? (7 * roundTripMs_ + sample + 4) / 8 : sample;
      shortestRoundTripMs_ = measured_ ? std::min(shortestRoundTripMs_, sample) : sample;
      measured_ = true;
    }
  }
  return true;
}

void LinkMeter::TookClock(std::uint32_t remoteSentMs, std::int64_t nowMs) {
  const std::uint32_t delta = StampClock(nowMs) - remoteSentMs;
  if (!clockKnown_ || static_cast<std::int32_t>(delta - leastDelta_) < 0) leastDelta_ = delta;
  clockKnown_ = true;
}

std::int64_t LinkMeter::LocalTimeOf(std::uint32_t remoteStamp, std::int64_t nowMs) const {
  const std::uint32_t local = remoteStamp + leastDelta_ - static_cast<std::uint32_t>(shortestRoundTripMs_ / 2);
  return nowMs + static_cast<std::int32_t>(local - StampClock(nowMs));
}

int LinkMeter::LossPerMille() const {
  if (span_ <= 0) return 0;
  const std::int64_t lost = std::max<std::int64_t>(0, span_ - received_);
  return static_cast<int>(lost * 1000 / span_);
}

}  // namespace fl3::net
