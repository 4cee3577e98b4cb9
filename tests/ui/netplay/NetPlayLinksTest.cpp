// The game's links over the real engine and ENet, hosts and clients in one
// process on 127.0.0.1: every way of not getting in has its own title, and
// every way of losing the host reads true.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "../../net/NetTestKit.h"
#include "core/SteadyClock.h"
#include "match/SeatLayoutControls.h"
#include "TempFolder.h"
#include "ui/netplay/EnetNetPlayLinks.h"
#include "ui/netplay/NetPlayEnds.h"

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
bool ServiceUntil(const std::vector<NetPlayLink*>& links, const std::function<bool()>& done, double seconds = 3) {
  SteadyClock clock;
  const std::int64_t until = clock.NowMs() + static_cast<std::int64_t>(seconds * 1000);
  while (!done() && clock.NowMs() < until) {
    for (NetPlayLink* link : links) link->Service(clock.NowMs(), nullptr);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return done();
}

std::unique_ptr<NetPlayLink> Host(Machine& machine, const std::string& password, int netSeats = 1,
                                  bool spectatorsAllowed = true) {
  HostSetup setup{NetTestStart(MatchNormal, 3),
                  {SeatChoice::Man, SeatChoice::Net, netSeats > 1 ? SeatChoice::Net : SeatChoice::Off, SeatChoice::Off},
                  &machine.players, 0, 0, spectatorsAllowed, "Ann"};
  NetPlayEnd problem;
  auto link = machine.links.Host(setup, 0, problem);
  if (link) link->SetPassword(password);
  return link;
}

std::unique_ptr<NetPlayLink> Join(Machine& machine, std::uint16_t port, const std::string& name, int players,
                                  const std::string& password, const std::string& missing = "", bool watch = false) {
  JoinSetup setup{{{"127.0.0.1", port}, name, watch, players, {0, 1}, password}, &machine.players,
                  [missing](const MatchStart&) { return missing; }, 0};
  NetPlayEnd problem;
  return machine.links.Join(setup, SteadyClock().NowMs(), problem);
}

bool Over(const NetPlayLink& link) { return link.CurrentStage() == NetPlayLink::Stage::Over; }

// Catches a refusal worded under another's title (the engine's words and
// the titles drifting apart), a client let in without the password, beyond
// the free seats or to watch where the host lets nobody, a seat kept by one
// that was not let in, and the host's player nameless to the others.
TEST(NetPlayJoin, EachWayOfNotGettingInIsToldUnderItsOwnTitle) {
  const struct {
    const char* hostPassword;
    const char* password;
    int players;
    bool watch;
    const char* missing;
    const char* title;  // empty: let in
  } rows[] = {
      {"pw", "pw", 1, false, "", ""},
      {"pw", "nope", 1, false, "", "Wrong password"},
      {"pw", "", 1, false, "", "Wrong password"},
      {"", "", 2, false, "", "Match full"},
      {"", "", 1, false, "A9.BMP", "Missing picture"},
      {"", "", 1, true, "", "No spectators"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.hostPassword << "/" << row.password << " " << row.players);
    Machine host, client;
    const auto hostLink = Host(host, row.hostPassword, 1, !row.watch);
    ASSERT_TRUE(hostLink);
    const auto clientLink = Join(client, hostLink->Port(), "Bo", row.players, row.password, row.missing, row.watch);
    ASSERT_TRUE(clientLink);
    const bool admitted = ServiceUntil({hostLink.get(), clientLink.get()}, [&] {
      return Over(*clientLink) || (clientLink->CurrentStage() == NetPlayLink::Stage::Lobby && hostLink->CanStart());
    });
    ASSERT_TRUE(admitted);
    EXPECT_EQ(clientLink->End().title, row.title) << clientLink->End().text;
    if (std::string(row.title).empty()) {
      EXPECT_EQ(clientLink->LobbyView().seats[0].name, "Ann");
      continue;
    }
    // One that turns itself away after taking the seat frees it too.
    EXPECT_TRUE(ServiceUntil({hostLink.get()}, [&] { return !hostLink->CanStart(); }));
  }
}

// Catches a refusal that watching would get round (a full match, one begun)
// not offering it, one offering it where watching cannot help, and a begun
// match not saying how to come back.
TEST(NetPlayJoin, AFullOrBegunMatchOffersWatchingAndSaysHowToComeBack) {
  const struct {
    const char* said;
    const char* title;
    bool offersWatch;
  } rows[] = {
      {"The match is full.", "Match full", true},
      {"The match has already begun.", "Match begun", true},
      {"Wrong password.", "Wrong password", false},
  };
  for (const auto& row : rows) {
    const NetPlayEnd end = ClientEnd(net::EndWith(net::EndReason::Refused, row.said), "h:1", "", HostHeard::NotAsked);
    EXPECT_EQ(std::pair(end.title, end.offersWatch), std::pair(std::string(row.title), row.offersWatch)) << row.said;
  }
  const NetPlayEnd begun = ClientEnd(net::EndWith(net::EndReason::Refused, rows[1].said), "h:1", "", HostHeard::NotAsked);
  EXPECT_NE(begun.text.find("within a minute under the same name"), std::string::npos) << begun.text;
}

// Catches a host that goes before its players heard the room close (its
// connections dropped before they acknowledged the last word), players of
// one room told different things, and a client that waits for ever on a
// port nobody answers.
TEST(NetPlayJoin, ACancelledRoomTellsEveryPlayerTheSameAndSilenceIsNoAnswer) {
  Machine host, first, second, lone;
  auto hostLink = Host(host, "", 2);
  const auto firstLink = Join(first, hostLink->Port(), "Anna", 1, "");
  const auto secondLink = Join(second, hostLink->Port(), "Bo", 1, "");
  const std::vector<NetPlayLink*> clients{firstLink.get(), secondLink.get()};
  ASSERT_TRUE(ServiceUntil({hostLink.get(), firstLink.get(), secondLink.get()}, [&] { return hostLink->CanStart(); }));
  hostLink->Quit(0);
  hostLink->Service(SteadyClock().NowMs(), nullptr);
  EXPECT_TRUE(hostLink->OthersConnected());  // the last word is on its way
  ASSERT_TRUE(ServiceUntil({hostLink.get(), firstLink.get(), secondLink.get()}, [&] { return !hostLink->OthersConnected(); }));
  const std::uint16_t nobody = hostLink->Port();
  hostLink.reset();
  ASSERT_TRUE(ServiceUntil(clients, [&] { return Over(*firstLink) && Over(*secondLink); }));
  for (const NetPlayLink* client : clients) {
    EXPECT_EQ(std::pair(client->End().title, client->End().text), std::pair(std::string("Host gone"), std::string("The host closed the match.")));
  }

  const auto unanswered = Join(lone, nobody, "Cy", 1, "");
  ASSERT_TRUE(ServiceUntil({unanswered.get()}, [&] { return Over(*unanswered); }, 8));
  EXPECT_EQ(unanswered->End().title, "No answer");
}

// Catches the advice to join again given to a player whose host is gone (it
// cannot be taken up) or kept from one the host dropped while its match
// goes on. Two matches at once: one host stops (as if killed), one client
// stops answering for longer than the host waits.
TEST(NetPlayJoin, ALostHostIsAskedWhetherItStillAnswersBeforeThePlayerIsAdvised) {
  Machine killedHost, leftPlayer, droppingHost, droppedPlayer;
  auto killed = Host(killedHost, "");
  auto dropping = Host(droppingHost, "");
  const auto left = Join(leftPlayer, killed->Port(), "Bo", 1, "");
  const auto dropped = Join(droppedPlayer, dropping->Port(), "Cy", 1, "");
  const std::vector<NetPlayLink*> all{killed.get(), dropping.get(), left.get(), dropped.get()};
  ASSERT_TRUE(ServiceUntil(all, [&] { return killed->CanStart() && dropping->CanStart(); }));
  for (NetPlayLink* host : {killed.get(), dropping.get()}) ASSERT_TRUE(host->StartMatch(SteadyClock().NowMs()));
  const auto running = [](const NetPlayLink& link) { return link.CurrentStage() == NetPlayLink::Stage::Running; };
  ASSERT_TRUE(ServiceUntil(all, [&] { return running(*left) && running(*dropped); }));
  // The first host and the second's player fall silent; the host still
  // serviced drops its player meanwhile.
  ASSERT_TRUE(ServiceUntil({left.get(), dropping.get()}, [&] { return Over(*left); }, 7));
  ASSERT_TRUE(ServiceUntil({dropping.get(), dropped.get()}, [&] { return Over(*dropped); }, 4));
  EXPECT_EQ(left->End().title, "Host gone");
  EXPECT_EQ(left->End().text.find("joining again"), std::string::npos) << left->End().text;
  EXPECT_EQ(dropped->End().title, "Connection lost");
  EXPECT_NE(dropped->End().text.find("Joining again from this game within a minute"), std::string::npos) << dropped->End().text;
}

// Two players at one client machine: each steers the figure the host gave
// it with its own key layout (figure 1 starts top right, figure 2 bottom
// left). Catches both seats read through one layout, and the second
// figure's controls lost or sent as the first's.
TEST(NetPlayJoin, TwoPlayersAtOneMachineEachMoveTheirOwnFigure) {
  Machine host, client;
  HostSetup setup;
  setup.start = NetTestStart(MatchMostKills, 3);
  setup.seats = {SeatChoice::Man, SeatChoice::Net, SeatChoice::Net, SeatChoice::Off};
  setup.players = &host.players;
  NetPlayEnd problem;
  const auto hostLink = host.links.Host(setup, 0, problem);
  ASSERT_TRUE(hostLink);
  const auto clientLink = Join(client, hostLink->Port(), "Bo", 2, "");
  ASSERT_TRUE(ServiceUntil({hostLink.get(), clientLink.get()}, [&] { return hostLink->CanStart(); }));
  client.state.Characters[0].Keys.keyLeft = 30;  // layout 0: left
  client.state.Characters[1].Keys.keyUp = 31;    // layout 1: up
  client.keys[30] = client.keys[31] = 0x80;
  ASSERT_TRUE(hostLink->StartMatch(SteadyClock().NowMs()));
  const Character one = host.state.Characters[1], two = host.state.Characters[2];
  const auto moved = [&] { return host.state.Characters[1].X < one.X && host.state.Characters[2].Y < two.Y; };
  EXPECT_TRUE(ServiceUntil({hostLink.get(), clientLink.get()}, moved, 8));
  EXPECT_EQ(host.state.Characters[1].Y, one.Y);
  EXPECT_EQ(host.state.Characters[2].X, two.X);
}

}  // namespace
}  // namespace fl3::testing
