#pragma once
#include <optional>
#include <string>

#include "net/NetMatch.h"
#include "net/SessionTypes.h"
#include "replay/Replay.h"
#include "ui/netplay/NetPlayLink.h"

namespace fl3 {

// What a client found out about a host that fell silent while this machine
// played in the running match.
enum class HostHeard { NotAsked, Answers, Silent };

// The engine's word for how a session ended, as the player is told it: a
// title of its own for every failure, so that each reads at a glance.
// `hostLabel` names the host ("192.168.1.20:61513"); `desyncReport` is where
// a desync's report was written (or why it could not be).
NetPlayEnd ClientEnd(const net::SessionEnd& end, const std::string& hostLabel, const std::string& desyncReport,
                     HostHeard heard);
NetPlayEnd HostEnd(const net::SessionEnd& end, const std::string& desyncReport);

// The match this machine played, as a replay named as a network match with
// the lobby's names; nothing before its first frame.
std::optional<Replay> ReplayOfMatch(const net::NetMatch* match, std::int64_t recordedAtSeconds, const net::Lobby& lobby,
                                    bool watched);

}  // namespace fl3
