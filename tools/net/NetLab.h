#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "match/MatchStart.h"
#include "net/BadNetwork.h"
#include "net/NetMatch.h"
#include "net/SessionTypes.h"

namespace fl3::netlab {

// One network match over the in-memory link under a virtual clock: the host
// plays figure 0 (and every figure no client takes) with computer players,
// client i plays figure i with one.
struct LabSettings {
  MatchStart start;
  int clients = 3;
  // Each machine's outgoing link: [0] the host, [i] client i, [4] the spectator.
  std::array<net::ShimSettings, 5> shims{};
  int inputDelay = 0;
  int maxFrames = 0;
  std::int64_t spectatorJoinsAtMs = -1;  // -1: no spectator
  std::int64_t killClientAtMs = -1;      // client 1 dies then ...
  std::int64_t restartClientAtMs = -1;   // ... and comes back as a new process
  std::int64_t timeLimitMs = 60 * 60 * 1000;
  // Sees (and may change) every message to a client: (client index, bytes).
  std::function<void(int, std::string&)> tamper;
};

struct LabMachine {
  net::MatchStats stats;
  net::SessionEnd end;
  std::uint64_t finalHash = 0;
  int endFrame = -1;
  std::int64_t bytesSent = 0;
  std::int64_t bytesReceived = 0;
  int roundTripMs = 0;
};

struct LabResult {
  std::vector<LabMachine> machines;  // the host, the clients, then the spectator
  std::vector<net::DesyncEvidence> evidence;
  std::uint64_t playbackHash = 0;    // the host's frames played back as a replay plays
  int desyncs = 0;
  std::int64_t virtualMs = 0;
  bool timedOut = false;
};

LabResult RunLabMatch(const LabSettings& settings);

}  // namespace fl3::netlab
