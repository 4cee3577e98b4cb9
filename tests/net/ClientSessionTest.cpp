#include <gtest/gtest.h>

#include "NetTestKit.h"
#include "net/ClientSession.h"

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

}  // namespace
}  // namespace fl3
