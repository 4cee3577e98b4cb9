// The windows of a network game over a scripted link: the waiting room, the
// join dialog, the flow between them and the match window's network loop.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "../WindowBench.h"
#include "core/NetPlaySettings.h"
#include "FakeNetPlayLink.h"
#include "match/MatchLoop.h"
#include "ScriptedDevices.h"
#include "WithoutPermissionOverride.h"
#include "ui/netplay/JoinDialog.h"
#include "ui/netplay/NetPlayFlow.h"
#include "ui/netplay/NetPlayPump.h"
#include "ui/netplay/NetPlaySessionWindow.h"
#include "ui/netplay/NetworkMatchScreen.h"
#include "ui/netplay/WaitingRoom.h"

namespace fl3::testing {
namespace {

// Hands out the links a test prepared, one per Host or Join.
struct FakeLinks : NetPlayLinks {
  std::uint16_t DefaultPort() const override { return 61513; }
  std::unique_ptr<NetPlayLink> Host(const HostSetup& setup, std::int64_t, NetPlayEnd&) override {
    hosted.push_back(setup);
    return Next();
  }
  std::unique_ptr<NetPlayLink> Join(const JoinSetup& setup, std::int64_t, NetPlayEnd&) override {
    joined.push_back(setup);
    return Next();
  }
  std::unique_ptr<NetPlayLink> Next() { return std::move(links.at(next++)); }
  std::vector<std::unique_ptr<NetPlayLink>> links;
  std::vector<HostSetup> hosted;
  std::vector<JoinSetup> joined;
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
// player's name or round trip, nobody held off while a password is typed, a
// password typed without Enter thrown away when the first player comes, the
// password shown as typed, the focus left for Cancel when the password field
// closes (Enter would close the room), and Enter doing anything before Start can.
TEST(WaitingRoom, EnterOnlyStartsAndAPasswordTypedWithoutEnterIsUsed) {
  FakeLink link;
  link.host = true;
  link.lobby.seats = {{{net::SeatState::Host, "", 0}, {net::SeatState::Free, "", 0},
                       {net::SeatState::Free, "", 0}, {net::SeatState::Computer, "", 0}}};
  SteppingClock clock;
  NetPlayPump pump(link, clock);
  pump.Start();
  WaitingRoom room(pump, "");
  room.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&room));
  EXPECT_TRUE(room.Addresses()->text().contains(":61513"));
  EXPECT_EQ(room.Password()->echoMode(), QLineEdit::Password);
  QTest::keyClicks(QApplication::focusWidget(), "secret");
  EXPECT_TRUE(link.held);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !link.held; }, 3000));  // the typing pauses
  EXPECT_EQ(link.passwords, std::vector<std::string>{"secret"});

  link.lobby.seats[1] = {net::SeatState::Taken, "Anna", 84};
  EXPECT_TRUE(QTest::qWaitFor([&] { return !room.Password()->isEnabled(); }, 3000));
  EXPECT_NE(QApplication::focusWidget(), room.CancelButton());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_TRUE(room.isVisible());
  link.lobby.seats[2] = {net::SeatState::Taken, "Bo", 0};
  link.canStart = true;
  ASSERT_TRUE(QTest::qWaitFor([&] { return room.StartButton()->isEnabled(); }, 3000));
  EXPECT_EQ(std::tuple(room.SeatName(0)->text(), room.SeatName(1)->text(), room.SeatRoundTrip(1)->text(), room.SeatName(3)->text()),
            std::tuple(QString("You (host)"), QString("Anna"), QString("84 ms"), QString("Computer")));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(room.result(), QDialog::Accepted);
  EXPECT_EQ(link.passwords.size(), 1u);
}

// Catches bare seat lines while nothing is known yet, a spectator's room
// that does not say it watches, and two players at one keyboard (or at the
// host's) shown as one name twice.
TEST(WaitingRoom, AClientsRoomTellsItsRoleAndCountsTwoPlayersAtOneKeyboard) {
  FakeLink link;
  link.stage = NetPlayLink::Stage::Connecting;
  link.watching = true;
  SteppingClock clock;
  NetPlayPump pump(link, clock);
  pump.Start();
  WaitingRoom room(pump, "10.0.0.5:61513");
  room.show();
  EXPECT_EQ(room.windowTitle(), "Waiting room (watching)");
  EXPECT_TRUE(room.SeatName(0)->isHidden());
  link.stage = NetPlayLink::Stage::Lobby;
  link.lobby.seats = {{{net::SeatState::Host, "Ann", 0}, {net::SeatState::Host, "Ann", 0},
                       {net::SeatState::Taken, "Bo", 40}, {net::SeatState::Taken, "Bo", 40}}};
  ASSERT_TRUE(QTest::qWaitFor([&] { return !room.SeatName(0)->isHidden(); }, 3000));
  EXPECT_TRUE(room.Status()->text().contains("watch")) << room.Status()->text().toStdString();
  EXPECT_EQ(QStringList({room.SeatName(0)->text(), room.SeatName(1)->text(), room.SeatName(2)->text(), room.SeatName(3)->text()}),
            QStringList({"Ann (host, 1 of 2)", "Ann (host, 2 of 2)", "Bo (1 of 2)", "Bo (2 of 2)"}));
  link.lobby.seats[2].name = "Cy";
  link.own = 0b1000;
  EXPECT_TRUE(QTest::qWaitFor([&] { return room.SeatName(2)->text() == "Cy"; }, 3000));
  EXPECT_EQ(std::pair(room.SeatName(2)->text(), room.SeatName(3)->text()), std::pair(QString("Cy"), QString("Bo (you)")));
}

// Catches an IPv6 address or a port out of range let through, two players
// on the same keys, a player without a name, the request losing a field, and
// a layout's keys written in the options window's other spellings.
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
  WindowBench bench;
  bench.state.Characters[0].Keys = {203, 200, 205, 208, 157};
  bench.state.Characters[3].Keys = {75, 72, 77, 76, 82};
  JoinDialog dialog(bench.state, {}, 61513, bench.messages);
  dialog.Layout(1)->setCurrentIndex(3);
  EXPECT_EQ(std::pair(dialog.LayoutKeys(0)->text(), dialog.LayoutKeys(1)->text()),
            std::pair(QString("Left arrow, Up arrow, Right arrow, Down arrow; bomb: Right Ctrl"),
                      QString("Keypad 4, Keypad 8, Keypad 6, Keypad 5; bomb: Keypad 0")));
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

// A link that ends at its first service, as a host gone from the waiting room.
std::unique_ptr<FakeLink> HostGoneLink() {
  auto gone = std::make_unique<FakeLink>();
  gone->script = [link = gone.get()](std::int64_t, DrawList*) {
    link->stage = NetPlayLink::Stage::Over;
    link->end = {NetPlayEnd::Kind::HostGone, "Host gone", "The host closed the match.", {}};
    return NetPlayStep{};
  };
  return gone;
}

// Catches a refusal shown without its own title, the dialog not opened
// again for mending (or without what was typed), the address and name not
// remembered, and a host gone from the waiting room sending the player back
// to the dialog instead of the start screen.
TEST(NetPlayFlow, ARefusalIsToldAndTheDialogComesBackAsTypedAHostGoneEndsTheJoin) {
  FlowBench bench;
  auto refused = std::make_unique<FakeLink>();
  refused->stage = NetPlayLink::Stage::Over;
  refused->end = {NetPlayEnd::Kind::Refused, "Wrong password", "Wrong password.", {}};
  bench.links.links.push_back(std::move(refused));
  bench.links.links.push_back(HostGoneLink());
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

// Catches a full match not offering to watch, the offer taken up as a player
// again (or through the dialog), and the session's settings (port, delay,
// spectators, name, password) not reaching the host's link and room.
TEST(NetPlayFlow, AFullMatchOffersWatchingAndTheHostUsesTheSessionSettings) {
  FlowBench bench;
  auto full = std::make_unique<FakeLink>();
  full->stage = NetPlayLink::Stage::Over;
  full->end = {NetPlayEnd::Kind::Refused, "Match full", "The match is full.", {}, true};
  bench.links.links.push_back(std::move(full));
  bench.links.links.push_back(HostGoneLink());
  int dialogs = 0;
  OnModals("fl3::JoinDialog", {[&](QWidget& join) {
              auto& dialog = static_cast<JoinDialog&>(join);
              ++dialogs;
              dialog.Address()->setText("127.0.0.1");
              dialog.PlayerName()->setText("Bo");
              dialog.JoinButton()->click();
            },
            [&](QWidget& join) { ++dialogs, static_cast<QDialog&>(join).reject(); }});
  EXPECT_FALSE(bench.Flow().Join());
  ASSERT_EQ(bench.links.joined.size(), 2u);
  EXPECT_EQ(std::tuple(bench.links.joined[1].request.watch, bench.links.joined[1].request.name, dialogs),
            std::tuple(true, std::string("Bo"), 1));
  EXPECT_EQ(bench.messages.shown.at(0).buttons, MessageButtons::OkCancel);

  ASSERT_TRUE(WriteNetPlaySettings(bench.folder, {"", "Ann", 1, {0, 1}, 28000, 2, false, "pw"}));
  auto room = std::make_unique<FakeLink>();
  room->host = true;
  FakeLink& hostLink = *room;
  bench.links.links.push_back(std::move(room));
  std::vector<std::string> passwords;
  OnModals("fl3::WaitingRoom", {[&](QWidget& shown) {
             passwords = hostLink.passwords;
             static_cast<QDialog&>(shown).reject();
           }});
  EXPECT_FALSE(bench.Flow().Host({{0, -1, "X.FL3"}, {}, {SeatChoice::Man, SeatChoice::Net, SeatChoice::Off, SeatChoice::Off}}, 1));
  ASSERT_EQ(bench.links.hosted.size(), 1u);
  const HostSetup& setup = bench.links.hosted[0];
  EXPECT_EQ(std::tuple(setup.port, setup.inputDelay, setup.spectatorsAllowed, setup.localName, passwords),
            std::tuple(std::uint16_t{28000}, 2, false, std::string("Ann"), std::vector<std::string>{"pw"}));
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

// The link's match in `window`, the bench's script at the keyboard.
void PlayWithScriptedKeys(FlowBench& bench, FakeLink& link, frmNormalGame& window) {
  window.SetDevices({[&](QObject&) { return std::make_unique<ScriptedKeyboard>(bench.script); }, &bench.clock, true});
  NetPlayPump pump(link, bench.clock, true);
  pump.Start();
  KeyState keys{};
  PlayNetworkMatch(window, pump, keys, {});
}

// Catches a host's screen that stays up after its Escape stands, until its
// last word has reached everybody (seconds over a poor link).
TEST(NetPlayMatchWindow, TheHostsScreenEndsOnceItsEscapeStands) {
  FlowBench bench;
  KeyState escape{};
  escape[kEscapeKey] = 0x80;
  bench.script = {KeyState{}, escape, KeyState{}};
  FakeLink link;
  link.host = true;
  link.stage = NetPlayLink::Stage::Running;
  int stoodAt = -1;
  link.script = [&](std::int64_t, DrawList*) {
    if (link.quits > 0 && stoodAt < 0) stoodAt = link.services + 2, link.outcome.end = MatchEnd::Quit;
    if (link.services == 200) link.stage = NetPlayLink::Stage::Over;  // the last word out, long after
    return NetPlayStep{true, false, false, 0};
  };
  frmNormalGame window(bench.state, bench.folder, bench.messages, bench.music, nullptr);
  PlayWithScriptedKeys(bench, link, window);
  ASSERT_GE(stoodAt, 0);
  EXPECT_LT(link.services, stoodAt + 3);
}

// Catches this machine's figure left unmarked, another machine's marked, and
// the mark of a figure in the top row drawn off the screen.
TEST(NetPlayMatchWindow, MarksThisMachinesOwnFigureOnly) {
  FlowBench bench;
  FakeLink link;
  link.stage = NetPlayLink::Stage::Running;
  link.own = 0b0001;
  link.script = [&](std::int64_t, DrawList* draw) {
    if (draw == nullptr) return NetPlayStep{};  // no match window yet
    draw->Clear();
    for (const auto& [figure, x, y] : {std::tuple(0, 96.f, -32.f), std::tuple(1, 320.f, 192.f)}) {
      draw->Add({{PictureKind::Character, static_cast<std::int8_t>(figure), 1, 3}, x, y, 32, 64});
    }
    link.stage = NetPlayLink::Stage::Over;
    return NetPlayStep{true, false, true, 0};
  };
  frmNormalGame window(bench.state, bench.folder, bench.messages, bench.music, nullptr);
  PlayWithScriptedKeys(bench, link, window);
  const auto marked = [&](QRect area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) count += qRed(window.BackBuffer().pixel(x, y)) > 200;  // on the blue: the yellow mark
    }
    return count;
  };
  EXPECT_GT(marked({96, 0, 32, 8}), 10);
  EXPECT_EQ(marked({320, 180, 32, 24}), 0);
}

// Catches a setting not shown from the file or not saved, the join dialog's
// choices lost, the game's own port kept as a number (a later default would
// not apply), the password shown as typed, a name the host would refuse
// saved, and a folder that refuses taken for saved.
TEST(NetPlaySessionWindow, ShowsAndSavesTheSessionSettingsBesideTheJoinChoices) {
  WindowBench bench;
  ASSERT_TRUE(WriteNetPlaySettings(bench.folder, {"10.0.0.2", "Ann", 2, {1, 3}, 28000, kAutomaticInputDelay, true, ""}));
  NetPlaySessionWindow window(bench.folder, bench.messages);
  EXPECT_EQ(std::tuple(window.PlayerName()->text(), window.Port()->value(), window.InputDelay()->currentText(),
                       window.Spectators()->isChecked(), window.Password()->echoMode()),
            std::tuple(QString("Ann"), 28000, QString("Automatic"), true, QLineEdit::Password));
  window.ShowPassword()->click();
  EXPECT_EQ(window.Password()->echoMode(), QLineEdit::Normal);
  window.PlayerName()->setText(" Bo ");
  window.Port()->setValue(61513);
  window.InputDelay()->setCurrentIndex(3);
  window.Spectators()->setChecked(false);
  window.Password()->setText("pw");
  window.SaveButton()->click();
  EXPECT_EQ(window.result(), QDialog::Accepted);
  const NetPlaySettings saved{"10.0.0.2", "Bo", 2, {1, 3}, 0, 2, false, "pw"};
  EXPECT_EQ(ReadNetPlaySettings(bench.folder), saved);

  NetPlaySessionWindow refused(bench.folder, bench.messages);
  refused.PlayerName()->setText(QString(20, QChar(0xE9)));  // 40 bytes
  refused.SaveButton()->click();
  std::filesystem::permissions(bench.temp.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  refused.PlayerName()->setText("Cy");
  {
    WithoutPermissionOverride asUser;
    refused.SaveButton()->click();
  }
  std::filesystem::permissions(bench.temp.Path(), std::filesystem::perms::owner_all);
  EXPECT_NE(refused.result(), QDialog::Accepted);
  ASSERT_EQ(bench.messages.shown.size(), 2u);
  EXPECT_NE(bench.messages.shown[0].text.find("too long"), std::string::npos);
  EXPECT_NE(bench.messages.shown[1].text.find("could not be saved"), std::string::npos);
  EXPECT_EQ(ReadNetPlaySettings(bench.folder), saved);
}

}  // namespace
}  // namespace fl3::testing
