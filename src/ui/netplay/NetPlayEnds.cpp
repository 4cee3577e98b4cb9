#include "ui/netplay/NetPlayEnds.h"

#include "net/NetReplay.h"

namespace fl3 {
namespace {

bool Says(const std::string& text, const char* words) { return text.find(words) != std::string::npos; }

NetPlayEnd Refusal(const net::SessionEnd& end) {
  const std::string& text = end.message;
  if (Says(text, "password")) return {NetPlayEnd::Kind::Refused, "Wrong password", text, end.outcome};
  if (Says(text, "is full")) return {NetPlayEnd::Kind::Refused, "Match full", text, end.outcome, true};
  if (Says(text, "protocol")) return {NetPlayEnd::Kind::Refused, "Other version", text, end.outcome};
  if (Says(text, "lacks the picture")) return {NetPlayEnd::Kind::Refused, "Missing picture", text, end.outcome};
  if (Says(text, "name is taken")) return {NetPlayEnd::Kind::Refused, "Name taken", text, end.outcome};
  if (Says(text, "nobody watch")) return {NetPlayEnd::Kind::Refused, "No spectators", text, end.outcome};
  if (Says(text, "already begun")) {
    return {NetPlayEnd::Kind::Refused, "Match begun",
            text + " You can watch it now, and play in the host's next match from its waiting room. A player who "
                   "dropped out of this match gets back in by joining again from the same game within a minute "
                   "under the same name.",
            end.outcome, true};
  }
  return {NetPlayEnd::Kind::Refused, "Cannot join", text, end.outcome};
}

NetPlayEnd Desync(const net::SessionEnd& end, const std::string& report) {
  return {NetPlayEnd::Kind::Desync, "Out of step", end.message + "\nThe match cannot go on. " + report, end.outcome};
}

// Only a host that still answers can take a dropped player back.
NetPlayEnd HostLost(const net::SessionEnd& end, HostHeard heard) {
  switch (heard) {
    case HostHeard::Answers:
      return {NetPlayEnd::Kind::HostGone, "Connection lost",
              "The connection to the host was lost, but the host still answers: its match goes on without you. "
              "Joining again from this game within a minute under the same name gives you your figure back.",
              end.outcome};
    case HostHeard::Silent:
      return {NetPlayEnd::Kind::HostGone, "Host gone",
              "Nothing more came from the host, and it does not answer: it has left the match, or the network "
              "between you is down.",
              end.outcome};
    case HostHeard::NotAsked: break;
  }
  return {NetPlayEnd::Kind::HostGone, "Host gone", end.message.empty() ? "The host has gone." : end.message, end.outcome};
}

}  // namespace

NetPlayEnd ClientEnd(const net::SessionEnd& end, const std::string& hostLabel, const std::string& desyncReport,
                     HostHeard heard) {
  using net::EndReason;
  switch (end.reason) {
    case EndReason::Over:
      if (end.outcome.end == MatchEnd::Quit) {
        return {NetPlayEnd::Kind::HostEnded, "Match ended", "The host ended the match.", end.outcome};
      }
      return {NetPlayEnd::Kind::Over, "", "", end.outcome};
    case EndReason::Dropped: return {NetPlayEnd::Kind::Left, "", "", end.outcome};
    case EndReason::Refused: return Refusal(end);
    case EndReason::Desync: return Desync(end, desyncReport);
    case EndReason::Excluded: return {NetPlayEnd::Kind::Failed, "Dropped by the host", end.message, end.outcome};
    case EndReason::HostLeft: break;
  }
  if (Says(end.message, "No answer")) {
    return {NetPlayEnd::Kind::Refused, "No answer",
            "No answer from " + hostLabel + " within 5 seconds. Is the address right, has the host opened its "
            "waiting room, and does the router let the UDP port through?", end.outcome};
  }
  return HostLost(end, heard);
}

std::optional<Replay> ReplayOfMatch(const net::NetMatch* match, std::int64_t recordedAtSeconds, const net::Lobby& lobby,
                                    bool watched) {
  if (match == nullptr || match->Runner().Standing() == 0) return std::nullopt;
  Replay replay = net::ReplayOf(*match, recordedAtSeconds);
  net::NameNetworkReplay(replay, lobby, watched);
  return replay;
}

NetPlayEnd HostEnd(const net::SessionEnd& end, const std::string& desyncReport) {
  if (end.reason == net::EndReason::Desync) return Desync(end, desyncReport);
  if (end.reason == net::EndReason::Over || end.reason == net::EndReason::HostLeft) {
    return {NetPlayEnd::Kind::Over, "", "", end.outcome};
  }
  return {NetPlayEnd::Kind::Failed, "Network match", end.message, end.outcome};
}

}  // namespace fl3
