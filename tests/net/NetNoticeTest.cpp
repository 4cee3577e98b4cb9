// What every machine tells its player when another one goes, and how soon
// the host's Escape ends the match everywhere, over the worst link we aim for.
#include <gtest/gtest.h>

#include <algorithm>

#include "NetLab.h"
#include "NetTestKit.h"

namespace fl3 {
namespace {

using netlab::LabSettings;
using netlab::RunLabMatch;

// 400 ms round trip, 10 % loss each way.
LabSettings WorstLink(std::uint64_t seed) {
  LabSettings settings;
  settings.start = testing::NetTestStart(MatchMostLives, seed);
  for (std::size_t i = 0; i < settings.shims.size(); ++i) settings.shims[i] = {200, 20, 0.10, 0.01, 0.01, seed * 10 + i};
  settings.spectatorJoinsAtMs = 0;
  return settings;
}

bool Says(const std::vector<std::string>& notices, const std::string& text) {
  return std::find(notices.begin(), notices.end(), text) != notices.end();
}

// Each case catches a way the Escape could hang a machine: a client that
// waits for the host's end message (lost here in the second case) before
// its screen ends, a host whose screen waits for every hash, a spectator
// left playing behind.
TEST(NetNoticeTest, TheHostsEscapeEndsEveryMachineWithinASecond) {
  struct Case { std::uint64_t seed; bool endLost; };
  for (const Case c : {Case{3, false}, Case{4, true}, Case{5, false}}) {
    LabSettings settings = WorstLink(c.seed);
    settings.hostEscapeAtMs = 9'000;
    if (c.endLost) {
      settings.tamper = [](int, std::string& bytes) {
        if (net::TypeOf(bytes) == static_cast<std::uint8_t>(net::MessageType::End)) bytes.clear();
      };
    }
    const netlab::LabResult result = RunLabMatch(settings);
    SCOPED_TRACE("seed " + std::to_string(c.seed));
    ASSERT_FALSE(result.timedOut);
    ASSERT_EQ(result.machines.size(), 5u);
    for (std::size_t i = 0; i < result.machines.size(); ++i) {
      const netlab::LabMachine& machine = result.machines[i];
      SCOPED_TRACE(i == 0 ? std::string("host") : machine.name);
      EXPECT_EQ(machine.end.outcome.end, MatchEnd::Quit);  // read as "Match ended", never a lost host
      EXPECT_EQ(machine.endFrame, result.machines[0].endFrame);
      EXPECT_GE(machine.matchOverAtMs, settings.hostEscapeAtMs);
      EXPECT_LE(machine.matchOverAtMs, settings.hostEscapeAtMs + 1000);
      if (i > 0) { EXPECT_LE(machine.endedAtMs, settings.hostEscapeAtMs + 1000); }
      EXPECT_EQ(machine.end.reason, net::EndReason::Over) << machine.end.message;
    }
  }
}

// A client's machine dies, or its player presses Escape: every other
// machine names it, first as lost with the wait left (never "0 s"), then as
// gone with its figure standing; one that said it leaves is never called
// lost. Catches a notice only the host sees, a count that runs to nothing,
// a leaving player taken for a lost one, and the wrong player named.
TEST(NetNoticeTest, EveryMachineNamesAPlayerWhoDropsOrLeaves) {
  const std::string lost = "player 1's connection is lost: waiting 2 s";
  const std::string gone = "player 1 has left; player 1's figure stands";
  for (const bool killed : {true, false}) {
    LabSettings settings = WorstLink(7);
    settings.start.timeLeftMs = 30'000;
    (killed ? settings.killClientAtMs : settings.leaveClientAtMs) = 8'000;
    const netlab::LabResult result = RunLabMatch(settings);
    SCOPED_TRACE(killed ? "killed" : "left");
    ASSERT_FALSE(result.timedOut);
    for (const netlab::LabMachine& machine : result.machines) {
      if (machine.name == "player 1") continue;  // it left itself
      SCOPED_TRACE(machine.name.empty() ? std::string("host") : machine.name);
      EXPECT_EQ(Says(machine.notices, lost), killed);
      ASSERT_FALSE(machine.notices.empty());
      EXPECT_EQ(machine.notices.back(), gone);
      for (const std::string& notice : machine.notices) {
        EXPECT_EQ(notice.find(" 0 s"), std::string::npos) << notice;
        EXPECT_EQ(notice.find("player 2"), std::string::npos) << notice;
      }
    }
  }
}

}  // namespace
}  // namespace fl3
