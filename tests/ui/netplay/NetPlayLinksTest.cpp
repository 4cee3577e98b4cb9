// The game's links over the real engine and ENet, host and client in one
// process on 127.0.0.1: every way of not getting in has its own title.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "../../net/NetTestKit.h"
#include "core/SteadyClock.h"
#include "match/SeatLayoutControls.h"
#include "TempFolder.h"
#include "ui/netplay/EnetNetPlayLinks.h"

namespace fl3::testing {
namespace {

struct Machine {
  TempFolder temp;
  GameFolder folder{temp.Path()};
  GameState state;
  KeyState keys{};
  SeatLayoutControls players{keys, nullptr};
  EnetNetPlayLinks links{state, folder};
};

// Services every link until `done` holds or `seconds` have passed.
bool ServiceUntil(const std::vector<NetPlayLink*>& links, const std::function<bool()>& done, int seconds = 3) {
  SteadyClock clock;
  const std::int64_t until = clock.NowMs() + seconds * 1000;
  while (!done() && clock.NowMs() < until) {
    for (NetPlayLink* link : links) link->Service(clock.NowMs(), nullptr);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return done();
}

std::unique_ptr<NetPlayLink> Host(Machine& machine, const std::string& password) {
  HostSetup setup{NetTestStart(MatchNormal, 3), {SeatChoice::Man, SeatChoice::Net, SeatChoice::Off, SeatChoice::Off},
                  &machine.players, 0};
  NetPlayEnd problem;
  auto link = machine.links.Host(setup, 0, problem);
  if (link) link->SetPassword(password);
  return link;
}

std::unique_ptr<NetPlayLink> Join(Machine& machine, std::uint16_t port, const std::string& name, int players,
                                  const std::string& password, const std::string& missing = "") {
  JoinSetup setup{{{"127.0.0.1", port}, name, false, players, {0, 1}, password}, &machine.players,
                  [missing](const MatchStart&) { return missing; }};
  NetPlayEnd problem;
  return machine.links.Join(setup, SteadyClock().NowMs(), problem);
}

bool Over(const NetPlayLink& link) { return link.CurrentStage() == NetPlayLink::Stage::Over; }

// Catches a refusal worded under another's title (the engine's words and
// the titles drifting apart), a client let in without the password or
// beyond the free seats, and a seat kept by one that was not let in.
TEST(NetPlayJoin, EachWayOfNotGettingInIsToldUnderItsOwnTitle) {
  const struct {
    const char* hostPassword;
    const char* password;
    int players;
    const char* missing;
    const char* title;  // empty: let in
  } rows[] = {
      {"pw", "pw", 1, "", ""},
      {"pw", "nope", 1, "", "Wrong password"},
      {"pw", "", 1, "", "Wrong password"},
      {"", "", 2, "", "Match full"},
      {"", "", 1, "A9.BMP", "Missing picture"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.hostPassword << "/" << row.password << " " << row.players);
    Machine host, client;
    const auto hostLink = Host(host, row.hostPassword);
    ASSERT_TRUE(hostLink);
    const auto clientLink = Join(client, hostLink->Port(), "Bo", row.players, row.password, row.missing);
    ASSERT_TRUE(clientLink);
    const bool admitted = ServiceUntil({hostLink.get(), clientLink.get()}, [&] {
      return Over(*clientLink) || (clientLink->CurrentStage() == NetPlayLink::Stage::Lobby && hostLink->CanStart());
    });
    ASSERT_TRUE(admitted);
    EXPECT_EQ(clientLink->End().title, row.title) << clientLink->End().text;
    if (std::string(row.title).empty()) continue;
    // One that turns itself away after taking the seat frees it too.
    EXPECT_TRUE(ServiceUntil({hostLink.get()}, [&] { return !hostLink->CanStart(); }));
  }
}

// Catches a host leaving the waiting room without a word to those in it,
// and a client that waits for ever on a port nobody answers.
TEST(NetPlayJoin, ACancelledRoomTellsItsPlayersAndSilenceIsNoAnswer) {
  Machine host, first, lone;
  auto hostLink = Host(host, "");
  const auto firstLink = Join(first, hostLink->Port(), "Anna", 1, "");
  ASSERT_TRUE(ServiceUntil({hostLink.get(), firstLink.get()}, [&] { return hostLink->CanStart(); }));
  hostLink->Quit(0);
  ASSERT_TRUE(ServiceUntil({hostLink.get(), firstLink.get()}, [&] { return Over(*firstLink); }));
  EXPECT_EQ(firstLink->End().title, "Host gone");

  const std::uint16_t nobody = hostLink->Port();
  hostLink.reset();
  const auto unanswered = Join(lone, nobody, "Cy", 1, "");
  ASSERT_TRUE(ServiceUntil({unanswered.get()}, [&] { return Over(*unanswered); }, 8));
  EXPECT_EQ(unanswered->End().title, "No answer");
}

}  // namespace
}  // namespace fl3::testing
