#pragma once
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

#include "net/HostSession.h"
#include "net/NetMatch.h"
#include "net/SessionTypes.h"

namespace fl3::netlab {

// What one machine prints when its match is over.
struct MachineSummary {
  std::string mode;
  net::SessionEnd end;
  net::MatchStats stats;
  int frames = 0;  // the match's frames (to its end), or those played when cut short
  std::uint64_t finalHash = 0;
  int desyncs = 0;
  std::string desyncReport;
  std::string replays;  // the folder the replay went to
  int roundTripMs = 0;
  int lossPerMille = -1;
  double seconds = 0;
  std::uint64_t bytesSent = 0, bytesReceived = 0;
  double cpuSeconds = 0;
  std::optional<net::HostStats> hostStats;

  void TakeMatch(const net::NetMatch& match) {
    stats = match.Stats();
    frames = match.EndFrame() >= 0 ? match.EndFrame() + 1 : match.Runner().Standing();
    finalHash = match.FinalHash();
  }
};

void WriteSummary(const MachineSummary& summary, std::ostream& out);
const char* ReasonName(net::EndReason reason);
std::string HashText(std::uint64_t hash);

}  // namespace fl3::netlab
