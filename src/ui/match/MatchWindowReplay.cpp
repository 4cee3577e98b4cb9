// The match window showing a replay instead of a match.
#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>
#include <optional>

#include "core/SteadyClock.h"
#include "media/ExplosionSound.h"
#include "replay/ReplayWatch.h"
#include "ui/match/MatchWindow.h"

namespace fl3 {
namespace {

// Below the status panels, where the match leaves the screen empty.
constexpr int kOverlayWidth = 800, kOverlayHeight = 56;
constexpr const char* kKeysHelp =
    "Space pause/go on    N next frame    Down/Up slower/faster    Left/Right 10 s back/on    Esc back to the list";

// The watcher's keys, as commands; Escape leaves.
class ReplayKeys : public QObject {
 public:
  ReplayKeys(std::function<void(ReplayWatch::Command)> command, std::function<void()> leave)
      : command_(std::move(command)), leave_(std::move(leave)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    using Command = ReplayWatch::Command;
    switch (static_cast<const QKeyEvent*>(event)->key()) {
      case Qt::Key_Escape: leave_(); break;
      case Qt::Key_Space: case Qt::Key_P: command_(Command::PauseOrGo); break;
      case Qt::Key_N: case Qt::Key_Period: command_(Command::OneFrame); break;
      case Qt::Key_Down: case Qt::Key_Minus: command_(Command::Slower); break;
      case Qt::Key_Up: case Qt::Key_Plus: command_(Command::Faster); break;
      case Qt::Key_Left: command_(Command::Back); break;
      case Qt::Key_Right: command_(Command::Forward); break;
      default: break;
    }
    return true;
  }

 private:
  std::function<void(ReplayWatch::Command)> command_;
  std::function<void()> leave_;
};

void DrawShadowedText(QPainter& painter, int x, int y, const QString& text) {
  painter.setPen(Qt::black);
  painter.drawText(x + 1, y + 1, text);
  painter.setPen(Qt::white);
  painter.drawText(x, y, text);
}

// The state of the watch on its first line, the keys on the second.
void DrawOverlay(const ReplayWatch& watch, QImage& overlay) {
  overlay.fill(Qt::transparent);
  QPainter painter(&overlay);
  QFont font = painter.font();
  font.setPixelSize(13);
  font.setBold(true);
  painter.setFont(font);
  QString state = QStringLiteral("REPLAY   %1   speed %2x").arg(QString::fromStdString(watch.TimeText()),
                                                              QString::fromStdString(watch.SpeedText()));
  if (watch.AtEnd()) {
    state += QStringLiteral("   END (Space: again)");
  } else if (watch.Paused()) {
    state += QStringLiteral("   PAUSED");
  }
  DrawShadowedText(painter, 8, 20, state);
  font.setBold(false);
  font.setPixelSize(12);
  painter.setFont(font);
  DrawShadowedText(painter, 8, 48, QString::fromLatin1(kKeysHelp));
}

}  // namespace

void frmNormalGame::Watch(ReplayPlayback& playback, const MatchStart& start) {
  std::array<std::int32_t, FigureCount> characters{};
  for (std::size_t i = 0; i < characters.size(); ++i) characters[i] = start.figures[i].character;
  SetUp(start.TileSetNumber(), start.BackgroundNumber(), characters);
  RunReplay(playback);
  QApplication::processEvents();
  TearDown();
}

void frmNormalGame::RunReplay(ReplayPlayback& playback) {
  SteadyClock steadyClock;
  Clock& clock = devices_.clock ? *devices_.clock : steadyClock;
  ReplayWatch watch(playback, clock.NowMs());
  DrawList draws;
  QImage overlay(kOverlayWidth, kOverlayHeight, QImage::Format_ARGB32_Premultiplied);
  std::optional<ReplayWatch::Status> drawn;  // what the overlay shows
  QEventLoop events;
  QTimer wake;
  wake.setSingleShot(true);
  wake.setTimerType(Qt::PreciseTimer);
  const auto show = [&](const ReplayWatch::Step& step) {
    if (step.changed) {
      if (drawn != watch.Shown()) DrawOverlay(watch, overlay);
      drawn = watch.Shown();
      Present(draws, &overlay);
    }
    if (step.beeps > 0 && sounds_) sounds_->Play(step.beeps);
    if (step.wakeAtMs < 0) return wake.stop();
    const std::int64_t sleepMs = devices_.clockRunsByItself ? 0 : step.wakeAtMs - clock.NowMs();
    wake.start(static_cast<int>(std::max<std::int64_t>(0, sleepMs)));
  };
  QObject::connect(&wake, &QTimer::timeout, &events, [&] { show(watch.Advance(clock.NowMs(), draws)); });
  ReplayKeys keys([&](ReplayWatch::Command command) { show(watch.Apply(command, clock.NowMs(), draws)); },
                  [&] { events.quit(); });
  installEventFilter(&keys);
  show(watch.Advance(clock.NowMs(), draws));
  events.exec();
  removeEventFilter(&keys);
}

}  // namespace fl3
