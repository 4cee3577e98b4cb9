#include "ui/replays/ReplaysWindow.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/GameFolder.h"
#include "core/Messages.h"
#include "replay/ReplayPlayback.h"
#include "ui/match/MatchPictureCheck.h"
#include "ui/start/StartMatchPreparation.h"

namespace fl3 {
namespace {

enum Column { kDate, kLevel, kKind, kPlayers, kWinner, kKept, kColumns };
constexpr int kFileRole = Qt::UserRole;

// Playing a replay through fills the shared state; the start screen gets its
// share back (controllers, random source, an empty field) afterwards.
class StartScreenShareKept {
 public:
  explicit StartScreenShareKept(GameState& state)
      : state_(state), figures_(state.Characters), kind_(state.MatchKind), time_(state.TimeLeft),
        random_(state.Random.State()) {}
  ~StartScreenShareKept() {
    ResetAfterMatch(state_);
    state_.Characters = figures_;
    std::tie(state_.MatchKind, state_.TimeLeft) = std::pair(kind_, time_);
    state_.Random.SetState(random_);
  }
  StartScreenShareKept(const StartScreenShareKept&) = delete;
  StartScreenShareKept& operator=(const StartScreenShareKept&) = delete;

 private:
  GameState& state_;
  std::array<Character, FigureCount> figures_;
  std::int32_t kind_, time_;
  std::uint32_t random_;
};

QString KindName(std::int32_t kind) {
  return kind == MatchMostKills ? "Most Kills" : kind == MatchMostLives ? "Most Lives" : "Normal";
}

// The kind, and the occasion where the replay tells one.
QString Kind(const Replay& replay) {
  const QString kind = KindName(replay.start.kind);
  return replay.occasion.empty() ? kind : QStringLiteral("%1 (%2)").arg(kind, QString::fromStdString(replay.occasion));
}

// A seat by the name of who played it where the replay knows it.
QString Players(const Replay& replay) {
  QStringList players;
  for (std::size_t i = 0; i < replay.start.figures.size(); ++i) {
    const std::int32_t cont = replay.start.figures[i].cont;
    if (cont == ContOff) continue;
    const std::string& name = replay.names[i];
    const QString who = name.empty() ? QString(cont == ContMan ? "MAN" : "CPU") : QString::fromStdString(name);
    players << QStringLiteral("%1 %2").arg(i + 1).arg(who);
  }
  return players.join(QStringLiteral(", "));
}

// Only the host's Escape ends a network match for every machine.
QString Winner(const Replay& replay) {
  switch (replay.end) {
    case MatchEnd::Winner: return QStringLiteral("Player %1").arg(replay.winner + 1);
    case MatchEnd::NoWinner: return QStringLiteral("No winner");
    case MatchEnd::Quit: return IsNetworkMatch(replay) ? QStringLiteral("Ended by the host") : QStringLiteral("Left with Escape");
    default: return QStringLiteral("Not finished");
  }
}

QStringList Row(const Replay& replay, bool kept) {
  QStringList row;
  row << QDateTime::fromSecsSinceEpoch(replay.recordedAtSeconds).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))
      << QString::fromStdString(replay.start.levelName) << Kind(replay) << Players(replay)
      << Winner(replay) << (kept ? QStringLiteral("kept") : QString());
  return row;
}

}  // namespace

frmReplays::frmReplays(GameState& state, const GameFolder& folder, const ReplayShelf& shelf, Messages& messages,
                       WatchHook watch, QWidget* parent)
    : QDialog(parent), state_(state), folder_(folder), shelf_(shelf), messages_(messages), watch_(std::move(watch)) {
  setWindowTitle(QStringLiteral("Replays"));
  resize(640, 360);
  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("listReplays"));
  list_->setHeaderLabels({"Date", "Level", "Kind", "Players", "Winner", ""});
  list_->setRootIsDecorated(false);
  list_->setAllColumnsShowFocus(true);
  empty_ = new QLabel(QStringLiteral("No replays yet. Every match played on this machine, at this keyboard or over "
                                     "the network, is recorded and listed here once it is over: the newest 50, and "
                                     "those you keep."),
                      this);
  empty_->setWordWrap(true);
  empty_->setAlignment(Qt::AlignCenter);
  empty_->setMargin(24);
  buttonWatch_ = new QPushButton(QStringLiteral("Watch"), this);
  buttonKeep_ = new QPushButton(QStringLiteral("Keep"), this);
  buttonDelete_ = new QPushButton(QStringLiteral("Delete"), this);
  auto* buttonClose = new QPushButton(QStringLiteral("Close"), this);
  buttonWatch_->setDefault(true);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* button : {buttonWatch_, buttonKeep_, buttonDelete_}) buttons->addWidget(button);
  buttons->addStretch();
  buttons->addWidget(buttonClose);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(list_);
  layout->addWidget(empty_);
  layout->addLayout(buttons);

  connect(list_, &QTreeWidget::itemSelectionChanged, this, &frmReplays::ShowButtons);
  connect(list_, &QTreeWidget::itemActivated, this, &frmReplays::WatchSelected);
  connect(buttonWatch_, &QPushButton::clicked, this, &frmReplays::WatchSelected);
  connect(buttonKeep_, &QPushButton::clicked, this, &frmReplays::KeepSelected);
  connect(buttonDelete_, &QPushButton::clicked, this, &frmReplays::DeleteSelected);
  connect(buttonClose, &QPushButton::clicked, this, &QDialog::reject);
  Fill();
}

void frmReplays::Fill(const std::string& select) {
  list_->clear();
  for (const ReplayShelf::Entry& entry : shelf_.List()) {
    Replay replay;
    QStringList row;
    if (shelf_.Read(entry.file, replay)) {
      row = Row(replay, entry.kept);
    } else {
      row << QString::fromStdString(entry.file) << "" << "" << "" << QStringLiteral("(cannot be read)")
          << (entry.kept ? QStringLiteral("kept") : QString());
    }
    auto* item = new QTreeWidgetItem(list_, row);
    item->setData(kDate, kFileRole, QString::fromStdString(entry.file));
    if (entry.file == select || (select.empty() && list_->topLevelItemCount() == 1)) list_->setCurrentItem(item);
  }
  for (int column = 0; column < kColumns; ++column) list_->resizeColumnToContents(column);
  const bool none = list_->topLevelItemCount() == 0;
  list_->setVisible(!none);
  empty_->setVisible(none);
  ShowButtons();
}

std::string frmReplays::SelectedFile() const {
  const QTreeWidgetItem* item = list_->currentItem();
  return item ? item->data(kDate, kFileRole).toString().toStdString() : std::string();
}

void frmReplays::ShowButtons() {
  const QTreeWidgetItem* item = list_->currentItem();
  for (QPushButton* button : {buttonWatch_, buttonKeep_, buttonDelete_}) button->setEnabled(item != nullptr);
  const bool kept = item != nullptr && !item->text(kKept).isEmpty();
  buttonKeep_->setText(kept ? QStringLiteral("Don't Keep") : QStringLiteral("Keep"));
}

void frmReplays::WatchSelected() {
  const std::string file = SelectedFile();
  if (file.empty()) return;
  Replay replay;
  if (const IoResult read = shelf_.Read(file, replay); !read) {
    messages_.Show("This replay cannot be watched: " + read.reason, "Replays", MessageIcon::Critical);
    return;
  }
  const StartScreenShareKept kept(state_);
  ReplayPlayback playback(state_, replay);
  if (const auto verdict = playback.PlayThrough(); verdict.differingFrame >= 0) {
    messages_.Show("This replay cannot be watched: played back, " + verdict.reason + " (frame " +
                       std::to_string(verdict.differingFrame) + "). It was recorded by FUSELARK3 " +
                       replay.gameVersion + "; this is " + std::string(GameVersion()) + ".",
                   "Replays", MessageIcon::Critical);
    return;
  }
  if (!CheckLevelPictures({replay.start.TileSetNumber(), replay.start.BackgroundNumber(), replay.start.levelName}, folder_,
                          messages_)) {
    return;
  }
  ReportUnusableMatchPictures(state_, folder_, messages_);
  if (watch_) watch_(playback, replay.start);
}

void frmReplays::KeepSelected() {
  std::string file = SelectedFile();
  if (file.empty()) return;
  const bool kept = !list_->currentItem()->text(kKept).isEmpty();
  if (const IoResult renamed = shelf_.SetKept(file, !kept); !renamed) {
    messages_.Show(renamed.reason, "Replays", MessageIcon::Critical);
  }
  Fill(file);
}

void frmReplays::DeleteSelected() {
  const std::string file = SelectedFile();
  if (file.empty()) return;
  if (messages_.Show("Delete the replay \"" + file + "\"?", "Replays", MessageIcon::Information,
                     MessageButtons::OkCancel) != MessageAnswer::Ok) {
    return;
  }
  if (const IoResult removed = shelf_.Remove(file); !removed) {
    messages_.Show(removed.reason, "Replays", MessageIcon::Critical);
  }
  Fill();
}

}  // namespace fl3
