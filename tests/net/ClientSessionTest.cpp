#include <gtest/gtest.h>

#include "NetTestKit.h"
#include "net/ClientSession.h"
#include "net/HostSession.h"

namespace fl3 {
namespace {

using namespace fl3::net;

// What a player reads when joining goes wrong: each answer of the host (or
// a level this machine cannot show) ends the session with its own words.
TEST(ClientSessionTest, JoinFailuresAreToldPlainly) {
  std::string welcome, setup, versionRefusal, passwordRefusal;
  Encode(Welcome{Role::Player, 2}, welcome);
  EncodeSetup(testing::NetTestStart(MatchNormal, 1), setup);
  Encode(Refuse{RefuseReason::Version, 7, "9.9", "x"}, versionRefusal);
  Encode(Refuse{RefuseReason::Password, kProtocolVersion, std::string(GameVersion()), "wrong password"}, passwordRefusal);
  struct Case {
    std::vector<std::string> messages;
    std::vector<std::string> wanted;  // in the end's message
  };
  const std::vector<Case> cases{
      {{versionRefusal}, {"9.9 (protocol 7)", std::string(GameVersion()) + " (protocol 1)"}},
      {{passwordRefusal}, {"Wrong password."}},
      {{welcome, setup}, {"lacks the picture A0.BMP"}},
      {{}, {"No answer from the host within 5 seconds."}},
  };
  for (const Case& c : cases) {
    GameState state;
    ClientConfig config;
    config.name = "Ann";
    config.missingPicture = [](const MatchStart&) { return std::string("A0.BMP"); };
    ClientSession session(state, config, 0);
    session.Connected(10);
    for (const std::string& message : c.messages) session.Received(Channel::Reliable, message, 20);
    session.Update(6000, nullptr);
    ASSERT_EQ(session.CurrentPhase(), Phase::Ended);
    for (const std::string& words : c.wanted) EXPECT_NE(session.Ended().message.find(words), std::string::npos) << session.Ended().message;
  }
}

// Catches a cancelled room told only to the players already in: one still
// answering the password would read of a lost connection instead.
TEST(ClientSessionTest, ACancelledRoomIsToldAlsoToAPlayerStillBeingLetIn) {
  GameState hostState, clientState;
  SystemNonces nonces;
  HostConfig config;
  config.start = testing::NetTestStart(MatchNormal, 1);
  config.seats = {HostSeat::Local, HostSeat::Network, HostSeat::Off, HostSeat::Off};
  config.password = "pw";
  config.nonces = &nonces;
  HostSession host(hostState, config);
  ClientConfig joining;
  joining.name = "Bo";
  joining.password = "pw";
  ClientSession client(clientState, joining, 0);
  host.Connected(7, 0);
  client.Connected(0);
  for (const Outgoing& hello : client.Out().Items()) host.Received(7, hello.channel, hello.bytes, 10);
  client.Out().Clear();
  host.Out().Clear();  // the challenge: not answered yet
  host.EndMatch();
  for (const Outgoing& item : host.Out().Items()) {
    if (!item.disconnect) client.Received(item.channel, item.bytes, 20);
  }
  ASSERT_EQ(client.CurrentPhase(), Phase::Ended);
  EXPECT_EQ(client.Ended().message, "The host closed the match.");
}

}  // namespace
}  // namespace fl3
