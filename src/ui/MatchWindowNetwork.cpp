// The match window's network matches: the link runs the match, the window
// reads this machine's keys, draws what the link has drawn, sounds what
// stands, and shows the connection below the panels.
#include <QApplication>
#include <QEventLoop>
#include <QPainter>
#include <QTimer>
#include <algorithm>

#include "core/SteadyClock.h"
#include "match/MatchDrawing.h"
#include "match/MatchLoop.h"
#include "media/ExplosionSound.h"
#include "media/Keyboard.h"
#include "ui/ConnectionReadout.h"
#include "ui/MatchWindow.h"
#include "ui/NetPlayLink.h"

namespace fl3 {
namespace {

constexpr std::int64_t kLongestSleepMs = 15;  // the network is serviced at least this often
constexpr int kReadoutWidth = 360, kReadoutHeight = 18;

// Small and pale on the blue band below the panels; a warning in amber.
TexturePtr ReadoutPicture(const std::string& text, bool warning) {
  QImage line(kReadoutWidth, kReadoutHeight, QImage::Format_ARGB32);
  line.fill(Qt::transparent);
  QPainter painter(&line);
  QFont font = painter.font();
  font.setPixelSize(12);
  painter.setFont(font);
  painter.setPen(warning ? QColor(255, 210, 90) : QColor(160, 170, 255));
  painter.drawText(line.rect().adjusted(0, 0, -8, 0), Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(text));
  painter.end();
  return TextureFromImage(line, 0, 0, 0);
}

void EnsureWinnerPicture(DrawList& draws, int winner) {
  const auto& list = draws.Draws();
  if (list.empty() || list.back().picture.kind != PictureKind::Winner) DrawWinner(draws, winner);
}

}  // namespace

void frmNormalGame::PlayNetwork(NetPlayLink& link, KeyState& keys, const std::function<bool()>& padAsksToLeave) {
  lastEnd_ = MatchEnd::Running;
  lastWinner_ = -1;
  framesShown_ = 0;
  activateWindow();
  setFocus();
  if (const MatchStart* start = link.Start()) {
    // A message box now would hold every machine's match: a missing tune
    // only leaves this one silent.
    StartLevelMusic(false);
    std::array<std::int32_t, FigureCount> characters{};
    for (std::size_t i = 0; i < characters.size(); ++i) characters[i] = start->figures[i].character;
    BuildPictures(start->TileSetNumber(), start->BackgroundNumber(), characters);
    RunNetworkFrames(link, keys, padAsksToLeave);
  }
  QApplication::processEvents();
  readout_.reset();
  readoutPicture_.reset();
  TearDown();
}

void frmNormalGame::RunNetworkFrames(NetPlayLink& link, KeyState& keys, const std::function<bool()>& padAsksToLeave) {
  SteadyClock steadyClock;
  Clock& clock = devices_.clock ? *devices_.clock : steadyClock;
  keyboard_ = devices_.keyboard ? devices_.keyboard(*this) : InitKeyboard(*this);
  readout_ = std::make_unique<ConnectionReadout>();
  KeyState read{};
  quitAsked_ = false;
  keysTaken_ = true;
  std::int64_t winnerSinceMs = -1;

  QEventLoop events;
  QTimer wake;
  wake.setSingleShot(true);
  wake.setTimerType(Qt::PreciseTimer);
  const auto sleepUntil = [&](std::int64_t atMs) {
    const std::int64_t sleepMs = devices_.clockRunsByItself ? 0 : atMs - clock.NowMs();
    wake.start(static_cast<int>(std::clamp<std::int64_t>(sleepMs, 0, kLongestSleepMs)));
  };
  // The link is serviced on through the winner picture, so that the host
  // can see every machine to the end.
  const auto step = [&] {
    const std::int64_t now = clock.NowMs();
    const bool over = link.CurrentStage() == NetPlayLink::Stage::Over;
    if (over && (winnerSinceMs < 0 || now - winnerSinceMs >= MatchLoop::kWinnerShowMs)) return events.quit();
    if (!over) ServiceNetwork(link, keys, read, padAsksToLeave, now);
    const FrameOutcome outcome = link.Outcome();
    lastEnd_ = outcome.end;
    lastWinner_ = outcome.winner;
    if (outcome.end == MatchEnd::Winner && winnerSinceMs < 0) {
      EnsureWinnerPicture(networkDraws_, outcome.winner);
      Present(networkDraws_);
      winnerSinceMs = now;
    }
    std::int64_t wakeAt = over ? now : link.NextWakeMs();
    if (winnerSinceMs >= 0) wakeAt = std::min(over ? wakeAt + MatchLoop::kWinnerShowMs : wakeAt,
                                              winnerSinceMs + MatchLoop::kWinnerShowMs);
    sleepUntil(wakeAt);
  };
  QObject::connect(&wake, &QTimer::timeout, &events, step);
  wake.start(0);
  events.exec();
  keyboard_.reset();
}

void frmNormalGame::ServiceNetwork(NetPlayLink& link, KeyState& keys, KeyState& read,
                                   const std::function<bool()>& padAsksToLeave, std::int64_t nowMs) {
  keyboard_->ReadKeyboard(read);
  if (pads_ != nullptr) pads_->Poll();
  // A tap between two frames still counts in the next one.
  for (std::size_t i = 0; i < keys.size(); ++i) keys[i] = keysTaken_ ? read[i] : static_cast<std::uint8_t>(keys[i] | read[i]);
  const bool ended = link.Outcome().end != MatchEnd::Running;
  if (!quitAsked_ && !ended && (KeyDown(read, kEscapeKey) || (padAsksToLeave && padAsksToLeave()))) {
    quitAsked_ = true;
    link.Quit(nowMs);
  }
  const NetPlayStep done = link.Service(nowMs, &networkDraws_);
  keysTaken_ = done.newFrame;
  readout_->Took(nowMs, done.newFrame, done.corrected, link.RoundTripMs());
  const bool lineChanged = readout_->Refresh(nowMs);
  if (lineChanged) readoutPicture_ = ReadoutPicture(readout_->Text(), readout_->Warning());
  if (done.drawn || lineChanged) Present(networkDraws_);
  if (done.beeps > 0 && sounds_ != nullptr) sounds_->Play(done.beeps);
}

}  // namespace fl3
