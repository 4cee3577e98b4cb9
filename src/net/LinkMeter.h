#pragma once
#include <cstdint>

#include "net/WireMessages.h"

namespace fl3::net {

// Stamps count milliseconds from 1 so that 0 can mean "nothing heard yet".
inline std::uint32_t StampClock(std::int64_t nowMs) { return static_cast<std::uint32_t>(nowMs) + 1u; }

// Round trip and loss of the control messages, from our own stamps: ENet's
// figures describe its reliable traffic only.
class LinkMeter {
 public:
  // Stamps a message about to leave.
  LinkStamp Stamp(std::int64_t nowMs);
  // Reads the stamp of a message that came in; false for one seen before.
  bool Took(const LinkStamp& stamp, std::int64_t nowMs);
  // A clock sample from a message stamped outside the sequence (the Start).
  void TookClock(std::uint32_t remoteSentMs, std::int64_t nowMs);

  int RoundTripMs() const { return roundTripMs_; }  // smoothed; 0 until measured
  bool Measured() const { return measured_; }
  // The share of the other side's messages that never came, in thousandths.
  int LossPerMille() const;
  std::int64_t LastHeardMs() const { return lastHeardMs_; }
  // Whether a stamped message came, so that the other side's clock can be
  // read on ours at all: two machines' clocks may be days apart.
  bool ClockKnown() const { return clockKnown_; }
  // When a moment of the other side's clock (a stamp) happens on ours: from
  // the least delayed message and the shortest round trip seen (until a
  // round trip is measured, a little late by the one-way delay). Only once
  // ClockKnown().
  std::int64_t LocalTimeOf(std::uint32_t remoteStamp, std::int64_t nowMs) const;

 private:
  std::uint16_t nextSequence_ = 0;
  // The newest message of the other side (by sequence) and when it came.
  bool heard_ = false;
  std::uint16_t newestSequence_ = 0;
  std::uint32_t newestSentMs_ = 0;
  std::int64_t newestAtMs_ = 0;
  std::uint64_t seen_ = 0;  // the newest 64 sequences, bit 0 = newest
  std::int64_t received_ = 0;
  std::int64_t span_ = 0;  // sequences from the first heard to the newest
  std::int64_t lastHeardMs_ = 0;
  int roundTripMs_ = 0;
  int shortestRoundTripMs_ = 0;
  bool measured_ = false;
  bool clockKnown_ = false;
  std::uint32_t leastDelta_ = 0;  // our stamp on arrival minus theirs on sending, the least seen
};

}  // namespace fl3::net
