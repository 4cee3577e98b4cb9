#include "ui/quest/StageCard.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include "ui/quest/LevelPicture.h"
#include "ui/quest/PadPresses.h"
#include "ui/start/StartCharacterSheet.h"

namespace fl3 {
namespace {

constexpr int kWidth = 600, kHeight = 440;
constexpr int kCellSize = 10;

QLabel* Text(const QString& text, QWidget* parent, bool wrapped = true) {
  auto* label = new QLabel(text, parent);
  label->setWordWrap(wrapped);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QString Lives(const QuestStage& stage, std::int32_t lives) {
  if (stage.rule == StageRule::MostKills) return QStringLiteral("counts kills");
  return QStringLiteral("%1 li%2").arg(lives).arg(lives == 1 ? "fe" : "ves");
}

}  // namespace

StageCard::StageCard(const StageCardInfo& card, const GameFolder& folder, const StartCharacterSheet& sheet,
                     GamepadSource* pads, QWidget* parent)
    : QDialog(parent) {
  const QuestStage& plan = card.quest.stages[static_cast<std::size_t>(card.stage)];
  setWindowTitle(QString::fromStdString(card.quest.name));
  setFixedSize(kWidth, kHeight);
  stage_ = Text(QStringLiteral("Stage %1 of %2: %3")
                    .arg(card.stage + 1)
                    .arg(card.quest.stages.size())
                    .arg(QString::fromStdString(RuleName(plan.rule))),
                this, false);
  QFont big = stage_->font();
  big.setPointSizeF(big.pointSizeF() * 1.5);
  big.setBold(true);
  stage_->setFont(big);
  auto* picture = new QLabel(this);
  std::array<bool, FigureCount> playing{};
  for (std::size_t i = 0; i < playing.size(); ++i) playing[i] = card.seats[i].role != SeatRole::Empty;
  picture->setPixmap(QPixmap::fromImage(DrawLevelPicture(card.level, folder, kCellSize, playing)));
  picture->setFixedSize(MapWidth * kCellSize, MapHeight * kCellSize);
  briefing_ = Text(QString::fromStdString(plan.briefing), this);
  QFont italic = briefing_->font();
  italic.setItalic(true);
  briefing_->setFont(italic);

  auto* facts = new QVBoxLayout;
  facts->addWidget(Text(QStringLiteral("Level: %1").arg(QString::fromStdString(plan.level)), this));
  facts->addWidget(Text(QString::fromStdString(RuleInWords(plan)), this));
  facts->addWidget(Text(QStringLiteral("Your lives: %1").arg(Lives(plan, plan.lives)), this));
  facts->addWidget(Text(QStringLiteral("Tries left: %1").arg(card.triesLeft), this));
  facts->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addWidget(picture, 0, Qt::AlignTop);
  top->addLayout(facts, 1);

  auto* whole = new QVBoxLayout(this);
  whole->addWidget(stage_);
  whole->addLayout(top);
  whole->addWidget(briefing_);
  whole->addLayout(Opponents(card, sheet));
  whole->addStretch(1);
  whole->addWidget(Text(QStringLiteral("Enter, a pad's button or a click begins the stage; Escape leaves the quest."),
                        this));
  auto* presses = new PadPresses(pads, this);
  connect(presses, &PadPresses::pressed, this, &QDialog::accept);
}

QLayout* StageCard::Opponents(const StageCardInfo& card, const StartCharacterSheet& sheet) {
  const QuestStage& plan = card.quest.stages[static_cast<std::size_t>(card.stage)];
  auto* grid = new QGridLayout;
  grid->addWidget(Text(QStringLiteral("Against you:"), this, false), 0, 0, Qt::AlignTop);
  int column = 1;
  for (const StageSeat& seat : card.seats) {
    if (seat.role != SeatRole::Opponent) continue;
    auto* portrait = new QLabel(this);
    if (sheet.Loaded()) portrait->setPixmap(sheet.Portrait(seat.character));
    portrait->setFixedSize(StartCharacterSheet::kPortraitWidth, StartCharacterSheet::kRowHeight);
    grid->addWidget(portrait, 0, column, Qt::AlignHCenter);
    grid->addWidget(Text(QStringLiteral("%1\n%2").arg(QString::fromStdString(StrengthName(seat.strength)), Lives(plan, seat.lives)),
                         this, false),
                    1, column);
    ++column;
  }
  grid->setColumnStretch(column, 1);
  return grid;
}

void StageCard::keyPressEvent(QKeyEvent* event) {
  const bool begin = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space;
  // A key still held from the window before repeats; it is no press.
  if (begin && !event->isAutoRepeat()) {
    accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

void StageCard::mouseReleaseEvent(QMouseEvent* event) {
  QDialog::mouseReleaseEvent(event);
  accept();
}

}  // namespace fl3
