#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "MachineClock.h"
#include "match/FigureControls.h"
#include "match/MatchStart.h"
#include "net/BadNetwork.h"
#include "net/HostSession.h"
#include "net/NetMatch.h"
#include "net/SessionTypes.h"

namespace fl3::netlab {

// One network match over the in-memory link under a virtual clock: the host
// plays figure 0 (and every figure no client takes) with computer players,
// client i plays figure i with one.
// A peer that sends what it likes: the test writes it.
class HostileLink {
 public:
  virtual ~HostileLink() = default;
  // Connection n (opened on first use) sends to the host.
  virtual void Send(int connection, net::Channel channel, std::string bytes) = 0;
  // What connection n has received so far.
  virtual const std::vector<std::string>& Heard(int connection) = 0;
};

struct LabSettings {
  MatchStart start;
  int clients = 3;
  int firstClientSeats = 1;  // client 1 may play two figures at one machine
  int hostileSeats = 0;  // network seats after the clients', for the hostile peer
  std::function<void(std::int64_t nowMs, HostileLink& link)> hostile;
  // Scripts instead of computer players (the host's figure 0 and each
  // client's): such a match does not depend on when controls arrive.
  bool scripted = false;
  std::array<std::vector<FigureControls>, FigureCount> scripts{};
  // Computer players asked like keys, once before each frame, for the frame
  // the input delay gives: as a player's hands are.
  bool sampledPlayers = false;
  std::string password;
  // Each machine's outgoing link: [0] the host, [i] client i, [4] the spectator.
  std::array<net::ShimSettings, 5> shims{};
  // Each machine's own clock, in the same order.
  std::array<MachineClock, 5> clocks{};
  int inputDelay = 0;
  int maxFrames = 0;
  std::int64_t spectatorJoinsAtMs = -1;  // -1: no spectator
  std::int64_t killClientAtMs = -1;      // client 1 dies then ...
  std::int64_t restartClientAtMs = -1;   // ... and comes back as a new process
  std::int64_t leaveClientAtMs = -1;     // Escape on client 1 then
  // The seat key the restarted client shows: the one it was given, none, or a
  // made-up one.
  enum class RestartKey : std::uint8_t { Kept, None, Wrong } restartKey = RestartKey::Kept;
  std::int64_t hostEscapeAtMs = -1;      // Escape on the host then
  std::int64_t hostLingerMs = 300;       // a host that is done closes this much later
  std::int64_t timeLimitMs = 60 * 60 * 1000;
  // Sees (and may change) every message to a client: (client index, bytes).
  std::function<void(int, std::string&)> tamper;
  // Called every `watchEveryMs` of true time once client 1's match runs, right
  // after its service, as its screen is drawn: its match and its own figures.
  int watchEveryMs = 0;
  std::function<void(std::int64_t trueMs, const net::NetMatch& match, std::uint8_t own)> watch;
};

struct LabMachine {
  std::string name;
  net::MatchStats stats;
  net::SessionEnd end;
  std::uint64_t finalHash = 0;
  int endFrame = -1;
  std::int64_t bytesSent = 0;
  std::int64_t bytesReceived = 0;
  int roundTripMs = 0;
  std::int64_t firstFrameAtMs = -1;  // true time its first frame was played
  int inputDelay = -1;               // the frames of input delay it played with
  std::int64_t matchOverAtMs = -1;   // true time its match's end stood, or its session ended
  std::int64_t endedAtMs = -1;       // true time its session ended
  std::vector<std::string> notices;  // what it said of the other players, each change in order

};

struct LabResult {
  net::HostStats hostStats;
  std::vector<LabMachine> machines;  // the host, the clients, then the spectator
  std::vector<net::DesyncEvidence> evidence;
  std::vector<net::SessionEvent> events;  // the host's
  std::string hostReplay;            // the host's replay file
  std::uint64_t playbackHash = 0;    // its final hash, when the replay checks out (0 otherwise)
  int desyncs = 0;
  std::int64_t virtualMs = 0;
  bool timedOut = false;
};

LabResult RunLabMatch(const LabSettings& settings);

}  // namespace fl3::netlab
