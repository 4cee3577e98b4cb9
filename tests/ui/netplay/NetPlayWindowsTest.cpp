// The windows of a network game over a scripted link: the waiting room, the
// join dialog, the flow between them and the match window's network loop.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "../WindowBench.h"
#include "core/NetPlaySettings.h"
#include "FakeNetPlayLink.h"
#include "match/MatchLoop.h"
#include "ScriptedDevices.h"
#include "ui/netplay/ConnectionReadout.h"
#include "ui/netplay/JoinDialog.h"
#include "ui/netplay/NetPlayFlow.h"
#include "ui/netplay/NetPlayPump.h"
#include "ui/netplay/NetworkMatchScreen.h"
#include "ui/netplay/WaitingRoom.h"

namespace fl3::testing {
namespace {

// Hands out the links a test prepared, one per Host or Join.
struct FakeLinks : NetPlayLinks {
  std::uint16_t DefaultPort() const override { return 61513; }
  std::unique_ptr<NetPlayLink> Host(const HostSetup&, std::int64_t, NetPlayEnd&) override { return Next(); }
  std::unique_ptr<NetPlayLink> Join(const JoinSetup&, std::int64_t, NetPlayEnd&) override { return Next(); }
  std::unique_ptr<NetPlayLink> Next() { return std::move(links.at(next++)); }
  std::vector<std::unique_ptr<NetPlayLink>> links;
  std::size_t next = 0;
};

// Runs each act on the next modal window of its class as it opens.
void OnModals(const char* className, std::vector<std::function<void(QWidget&)>> acts) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, className, acts, next = std::size_t{0}]() mutable {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal->property("seen").toBool() || std::string(modal->metaObject()->className()) != className) return;
    modal->setProperty("seen", true);
    acts[next++](*modal);
    if (next == acts.size()) poll->deleteLater();
  });
  poll->start(5);
}

// Catches Start enabled before every NET seat is taken, a seat without its
// player's name or round trip, and a password that can still change once
// somebody was let in under the old one.
TEST(WaitingRoom, HostSeesAddressesSeatsAndStartsOnceEveryNetSeatIsTaken) {
  FakeLink link;
  link.host = true;
  link.lobby.seats = {{{net::SeatState::Host, "", 0}, {net::SeatState::Free, "", 0},
                       {net::SeatState::Computer, "", 0}, {net::SeatState::Off, "", 0}}};
  SteppingClock clock;
  NetPlayPump pump(link, clock);
  pump.Start();
  WaitingRoom room(pump, "");
  room.show();
  QTest::qWait(30);
  EXPECT_TRUE(room.Addresses()->text().contains(":61513"));
  EXPECT_EQ(std::tuple(room.SeatName(0)->text(), room.SeatName(1)->text(), room.SeatName(2)->text()),
            std::tuple(QString("You (host)"), QString("Free"), QString("Computer")));
  EXPECT_FALSE(room.StartButton()->isEnabled());
  room.Password()->setText("secret");
  emit room.Password()->editingFinished();
  link.lobby.seats[1] = {net::SeatState::Taken, "Anna", 84};
  link.lobby.spectators = 2;
  link.canStart = true;
  QTest::qWait(40);
  EXPECT_EQ(std::tuple(room.SeatName(1)->text(), room.SeatRoundTrip(1)->text(), room.Spectators()->text()),
            std::tuple(QString("Anna"), QString("84 ms"), QString("Spectators: 2")));
  EXPECT_FALSE(room.Password()->isEnabled());
  EXPECT_EQ(link.passwords, std::vector<std::string>{"secret"});
  room.StartButton()->click();
  EXPECT_EQ(room.result(), QDialog::Accepted);
}

// Catches an IPv6 address or a port out of range let through, two players
// on the same keys, a player without a name, and the request losing a field.
TEST(JoinDialog, ExplainsWhatCannotWorkAndHandsOverWhatCan) {
  const struct {
    const char* address;
    const char* name;
    int players, second;
    bool watch;
    const char* message;  // empty: accepted
  } rows[] = {
      {"", "Anna", 1, 1, false, "Type the host's address"},
      {"fe80::1", "Anna", 1, 1, false, "IPv4 only"},
      {"10.0.0.2:70000", "Anna", 1, 1, false, "from 1 to 65535"},
      {"10.0.0.2", "  ", 1, 1, false, "Type your name"},
      {"10.0.0.2", "Anna", 2, 0, false, "different keys"},
      {"10.0.0.2", "", 1, 1, true, ""},
      {" host.lan:7000", "Anna", 2, 3, false, ""},
  };
  for (const auto& row : rows) {
    WindowBench bench;
    JoinDialog dialog(bench.state, {}, 61513, bench.messages);
    dialog.Address()->setText(row.address);
    dialog.PlayerName()->setText(row.name);
    dialog.Players()->setCurrentIndex(row.players - 1);
    dialog.Layout(1)->setCurrentIndex(row.second);
    (row.watch ? dialog.WatchButton() : dialog.JoinButton())->click();
    const std::string shown = bench.messages.shown.empty() ? "" : bench.messages.shown[0].text;
    EXPECT_EQ(shown.empty(), std::string(row.message).empty()) << row.address << " " << shown;
    EXPECT_NE(shown.find(row.message), std::string::npos) << shown;
    EXPECT_EQ(dialog.result(), shown.empty() ? QDialog::Accepted : QDialog::Rejected);
    if (row.players != 2 || !shown.empty()) continue;
    const JoinRequest& request = dialog.Request();
    EXPECT_EQ(std::tuple(request.address, request.name, request.layouts, request.watch),
              std::tuple(HostAddress{"host.lan", 7000}, std::string("Anna"), std::array<int, 2>{0, 3}, false));
  }
}

struct FlowBench : WindowBench {
  NetPlayFlow Flow() {
    frmNormalGame::Devices devices{[this](QObject&) { return std::make_unique<ScriptedKeyboard>(script); }, &clock, true};
    return NetPlayFlow({state, folder, messages, music, nullptr, nullptr, clock, nullptr, devices, {}}, links);
  }
  FakeLinks links;
  SteppingClock clock{0, 26};
  std::vector<KeyState> script{KeyState{}};
};

// Catches a refusal shown without its own title, the dialog not opened
// again for mending (or without what was typed), the address and name not
// remembered, and a host gone from the waiting room sending the player back
// to the dialog instead of the start screen.
TEST(NetPlayFlow, ARefusalIsToldAndTheDialogComesBackAsTypedAHostGoneEndsTheJoin) {
  FlowBench bench;
  auto refused = std::make_unique<FakeLink>();
  refused->stage = NetPlayLink::Stage::Over;
  refused->end = {NetPlayEnd::Kind::Refused, "Wrong password", "Wrong password.", {}};
  auto gone = std::make_unique<FakeLink>();
  gone->script = [link = gone.get()](std::int64_t, DrawList*) {
    link->stage = NetPlayLink::Stage::Over;
    link->end = {NetPlayEnd::Kind::HostGone, "Host gone", "The host closed the match.", {}};
    return NetPlayStep{};
  };
  bench.links.links.push_back(std::move(refused));
  bench.links.links.push_back(std::move(gone));
  QString addressSecondTime;
  OnModals("fl3::JoinDialog", {[](QWidget& join) {
              auto& dialog = static_cast<JoinDialog&>(join);
              dialog.Address()->setText("127.0.0.1");
              dialog.PlayerName()->setText("Bo");
              dialog.JoinButton()->click();
            },
            [&](QWidget& join) {
              addressSecondTime = static_cast<JoinDialog&>(join).Address()->text();
              static_cast<JoinDialog&>(join).JoinButton()->click();
            }});
  EXPECT_FALSE(bench.Flow().Join());
  EXPECT_EQ(addressSecondTime, "127.0.0.1");
  ASSERT_EQ(bench.messages.shown.size(), 2u);
  EXPECT_EQ(std::pair(bench.messages.shown[0].title, bench.messages.shown[1].title),
            std::pair(std::string("Wrong password"), std::string("Host gone")));
  const NetPlaySettings remembered = ReadNetPlaySettings(bench.folder);
  EXPECT_EQ(std::pair(remembered.address, remembered.name), std::pair(std::string("127.0.0.1"), std::string("Bo")));
}

// Catches a tap between two frames lost, Escape not handed to the link (or
// handed twice), the winner picture missing, and the connection line drawn
// over the field or the panels instead of the band below them.
TEST(NetPlayMatchWindow, KeepsTapsQuitsThroughTheLinkOnceShowsTheWinnerAndTheReadoutBelowThePanels) {
  FlowBench bench;
  KeyState tap{}, escape{};
  tap[30] = 0x80;
  escape[kEscapeKey] = 0x80;
  bench.script = {tap, KeyState{}, KeyState{}, escape, escape, KeyState{}};
  FakeLink link;
  link.stage = NetPlayLink::Stage::Running;
  KeyState keys{};
  link.keys = &keys;
  link.script = [&](std::int64_t, DrawList*) {
    // A frame every other service; the end stands two services after Escape.
    if (link.services == 6) link.outcome = {MatchEnd::Winner, 1, 0};
    if (link.services == 8) link.stage = NetPlayLink::Stage::Over;
    return NetPlayStep{link.services % 2 == 0, false, false, 0};
  };
  frmNormalGame window(bench.state, bench.folder, bench.messages, bench.music, nullptr);
  window.SetDevices({[&](QObject&) { return std::make_unique<ScriptedKeyboard>(bench.script); }, &bench.clock, true});
  const std::int64_t began = bench.clock.now;
  NetPlayPump pump(link, bench.clock, true);
  pump.Start();
  PlayNetworkMatch(window, pump, keys, {});
  ASSERT_GE(link.frameKeys.size(), 2u);
  EXPECT_EQ(link.frameKeys[0][30], 0x80);  // tapped in a service without a frame
  EXPECT_EQ(link.frameKeys[1][30], 0);
  EXPECT_EQ(link.quits, 1);
  EXPECT_EQ(std::pair(window.LastEnd(), window.LastWinner()), std::pair(MatchEnd::Winner, 1));
  EXPECT_GE(bench.clock.now - began, MatchLoop::kWinnerShowMs);
  // Without pictures only the readout is drawn on the blue.
  const QImage& shown = window.BackBuffer();
  std::array<int, 2> lit{};  // above the band, in it
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) lit[y < 576 ? 0 : 1] += shown.pixel(x, y) != 0xFF0000FF;
  }
  EXPECT_EQ(lit[0], 0);
  EXPECT_GT(lit[1], 20);
}

// Catches a readout that warns at a single correction, keeps warning after
// the corrections have stopped, never notices a stall, or changes its line
// faster than it can be read.
TEST(ConnectionReadout, WarnsOfManyCorrectionsAndStallsAndQuietensAgain) {
  ConnectionReadout readout;
  std::int64_t now = 0;
  const auto frames = [&](int count, int correctedEvery) {
    for (int i = 1; i <= count; ++i) readout.Took(now += 51, true, correctedEvery > 0 && i % correctedEvery == 0, 84);
    readout.Refresh(now);
    return std::pair(readout.Text(), readout.Warning());
  };
  using Line = std::pair<std::string, bool>;
  EXPECT_EQ(frames(40, 20), Line("Round trip 84 ms", false));
  EXPECT_EQ(frames(40, 3), Line("Round trip 84 ms, many corrections", true));
  EXPECT_EQ(frames(40, 0), Line("Round trip 84 ms", false));
  readout.Took(now += 300, false, false, 84);
  EXPECT_FALSE(readout.Refresh(now));  // not yet due
  readout.Took(now += 1300, false, false, 84);
  EXPECT_TRUE(readout.Refresh(now));
  EXPECT_EQ(Line(readout.Text(), readout.Warning()), Line("Waiting for the connection (1 s)", true));
}

}  // namespace
}  // namespace fl3::testing
