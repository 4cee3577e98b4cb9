#include "ui/netplay/NetPlayEnds.h"

#include "net/NetReplay.h"

namespace fl3 {
namespace {

bool Says(const std::string& text, const char* words) { return text.find(words) != std::string::npos; }

// The engine's refusals, by what they say.
std::string RefusalTitle(const std::string& text) {
  if (Says(text, "password")) return "Wrong password";
  if (Says(text, "is full")) return "Match full";
  if (Says(text, "protocol")) return "Other version";
  if (Says(text, "lacks the picture")) return "Missing picture";
  return "Cannot join";
}

NetPlayEnd Desync(const net::SessionEnd& end, const std::string& report) {
  return {NetPlayEnd::Kind::Desync, "Out of step",
          end.message + "\nThe match cannot go on. " + report, end.outcome};
}

}  // namespace

NetPlayEnd ClientEnd(const net::SessionEnd& end, const std::string& hostLabel, const std::string& desyncReport,
                     bool matchBegun) {
  using net::EndReason;
  switch (end.reason) {
    case EndReason::Over:
      if (end.outcome.end == MatchEnd::Quit) {
        return {NetPlayEnd::Kind::HostEnded, "Match ended", "The host ended the match.", end.outcome};
      }
      return {NetPlayEnd::Kind::Over, "", "", end.outcome};
    case EndReason::Dropped: return {NetPlayEnd::Kind::Left, "", "", end.outcome};
    case EndReason::Refused:
      return {NetPlayEnd::Kind::Refused, RefusalTitle(end.message), end.message, end.outcome};
    case EndReason::Desync: return Desync(end, desyncReport);
    case EndReason::HostLeft: break;
  }
  if (Says(end.message, "No answer")) {
    return {NetPlayEnd::Kind::Refused, "No answer",
            "No answer from " + hostLabel + " within 5 seconds. Is the address right, has the host opened its "
            "waiting room, and does the router let the UDP port through?", end.outcome};
  }
  const std::string said = end.message.empty() ? std::string("The host has gone.") : end.message;
  // The host keeps a dropped player's figures for a minute.
  return {NetPlayEnd::Kind::HostGone, "Host gone",
          matchBegun ? said + " If the host's match goes on, joining again within a minute under the same name "
                              "gives you your figure back."
                     : said,
          end.outcome};
}

std::optional<Replay> ReplayOfMatch(const net::NetMatch* match, std::int64_t recordedAtSeconds) {
  if (match == nullptr || match->Runner().Standing() == 0) return std::nullopt;
  return net::ReplayOf(*match, recordedAtSeconds);
}

NetPlayEnd HostEnd(const net::SessionEnd& end, const std::string& desyncReport) {
  if (end.reason == net::EndReason::Desync) return Desync(end, desyncReport);
  if (end.reason == net::EndReason::Over || end.reason == net::EndReason::HostLeft) {
    return {NetPlayEnd::Kind::Over, "", "", end.outcome};
  }
  return {NetPlayEnd::Kind::Failed, "Network match", end.message, end.outcome};
}

}  // namespace fl3
