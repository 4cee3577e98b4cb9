#include "ui/quest/QuestSummaryWindow.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/quest/QuestTexts.h"

namespace fl3 {
namespace {

constexpr int kWidth = 560, kHeight = 420;

// What the run made of one stage: its win, or how often it was lost.
QString InThisRun(const QuestRun& run, int stage) {
  int losses = 0;
  for (const StagePlayed& played : run.Played()) {
    if (played.stage != stage) continue;
    if (played.verdict == StageVerdict::Won) {
      return QStringLiteral("won in %1, %2 kill%3")
          .arg(GameTime(played.tally.ms))
          .arg(played.tally.kills)
          .arg(played.tally.kills == 1 ? "" : "s");
    }
    losses += played.verdict == StageVerdict::Lost ? 1 : 0;
  }
  if (losses > 0) return QStringLiteral("lost %1 time%2").arg(losses).arg(losses == 1 ? "" : "s");
  return stage < run.FirstStage() ? QStringLiteral("(before this run)") : QString();
}

}  // namespace

QuestSummaryWindow::QuestSummaryWindow(const QuestSummaryInfo& summary, QWidget* parent) : QDialog(parent) {
  const Quest& quest = summary.quest;
  const int stages = static_cast<int>(quest.stages.size());
  setWindowTitle(QString::fromStdString(quest.name));
  setFixedSize(kWidth, kHeight);
  outcome_ = new QLabel(summary.run.Finished()
                            ? QStringLiteral("%1: finished!").arg(QString::fromStdString(quest.name))
                            : QStringLiteral("%1: over at stage %2 of %3")
                                  .arg(QString::fromStdString(quest.name))
                                  .arg(summary.run.Stage() + 1)
                                  .arg(stages),
                        this);
  QFont big = outcome_->font();
  big.setPointSizeF(big.pointSizeF() * 1.4);
  big.setBold(true);
  outcome_->setFont(big);
  outcome_->setWordWrap(true);
  auto* run = new QLabel(QStringLiteral("This run: %1 stage%2 won in %3")
                             .arg(summary.run.StagesWon())
                             .arg(summary.run.StagesWon() == 1 ? "" : "s")
                             .arg(GameTime(summary.run.WonMs())),
                         this);
  auto* best = new QLabel(BestRun(summary.record, stages) + "; " + Reached(summary.record, stages), this);

  table_ = new QTableWidget(stages, 3, this);
  table_->setObjectName(QStringLiteral("tableStages"));
  table_->setHorizontalHeaderLabels({QStringLiteral("Level"), QStringLiteral("This run"), QStringLiteral("Best time")});
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionMode(QAbstractItemView::NoSelection);
  table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  for (int stage = 0; stage < stages; ++stage) {
    const std::int64_t bestMs = summary.record.stageBestMs[static_cast<std::size_t>(stage)];
    table_->setItem(stage, 0, new QTableWidgetItem(QString::fromStdString(quest.stages[static_cast<std::size_t>(stage)].level)));
    table_->setItem(stage, 1, new QTableWidgetItem(InThisRun(summary.run, stage)));
    table_->setItem(stage, 2, new QTableWidgetItem(bestMs > 0 ? GameTime(bestMs) : QStringLiteral("-")));
  }
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  auto* whole = new QVBoxLayout(this);
  for (QLabel* label : {outcome_, run, best}) whole->addWidget(label);
  whole->addWidget(table_, 1);
  whole->addWidget(close, 0, Qt::AlignRight);
  close->setFocus();
}

}  // namespace fl3
