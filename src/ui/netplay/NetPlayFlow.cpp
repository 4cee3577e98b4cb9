#include "ui/netplay/NetPlayFlow.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <ctime>
#include <optional>
#include <utility>

#include "core/NetPlaySettings.h"
#include "net/InputDelay.h"
#include "ui/netplay/NetPlayPump.h"
#include "ui/netplay/NetworkMatchScreen.h"
#include "ui/netplay/WaitingRoom.h"

namespace fl3 {
namespace {

constexpr int kFarewellServices = 3;  // services after leaving, so the word gets out
// The host waits for the others to have heard its last word and gone, at
// most this long: over 300 ms and 10 % loss, 2 s left some without it.
constexpr int kLingerMs = 3000;

// "Automatic" is passed on: the link chooses from the round trip as the match begins.
int InputDelaySetting(const NetPlaySettings& settings) {
  return settings.inputDelay == kAutomaticInputDelay ? net::kAutomaticDelay : std::clamp(settings.inputDelay, 0, kMostInputDelay);
}

std::string HostLabel(const HostAddress& address) { return address.host + ":" + std::to_string(address.port); }

}  // namespace

NetPlayFlow::NetPlayFlow(Parts parts, NetPlayLinks& links)
    : parts_(std::move(parts)), links_(links), players_(keys_, parts_.pads) {}

bool NetPlayFlow::Host(const NetHostChoices& choices, std::uint64_t cpuSeed) {
  HostSetup setup;
  setup.start = CaptureMatchStart(parts_.state, choices.level.tileSetNumber, choices.level.backgroundNumber,
                                  choices.characters, choices.level.name, cpuSeed);
  setup.seats = choices.seats;
  // Each player at the host's keyboard steers with their own keys and pad.
  for (int i = 0; i < FigureCount; ++i) players_.Steer(i, choices.seats[static_cast<std::size_t>(i)] == SeatChoice::Man ? i : -1);
  setup.players = &players_;
  const NetPlaySettings settings = ReadNetPlaySettings(parts_.folder);
  setup.port = settings.hostPort != 0 ? static_cast<std::uint16_t>(settings.hostPort) : links_.DefaultPort();
  setup.inputDelay = InputDelaySetting(settings);
  setup.spectatorsAllowed = settings.spectatorsAllowed;
  setup.localName = settings.name;

  NetPlayEnd problem;
  const std::unique_ptr<NetPlayLink> link = links_.Host(setup, parts_.clock.NowMs(), problem);
  if (!link) {
    Tell(problem);
    return false;
  }
  NetPlayPump pump(*link, parts_.clock, parts_.devices.clockRunsByItself);
  pump.Start();
  WaitingRoom room(pump, "", parts_.parent);
  room.UsePassword(settings.hostPassword);
  if (room.exec() == QDialog::Accepted) return Play(pump);
  Leave(pump);
  return false;
}

bool NetPlayFlow::Join() {
  NetPlaySettings settings = ReadNetPlaySettings(parts_.folder);
  std::optional<JoinRequest> again;  // asked for without the dialog: watching instead
  for (;;) {
    JoinRequest request;
    if (again) {
      request = *std::exchange(again, std::nullopt);
    } else {
      JoinDialog dialog(parts_.state, settings, links_.DefaultPort(), parts_.messages, parts_.parent);
      if (dialog.exec() != QDialog::Accepted) return false;
      settings = dialog.Remembered(settings);
      // Remembering is a kindness: a folder that cannot take it costs nothing now.
      WriteNetPlaySettings(parts_.folder, settings);
      request = dialog.Request();
    }

    for (int i = 0; i < FigureCount; ++i) players_.Steer(i, -1);
    JoinSetup setup{request, &players_,
                    [this](const MatchStart& start) {
                      return MissingLevelPicture(parts_.folder, start.TileSetNumber(), start.BackgroundNumber());
                    },
                    InputDelaySetting(settings)};
    NetPlayEnd problem;
    const std::unique_ptr<NetPlayLink> link = links_.Join(setup, parts_.clock.NowMs(), problem);
    if (!link) {
      Tell(problem);
      continue;
    }
    NetPlayPump pump(*link, parts_.clock, parts_.devices.clockRunsByItself);
    pump.Start();
    WaitingRoom room(pump, HostLabel(setup.request.address), parts_.parent);
    if (room.exec() == QDialog::Accepted) return Play(pump);
    if (link->CurrentStage() != NetPlayLink::Stage::Over) {
      Leave(pump);
      return false;
    }
    pump.Stop();
    const NetPlayEnd& end = link->End();
    if (end.offersWatch && !request.watch) {
      if (AskToWatch(end)) {
        request.watch = true;
        again = request;
      }
      continue;
    }
    Tell(end);
    // Not let in: the dialog again, to mend the address or the password.
    if (end.kind != NetPlayEnd::Kind::Refused) return false;
  }
}

bool NetPlayFlow::AskToWatch(const NetPlayEnd& end) {
  return parts_.messages.Show(end.text + "\n\nWatch the match instead?", end.title, MessageIcon::Information,
                              MessageButtons::OkCancel) == MessageAnswer::Ok;
}

bool NetPlayFlow::Play(NetPlayPump& pump) {
  {
    frmNormalGame match(parts_.state, parts_.folder, parts_.messages, parts_.music, parts_.sounds);
    match.SetDevices(parts_.devices);
    match.SetGamepads(parts_.pads);
    match.ShowOnWholeScreen();
    QApplication::processEvents();
    PlayNetworkMatch(match, pump, keys_, [this] { return players_.PadAsksToLeave(); });
    QApplication::processEvents();
    match.hide();
  }
  Leave(pump);
  if (auto replay = pump.Link().MatchReplay(static_cast<std::int64_t>(std::time(nullptr))); replay && parts_.replaySink) {
    parts_.replaySink(std::move(*replay));
  }
  Tell(pump.Link().End());
  return true;
}

// The last word (the end of the match, a farewell) reaches the others
// before the connection closes: the host waits, a while, for everybody to go.
void NetPlayFlow::Leave(NetPlayPump& pump) {
  NetPlayLink& link = pump.Link();
  if (link.CurrentStage() != NetPlayLink::Stage::Over) link.Quit(parts_.clock.NowMs());
  QEventLoop linger;
  QTimer deadline;
  deadline.setSingleShot(true);
  QObject::connect(&deadline, &QTimer::timeout, &linger, &QEventLoop::quit);
  QObject::connect(&pump, &NetPlayPump::Serviced, &linger, [&] {
    if (!link.OthersConnected()) linger.quit();
  });
  deadline.start(kLingerMs);
  if (link.IsHost() && link.OthersConnected()) linger.exec();
  pump.Stop();
  for (int i = 0; i < kFarewellServices; ++i) link.Service(parts_.clock.NowMs(), nullptr);
}

void NetPlayFlow::Tell(const NetPlayEnd& end) {
  if (end.title.empty()) return;
  const MessageIcon icon = end.kind == NetPlayEnd::Kind::HostEnded ? MessageIcon::Information : MessageIcon::Critical;
  parts_.messages.Show(end.text, end.title, icon);
}

}  // namespace fl3
