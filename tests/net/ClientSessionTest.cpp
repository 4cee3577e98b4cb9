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
      {{versionRefusal}, {"9.9 (protocol 7)", std::string(GameVersion()) + " (protocol " + std::to_string(kProtocolVersion) + ")"}},
      {{passwordRefusal}, {"Wrong password."}},
      {{welcome, setup}, {"lacks the picture A0.BMP"}},
      {{}, {"did not answer this machine's greeting within 20 seconds."}},
  };
  for (const Case& c : cases) {
    GameState state;
    ClientConfig config;
    config.name = "Ann";
    config.missingPicture = [](const MatchStart&) { return std::string("A0.BMP"); };
    ClientSession session(state, config, 0);
    session.Connected(10);
    for (const std::string& message : c.messages) session.Received(Channel::Reliable, message, 20);
    session.Update(21000, nullptr);
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
  host.Connected(7, 0, 0);
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

ClientConfig PlayerDi() {
  ClientConfig config;
  config.name = "Di";
  return config;
}

// Connected, given figure 1 and the match's setup, as a host does.
void Seat(ClientSession& session, std::int64_t nowMs) {
  std::string welcome, setup;
  Encode(Welcome{Role::Player, 0b0010, {}}, welcome);
  EncodeSetup(testing::NetTestStart(MatchMostKills, 2), setup);
  session.Connected(nowMs);
  session.Received(Channel::Reliable, welcome, nowMs);
  session.Received(Channel::Reliable, setup, nowMs);
}

// A Start that came almost a second late (lost and sent again), or never:
// the client makes up the frames it missed at once, as far as its window
// allows, rather than running behind and holding the host up; without the
// Start it begins from the host's frames. Catches a late start kept late,
// and a player waiting in the lobby while the match runs without it.
TEST(ClientSessionTest, AStartThatCameLateOrNeverIsMadeUpAtOnce) {
  for (const bool startCame : {true, false}) {
    std::string frames, start;
    Frames heard;  // the host's clock: it sent this at 5000, 18 frames into the match
    heard.link.sentMs = 5000;
    heard.played = 18;
    Encode(heard, frames);
    Encode(Start{4100, 4050}, start);  // frame 0 at 4100 on the host's clock
    GameState state;
    ClientSession session(state, PlayerDi(), 0);
    Seat(session, 10);
    session.Received(Channel::Unsequenced, frames, 100);
    if (startCame) session.Received(Channel::Reliable, start, 110);
    session.Update(120, nullptr);
    ASSERT_EQ(session.CurrentPhase(), Phase::Running) << startCame;
    EXPECT_EQ(session.Match()->Runner().Current(), RollbackRunner::kWindow) << startCame;
  }
}

// The Start is the first stamped word from a host whose clock reads 10^9 ms
// (11 days) ahead of this one: frame 0, due 200 ms after it was sent, is
// played then, not at once and not in 11 days. Catches the host's time read
// before the offset between the clocks is taken from a stamped message.
TEST(ClientSessionTest, AStartFromAClockDaysAheadIsPlayedOnTime) {
  constexpr std::uint32_t kHostNow = 1'000'000'000;
  std::string start;
  Encode(Start{kHostNow + 200, kHostNow}, start);
  GameState state;
  ClientSession session(state, PlayerDi(), 0);
  Seat(session, 10);
  session.Received(Channel::Reliable, start, 20);
  session.Update(100, nullptr);
  EXPECT_NE(session.CurrentPhase(), Phase::Running);
  session.Update(260, nullptr);
  ASSERT_EQ(session.CurrentPhase(), Phase::Running);
  EXPECT_LE(session.Match()->Runner().Current(), 3);
}

// A spectator a few frames behind whose host goes (its end message lost, or
// the host closed at once) holds every frame to the end: it plays them and
// ends the match as over, on its last frame. Catches a spectator stopping
// short with "the connection was lost".
TEST(ClientSessionTest, ASpectatorWhoseHostGoesPlaysTheConfirmedFramesToTheLast) {
  constexpr int kLast = 12;  // Escape in this frame ends the match
  std::string welcome, setup, start, frames;
  Encode(Welcome{Role::Spectator, 0, {}}, welcome);
  EncodeSetup(testing::NetTestStart(MatchMostKills, 2), setup);
  Encode(Start{1000, 900}, start);
  Frames confirmed;
  confirmed.link.sentMs = 950;
  confirmed.count = kLast + 1;
  ControlFrame quit;
  quit.escape = true;
  confirmed.frames[kLast] = quit.Pack();
  Encode(confirmed, frames);
  GameState state;
  ClientConfig config;
  config.name = "Cy";
  config.role = Role::Spectator;
  ClientSession session(state, config, 0);
  session.Connected(0);
  for (const std::string* message : {&welcome, &setup, &start}) session.Received(Channel::Reliable, *message, 10);
  session.Update(200, nullptr);  // the first frame's time has come
  session.Received(Channel::Unsequenced, frames, 210);
  session.Update(220, nullptr);  // it plays all but the last few
  ASSERT_EQ(session.CurrentPhase(), Phase::Running);
  ASSERT_LT(session.Match()->Runner().Current(), kLast);
  session.Disconnected(230);
  EXPECT_EQ(session.Ended().reason, EndReason::Over) << session.Ended().message;
  EXPECT_EQ(session.Ended().frame, kLast);
  EXPECT_EQ(session.Ended().outcome.end, MatchEnd::Quit);
}

}  // namespace
}  // namespace fl3
