#include "ui/quest/StageResultWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/quest/PadPresses.h"
#include "ui/quest/QuestTexts.h"

namespace fl3 {
namespace {

constexpr int kWidth = 360, kHeight = 220;

QString Verdict(const StageResultInfo& result) {
  const int number = result.stage + 1;
  switch (result.verdict) {
    case StageVerdict::Won: return QStringLiteral("Stage %1 won!").arg(number);
    case StageVerdict::Lost: return QStringLiteral("Stage %1 lost").arg(number);
    default: return QStringLiteral("Stage %1: a draw").arg(number);
  }
}

QString Next(const StageResultInfo& result) {
  const bool last = result.stage + 1 == static_cast<int>(result.quest.stages.size());
  switch (result.verdict) {
    case StageVerdict::Won: return last ? QStringLiteral("The quest is won!") : QStringLiteral("On to the next stage.");
    case StageVerdict::Lost:
      if (result.triesLeft == 0) return QStringLiteral("No tries left: the quest is over.");
      return QStringLiteral("Tries left: %1. The stage again.").arg(result.triesLeft);
    default: return QStringLiteral("Nobody won: the stage again, at no cost.");
  }
}

}  // namespace

StageResultWindow::StageResultWindow(const StageResultInfo& result, GamepadSource* pads, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QString::fromStdString(result.quest.name));
  setFixedSize(kWidth, kHeight);
  verdict_ = new QLabel(Verdict(result), this);
  QFont big = verdict_->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  verdict_->setFont(big);
  auto* time = new QLabel(QStringLiteral("Time: %1").arg(GameTime(result.tally.ms)), this);
  auto* kills = new QLabel(QStringLiteral("Kills: %1").arg(result.tally.kills), this);
  next_ = new QLabel(Next(result), this);
  next_->setWordWrap(true);
  auto* goOn = new QPushButton(QStringLiteral("Go On"), this);
  goOn->setDefault(true);
  goOn->setFocus();
  connect(goOn, &QPushButton::clicked, this, &QDialog::accept);
  auto* whole = new QVBoxLayout(this);
  for (QLabel* label : {verdict_, time, kills, next_}) whole->addWidget(label);
  whole->addStretch(1);
  whole->addWidget(goOn, 0, Qt::AlignRight);
  auto* presses = new PadPresses(pads, this);
  connect(presses, &PadPresses::pressed, this, &QDialog::accept);
}

}  // namespace fl3
