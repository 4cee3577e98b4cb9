#include <gtest/gtest.h>

#include <map>

#include "HostileKit.h"
#include "NetLab.h"
#include "net/AddressGate.h"
#include "net/ClientSession.h"
#include "net/HostSession.h"
#include "net/LinkMeter.h"

namespace fl3 {
namespace {

using namespace fl3::net;
using testing::FirstOfType;
using testing::HelloFrom;

// What each hostile connection was told: its refusal, or nothing.
std::map<int, Refuse> Refusals(const std::map<int, std::vector<std::string>>& heard) {
  std::map<int, Refuse> refusals;
  for (const auto& [connection, messages] : heard) {
    Refuse refuse;
    if (const std::string* bytes = FirstOfType(messages, MessageType::Refuse); bytes && Decode(*bytes, refuse)) {
      EXPECT_LE(bytes->size(), kRequestBytes) << connection;  // never more back than the greeting
      refusals[connection] = refuse;
    }
  }
  return refusals;
}

// Beside an honest match behind a password: an older game, a second "player
// 1" and a second "host" (the host's own player) in the waiting room, players greeting the running match with a seated
// player's name (with no seat key or a made-up one), and a spectator's
// overheard answer replayed on a new connection. Each is turned away, and
// the honest match ends as it would have. Catches names compared letter
// case and all, a running seat taken by name, and a proof not bound to the
// challenge of its own connection.
TEST(JoinGuardTest, GreetingsTheHostTurnsAway) {
  const netlab::LabResult baseline = RunLabMatch(testing::ScriptedMatch());
  netlab::LabSettings settings = testing::ScriptedMatch();
  settings.clients = 2;
  settings.hostileSeats = 1;
  std::map<int, std::vector<std::string>> heard;
  std::map<int, bool> sent;
  std::string overheard;
  settings.hostile = [&](std::int64_t now, netlab::HostileLink& link) {
    auto once = [&](int connection, std::int64_t at, const std::string& bytes) {
      if (now >= at && !sent[connection]) sent[connection] = true, link.Send(connection, Channel::Reliable, bytes);
    };
    auto answer = [&](int connection, const std::string& name) {
      const std::string* challenge = FirstOfType(link.Heard(connection), MessageType::Challenge);
      if (challenge && !sent[100 + connection]) {
        sent[100 + connection] = true;
        const std::string bytes = connection == 6 ? overheard : testing::AnswerTo(*challenge, testing::kPassword, name);
        if (connection == 5) overheard = bytes;
        link.Send(connection, Channel::Reliable, bytes);
      }
    };
    once(7, 0, HelloFrom("old", "0.0-hostile"));
    once(1, 300, HelloFrom("PLAYER 1"));
    once(4, 400, HelloFrom("HOST"));
    once(0, 1500, HelloFrom("mallory"));
    once(2, 4000, HelloFrom("player 2"));
    once(3, 4000, HelloFrom("Player 2", std::string(GameVersion()), Role::Player, SeatKey{7}));
    if (FirstOfType(link.Heard(0), MessageType::Setup) && !sent[200]) {  // mallory holds the setup
      sent[200] = true;
      link.Send(0, Channel::Unsequenced, testing::Ready({}, 0b1000));
    }
    once(5, 5000, HelloFrom("eve", std::string(GameVersion()), Role::Spectator));
    if (FirstOfType(link.Heard(5), MessageType::Welcome)) once(6, 0, HelloFrom("eve", std::string(GameVersion()), Role::Spectator));
    for (const auto& [connection, name] : std::map<int, std::string>{{0, "mallory"}, {1, "PLAYER 1"}, {2, "player 2"}, {4, "HOST"},
                                                                     {3, "Player 2"}, {5, "eve"}, {6, "eve"}}) {
      answer(connection, name);
    }
    for (const int connection : {0, 1, 2, 3, 4, 5, 6, 7}) heard[connection] = link.Heard(connection);
  };
  const netlab::LabResult result = RunLabMatch(settings);
  ASSERT_FALSE(result.timedOut);
  for (const netlab::LabMachine& machine : result.machines) {
    EXPECT_EQ(machine.end.reason, EndReason::Over) << machine.name << ": " << machine.end.message;
    EXPECT_EQ(machine.finalHash, baseline.playbackHash) << machine.name;
  }
  const std::map<int, Refuse> refusals = Refusals(heard);
  ASSERT_EQ(refusals.size(), 6u);
  EXPECT_EQ(refusals.at(7).reason, RefuseReason::Version);
  EXPECT_EQ(refusals.at(7).hostVersion, GameVersion());
  EXPECT_NE(refusals.at(7).text.find("0.0-hostile"), std::string::npos);
  for (const int connection : {1, 2, 3, 4}) {
    EXPECT_EQ(refusals.at(connection).reason, RefuseReason::Name) << connection;
    EXPECT_EQ(refusals.at(connection).text, "That name is taken") << connection;
  }
  EXPECT_EQ(refusals.at(6).reason, RefuseReason::Password);
  EXPECT_TRUE(FirstOfType(heard[5], MessageType::Welcome));
}

// Six connections from one address at once, each with a wrong answer: two
// are turned away unheard (four may wait at once), the first answer is
// checked and the others are refused unchecked, and the address waits 1 s,
// then 2 s, ... up to a minute; the honest players at other addresses join
// in the very same moments. Catches a limit shared by every address (the
// guesser keeping the others out), answers checked during the wait, and a
// wait that does not grow or grows without bound.
TEST(JoinGuardTest, GuessingWaitsLongerPerAddressAndOthersStillJoin) {
  netlab::LabSettings settings = testing::ScriptedMatch();
  std::map<int, std::vector<std::string>> heard;
  std::map<int, bool> answered;
  settings.hostile = [&](std::int64_t now, netlab::HostileLink& link) {
    for (int connection = 0; connection < 8; ++connection) {
      const std::int64_t at = connection < 6 ? 0 : connection == 6 ? 1100 : 1300;
      if (now >= at && !answered[connection]) {
        answered[connection] = true;
        link.Send(connection, Channel::Reliable, HelloFrom("g" + std::to_string(connection)));
      }
      const std::string* challenge = FirstOfType(link.Heard(connection), MessageType::Challenge);
      if (challenge && !answered[100 + connection]) {
        answered[100 + connection] = true;
        link.Send(connection, Channel::Reliable, testing::AnswerTo(*challenge, "guess", "g" + std::to_string(connection)));
      }
      heard[connection] = link.Heard(connection);
    }
  };
  const netlab::LabResult result = RunLabMatch(settings);
  ASSERT_FALSE(result.timedOut);
  ASSERT_EQ(result.machines.size(), 4u);
  for (const netlab::LabMachine& machine : result.machines) EXPECT_EQ(machine.end.reason, EndReason::Over) << machine.name;
  const std::map<int, Refuse> refusals = Refusals(heard);
  ASSERT_EQ(refusals.size(), 6u);
  std::map<std::string, int> told;  // of the six at once
  for (const auto& [connection, refuse] : refusals) {
    EXPECT_EQ(refuse.reason, RefuseReason::Password) << connection;
    if (connection < 6) ++told[refuse.text];
  }
  EXPECT_EQ(told, (std::map<std::string, int>{{"wrong password", 1}, {"wrong passwords; try again in 1 s", 3}}));
  EXPECT_EQ(refusals.at(6).text, "wrong password");
  EXPECT_EQ(refusals.at(7).text, "wrong passwords; try again in 2 s");
  AddressGate gate;
  std::int64_t now = 0;
  for (const std::int64_t wait : {1000, 2000, 4000, 8000, 16000, 32000, 60000, 60000}) {
    gate.WrongAnswer(1, now);
    EXPECT_EQ(gate.WaitMs(1, now), wait);
    EXPECT_EQ(gate.WaitMs(2, now), 0);
    now += wait;
    EXPECT_EQ(gate.WaitMs(1, now), 0);
  }
  gate.RightAnswer(1);
  gate.WrongAnswer(1, now);
  EXPECT_EQ(gate.WaitMs(1, now), 1000);
}

// Sixteen spectators fill their places; one floods and is put out, and a
// newcomer takes its place at once; greetings the host refuses leave
// nothing behind. Catches a peer put out that keeps its place (and state)
// until a disconnect event that never comes.
TEST(JoinGuardTest, PlacesAndPeersAreFreedAtOnce) {
  GameState state;
  HostConfig config;
  config.start = testing::NetTestStart(MatchNormal, 1);
  config.seats = {HostSeat::Computer, HostSeat::Network, HostSeat::Off, HostSeat::Off};
  HostSession host(state, config);
  const auto watcher = [&](PeerId id, const std::string& name, const std::string& version) {
    host.Connected(id, id, 0);
    host.Received(id, Channel::Reliable, HelloFrom(name, version, Role::Spectator), 0);
  };
  for (PeerId id = 1; id <= kMaxSpectators; ++id) watcher(id, "w" + std::to_string(id), std::string(GameVersion()));
  ASSERT_EQ(host.LobbyView().spectators, kMaxSpectators);
  for (int i = 0; i < 200; ++i) host.Received(1, Channel::Unsequenced, std::string(1, '\x0B'), 10);
  EXPECT_EQ(host.LobbyView().spectators, kMaxSpectators - 1);
  watcher(100, "late", std::string(GameVersion()));
  EXPECT_EQ(host.LobbyView().spectators, kMaxSpectators);
  for (PeerId id = 200; id < 220; ++id) watcher(id, "old", "0.0-old");
  EXPECT_EQ(host.PeerCount(), static_cast<std::size_t>(kMaxSpectators));
}

// A joining machine keeps the line alive from its greeting on (its welcome
// may be lost and sent again for seconds); the host neither refuses those
// messages before it lets the machine in nor drops it for silence after,
// and starts only once the player says it holds the match's setup. Catches
// a slow welcome costing a player its seat, and a Start sent to a player
// that cannot start yet.
TEST(JoinGuardTest, AJoiningPlayerIsKeptAndWaitedForUntilItHoldsTheSetup) {
  ClientConfig config;
  config.name = "Ann";
  GameState clientState;
  ClientSession client(clientState, config, 0);
  client.Connected(0);
  client.Update(100, nullptr);
  ASSERT_EQ(client.Out().Items().size(), 2u);  // the greeting and a stamped message after it
  EXPECT_EQ(client.Out().Items()[1].channel, Channel::Unsequenced);

  GameState state;
  HostConfig host;
  host.start = testing::NetTestStart(MatchNormal, 1);
  host.seats = {HostSeat::Computer, HostSeat::Network, HostSeat::Off, HostSeat::Off};
  HostSession session(state, host);
  session.Connected(1, 1, 0);
  LinkMeter link;
  session.Received(1, Channel::Unsequenced, testing::Ready(link.Stamp(0), 0), 0);  // before its greeting came
  session.Received(1, Channel::Reliable, HelloFrom("Ann"), 10);
  for (std::int64_t now = 100; now <= 5000; now += 100) {
    session.Received(1, Channel::Unsequenced, testing::Ready(link.Stamp(now), 0), now);
    session.Update(now, nullptr);
  }
  EXPECT_EQ(session.LobbyView().seats[1].state, SeatState::Taken);
  EXPECT_FALSE(session.AllSeatsTaken());
  session.Received(1, Channel::Unsequenced, testing::Ready(link.Stamp(5100), 0b0010), 5100);
  EXPECT_TRUE(session.AllSeatsTaken());
}

}  // namespace
}  // namespace fl3
