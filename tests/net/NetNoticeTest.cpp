// What every machine tells its player when another one goes, and how soon
// the host's Escape ends the match everywhere, over the worst link we aim for.
#include <gtest/gtest.h>

#include <algorithm>

#include "NetLab.h"
#include "NetTestKit.h"
#include "net/SeatNotices.h"

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
// left playing behind; and a live player over this link named as lost.
TEST(NetNoticeTest, TheHostsEscapeEndsEveryMachineWithinASecond) {
  struct Case { std::uint64_t seed; bool endLost; };
  for (const Case c : {Case{3, false}, Case{4, true}, Case{5, false}}) {
    LabSettings settings = WorstLink(c.seed);
    settings.hostEscapeAtMs = 40'000;
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
      EXPECT_TRUE(machine.notices.empty()) << machine.notices.front();
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


// The words from the lobbies a machine sees. Each case catches a fault:
// a count that shows "0 s" once the wait is over, a notice that stays after
// the player is heard again, one figure's words for a machine that played
// two, a seat that had left before this machine came in told as news, and
// a "has left" that never goes away.
TEST(NetNoticeTest, TheWordsFollowTheLobbies) {
  using net::SeatState;
  const auto lobby = [](SeatState a, std::uint16_t dropA, SeatState b) {
    net::Lobby made;
    made.seats[1] = {a, "Bo", 80, dropA};
    made.seats[2] = {b, "Bo", 80, 0};
    return made;
  };
  struct Case {
    const char* what;
    std::vector<net::Lobby> seen;  // a second apart
    std::int64_t askedAfterMs;     // after the last
    std::string text;
  };
  const std::vector<Case> cases = {
      {"counting", {lobby(SeatState::Taken, 2500, SeatState::Taken)}, 0, "Bo's connection is lost: waiting 3 s"},
      {"overdue", {lobby(SeatState::Taken, 2500, SeatState::Taken)}, 2600, "Bo's connection is lost"},
      {"heard again", {lobby(SeatState::Taken, 2500, SeatState::Taken), lobby(SeatState::Taken, 0, SeatState::Taken)}, 0, ""},
      {"two figures", {lobby(SeatState::Taken, 0, SeatState::Taken), lobby(SeatState::Left, 0, SeatState::Left)}, 0,
       "Bo has left; Bo's figures stand"},
      {"old news", {lobby(SeatState::Left, 0, SeatState::Left)}, 0, ""},
      {"long ago", {lobby(SeatState::Taken, 0, SeatState::Off), lobby(SeatState::Left, 0, SeatState::Off)},
       net::SeatNotices::kLeftShownMs, ""},
  };
  for (const Case& c : cases) {
    net::SeatNotices notices;
    std::int64_t now = 50'000;
    for (const net::Lobby& seen : c.seen) notices.Saw(seen, now += 1000);
    EXPECT_EQ(notices.Text(now + c.askedAfterMs), c.text) << c.what;
  }
}

}  // namespace
}  // namespace fl3
