#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "NetLab.h"
#include "NetTestKit.h"
#include "net/PasswordProof.h"

namespace fl3 {
namespace {

using namespace fl3::net;

// Scripted players: such a match is the same however its messages travel,
// so a run with a hostile peer can be held against a run without.
netlab::LabSettings ScriptedMatch() {
  netlab::LabSettings settings;
  settings.start = testing::NetTestStart(MatchMostKills, 9, 30);
  settings.scripted = true;
  settings.password = "open sesame";
  std::mt19937 random(4);
  for (int figure = 0; figure < 3; ++figure) {
    auto& script = settings.scripts[static_cast<std::size_t>(figure)];
    while (script.size() < 700) script.insert(script.end(), 3 + random() % 20, UnpackFigure(random() % 32));
  }
  for (std::size_t i = 0; i < settings.shims.size(); ++i) settings.shims[i] = {40, 10, 0.03, 0.01, 0.01, 50 + i};
  return settings;
}

std::string HelloFrom(const std::string& name, const std::string& version) {
  std::string bytes;
  Encode(Hello{kProtocolVersion, version, Role::Player, 1, name}, bytes);
  return bytes;
}

const std::string* FirstOfType(const std::vector<std::string>& heard, MessageType type) {
  for (const std::string& bytes : heard) {
    if (TypeOf(bytes) == static_cast<std::uint8_t>(type)) return &bytes;
  }
  return nullptr;
}

// What the hostile peer has done so far.
struct Mischief {
  bool hello = false, answered = false, otherHellos = false, wrongAnswer = false, junk = false;
  std::int64_t startedMs = -1, lastTickMs = 0, floodedUntilMs = 0;
};

// A player who knows the password and takes a seat, then sends controls for
// another's figure, truncated, oversized and unknown messages and a flood of
// 10,000 a second; beside it, joins with a wrong version and a wrong
// password. The honest machines' match ends exactly as without it.
TEST(HostileClientTest, TheOthersMatchEndsAsItWouldHave) {
  netlab::LabSettings quiet = ScriptedMatch();  // figure 3 held by an honest player who holds nothing
  const netlab::LabResult baseline = RunLabMatch(quiet);
  ASSERT_FALSE(baseline.timedOut);
  ASSERT_NE(baseline.playbackHash, 0u);

  netlab::LabSettings settings = ScriptedMatch();
  settings.clients = 2;
  settings.hostileSeats = 1;
  auto mischief = std::make_shared<Mischief>();
  settings.hostile = [mischief](std::int64_t now, netlab::HostileLink& link) {
    Mischief& m = *mischief;
    // After the honest players have their seats, so that it takes the last one.
    if (now >= 1500 && !m.hello) m.hello = true, link.Send(0, Channel::Reliable, HelloFrom("mallory", std::string(GameVersion())));
    if (const std::string* bytes = FirstOfType(link.Heard(0), MessageType::Challenge); bytes && !m.answered) {
      Challenge challenge;
      PasswordKey key;
      ASSERT_TRUE(Decode(*bytes, challenge) && DeriveKey("open sesame", challenge.salt, key));
      std::string answer;
      Encode(Answer{Prove(key, challenge.nonce, "mallory")}, answer);
      link.Send(0, Channel::Reliable, answer);
      m.answered = true;
    }
    if (now >= 2000 && !m.otherHellos) {
      m.otherHellos = true;
      link.Send(1, Channel::Reliable, HelloFrom("old", "0.0-hostile"));
      link.Send(2, Channel::Reliable, HelloFrom("eve", std::string(GameVersion())));
    }
    if (FirstOfType(link.Heard(2), MessageType::Challenge) && !m.wrongAnswer) {
      m.wrongAnswer = true;
      std::string answer;
      Encode(Answer{}, answer);
      link.Send(2, Channel::Reliable, answer);
    }
    if (m.startedMs < 0 && FirstOfType(link.Heard(0), MessageType::Start)) m.startedMs = now;
    if (m.startedMs < 0 || now - m.lastTickMs < 51) return;
    m.lastTickMs = now;
    // Its own figure holds nothing; the figure after it is somebody else's.
    Inputs inputs;
    inputs.figures = 0b1010;
    const int frame = static_cast<int>((now - m.startedMs) / 51);
    inputs.firstInput = static_cast<std::uint32_t>(std::max(0, frame - 8));
    inputs.inputCount = 12;
    for (int i = 0; i < 12; ++i) inputs.inputs[static_cast<std::size_t>(2 * i)] = 0x1F;
    std::string bytes;
    Encode(inputs, bytes);
    link.Send(0, Channel::Unsequenced, bytes);
    if (now - m.startedMs > 4000 && !m.junk) {
      m.junk = true;
      link.Send(0, Channel::Unsequenced, bytes.substr(0, bytes.size() / 2));
      link.Send(0, Channel::Reliable, std::string(200'000, '\x0A'));
      link.Send(0, Channel::Reliable, std::string(1, '\x7F'));
    }
    if (now - m.startedMs > 6000 && m.floodedUntilMs == 0) m.floodedUntilMs = now + 1000;
    for (int i = 0; now < m.floodedUntilMs && i < 510; ++i) link.Send(0, Channel::Unsequenced, bytes);  // 10,000 a second
  };
  const netlab::LabResult result = RunLabMatch(settings);
  ASSERT_FALSE(result.timedOut);
  ASSERT_EQ(result.machines.size(), 3u);
  for (const netlab::LabMachine& machine : result.machines) {
    EXPECT_EQ(machine.end.reason, EndReason::Over) << machine.end.message;
    EXPECT_EQ(machine.finalHash, baseline.playbackHash);
  }
  EXPECT_GT(result.hostStats.othersSeats, 0);
  EXPECT_GT(result.hostStats.malformed, 0);
  EXPECT_EQ(result.hostStats.excluded, 1);
  EXPECT_GE(result.hostStats.refused, 2);
}

// The refusals themselves: a wrong version names both, a wrong password
// says so, and neither answer is larger than the greeting that caused it.
TEST(HostileClientTest, WrongVersionAndPasswordAreRefusedPlainly) {
  netlab::LabSettings settings = ScriptedMatch();
  settings.start.timeLeftMs = 3000;
  std::vector<std::string> heardVersion, heardPassword;
  bool sent = false, answered = false;
  settings.hostile = [&](std::int64_t now, netlab::HostileLink& link) {
    if (!sent) {
      sent = true;
      link.Send(1, Channel::Reliable, HelloFrom("old", "0.0-hostile"));
      link.Send(2, Channel::Reliable, HelloFrom("eve", std::string(GameVersion())));
    }
    if (!answered && FirstOfType(link.Heard(2), MessageType::Challenge)) {
      answered = true;
      std::string answer;
      Encode(Answer{}, answer);
      link.Send(2, Channel::Reliable, answer);
    }
    heardVersion = link.Heard(1), heardPassword = link.Heard(2);
    (void)now;
  };
  ASSERT_FALSE(RunLabMatch(settings).timedOut);
  Refuse refuse;
  const std::string* version = FirstOfType(heardVersion, MessageType::Refuse);
  ASSERT_TRUE(version && Decode(*version, refuse));
  EXPECT_EQ(refuse.reason, RefuseReason::Version);
  EXPECT_EQ(refuse.hostVersion, GameVersion());
  EXPECT_NE(refuse.text.find("0.0-hostile"), std::string::npos);
  EXPECT_LE(version->size(), kRequestBytes);
  const std::string* password = FirstOfType(heardPassword, MessageType::Refuse);
  ASSERT_TRUE(password && Decode(*password, refuse));
  EXPECT_EQ(refuse.reason, RefuseReason::Password);
  EXPECT_LE(password->size(), kRequestBytes);
}

}  // namespace
}  // namespace fl3
