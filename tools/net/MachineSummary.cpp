#include "MachineSummary.h"

#include <cstdio>
#include <ostream>

#include <nlohmann/json.hpp>

namespace fl3::netlab {

const char* ReasonName(net::EndReason reason) {
  switch (reason) {
    case net::EndReason::Over: return "over";
    case net::EndReason::HostLeft: return "host left";
    case net::EndReason::Desync: return "desync";
    case net::EndReason::Refused: return "refused";
    case net::EndReason::Dropped: return "left";
    case net::EndReason::Excluded: return "excluded";
  }
  return "?";
}

namespace {

double PerSecond(std::uint64_t bytes, double seconds) { return seconds > 0 ? static_cast<double>(bytes) / seconds : 0; }

}  // namespace

std::string HashText(std::uint64_t hash) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

void WriteSummary(const MachineSummary& summary, std::ostream& out) {
  nlohmann::ordered_json json;
  json["mode"] = summary.mode;
  json["end"] = ReasonName(summary.end.reason);
  if (!summary.end.message.empty()) json["message"] = summary.end.message;
  json["frames"] = summary.frames;
  json["rollbacks"] = summary.stats.rollbacks;
  json["deepestRollback"] = summary.stats.deepestRollback;
  json["framesReplayed"] = summary.stats.framesReplayed;
  json["framesWaited"] = summary.stats.framesWaited;
  json["msWaited"] = summary.stats.waitedMs;
  json["seconds"] = summary.seconds;
  json["bytesSentPerSecond"] = PerSecond(summary.bytesSent, summary.seconds);
  json["bytesReceivedPerSecond"] = PerSecond(summary.bytesReceived, summary.seconds);
  json["roundTripMs"] = summary.roundTripMs;
  if (summary.lossPerMille >= 0) json["lossPercent"] = summary.lossPerMille / 10.0;
  json["cpuPercent"] = summary.seconds > 0 ? 100.0 * summary.cpuSeconds / summary.seconds : 0.0;
  json["finalHash"] = HashText(summary.finalHash);
  json["desyncs"] = summary.desyncs;
  if (!summary.desyncReport.empty()) json["desyncReport"] = summary.desyncReport;
  if (!summary.replays.empty()) json["replays"] = summary.replays;
  if (summary.hostStats) {
    json["dropped"] = {{"malformed", summary.hostStats->malformed}, {"othersSeats", summary.hostStats->othersSeats},
                       {"excludedPeers", summary.hostStats->excluded}, {"refusedJoins", summary.hostStats->refused}};
    json["hashesCompared"] = summary.hostStats->hashesCompared;
  }
  out << json.dump() << "\n";
}

}  // namespace fl3::netlab
