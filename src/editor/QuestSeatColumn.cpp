#include "editor/QuestSeatColumn.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <algorithm>

#include "media/WindowControls.h"
#include "ui/start/StartCharacterSheet.h"
#include "ui/start/StartControllerButton.h"

namespace fl3 {
namespace {

constexpr CpuStrength kStrengths[] = {CpuStrength::Easy, CpuStrength::Normal, CpuStrength::Hard};

// The sheet's rows, as far as a quest file can name them.
int CharacterRows(const StartCharacterSheet& sheet) {
  return sheet.Loaded() ? std::min(sheet.Rows(), quest_limits::kMaxCharacter + 1) : quest_limits::kMaxCharacter + 1;
}

std::size_t StrengthIndex(CpuStrength strength) {
  return static_cast<std::size_t>(std::find(std::begin(kStrengths), std::end(kStrengths), strength) - std::begin(kStrengths));
}

}  // namespace

QuestSeatColumn::QuestSeatColumn(int seat, const StartCharacterSheet& sheet,
                                 std::function<void(const OpponentSeat&)> changed, QWidget* parent)
    : QWidget(parent), sheet_(sheet), changed_(std::move(changed)) {
  setObjectName(QStringLiteral("seat_%1").arg(seat));
  resize(kWidth, kHeight);
  auto* title = new QLabel(QStringLiteral("Opponent %1").arg(seat + 1), this);
  title->setGeometry(0, 0, kWidth, 14);
  portrait_ = new QLabel(this);
  portrait_->setObjectName("picChar");
  portrait_->setGeometry(0, 16, 33, 65);
  character_ = new QScrollBar(Qt::Horizontal, this);
  character_->setObjectName("scrollChar");
  character_->setGeometry(0, 82, 33, 13);
  character_->setRange(0, CharacterRows(sheet) - 1);
  controller_ = MakeButton(this, "buttonSeat", "OFF", QRect(38, 16, 57, 20));
  strength_ = MakeButton(this, "buttonStrength", "Normal", QRect(38, 39, 57, 21));
  lives_ = new QSpinBox(this);
  lives_->setObjectName("spinLives");
  lives_->setGeometry(38, 62, 57, 20);
  lives_->setRange(quest_limits::kMinLives, quest_limits::kMaxLives);
  lives_->setSuffix(QStringLiteral(" lives"));

  connect(controller_, &QPushButton::clicked, this, [this] {
    seat_.on = !seat_.on;
    Changed();
  });
  connect(strength_, &QPushButton::clicked, this, [this] {
    seat_.opponent.strength = kStrengths[(StrengthIndex(seat_.opponent.strength) + 1) % std::size(kStrengths)];
    Changed();
  });
  connect(lives_, &QSpinBox::valueChanged, this, [this](int lives) {
    lives_->setSuffix(lives == 1 ? QStringLiteral(" life") : QStringLiteral(" lives"));
    seat_.opponent.lives = lives;
    Changed();
  });
  connect(character_, &QScrollBar::valueChanged, this, [this](int row) {
    seat_.opponent.character = row;
    Changed();
  });
}

void QuestSeatColumn::Show(const OpponentSeat& seat) {
  seat_ = seat;
  showing_ = true;
  ShowSeat(*controller_, seat.on ? SeatChoice::Cpu : SeatChoice::Off);
  strength_->setText(QString::fromStdString(StrengthName(seat.opponent.strength)));
  lives_->setValue(seat.opponent.lives);
  character_->setValue(seat.opponent.character);
  for (QWidget* detail : std::initializer_list<QWidget*>{strength_, lives_, character_}) detail->setEnabled(seat.on);
  ShowPortrait();
  showing_ = false;
}

void QuestSeatColumn::Changed() {
  if (showing_) return;
  // The widgets are shown again from the model the callback leaves.
  changed_(seat_);
}

void QuestSeatColumn::ShowPortrait() {
  if (!sheet_.Loaded() || !seat_.on) {
    portrait_->clear();
    return;
  }
  portrait_->setPixmap(sheet_.Portrait(seat_.opponent.character % sheet_.Rows()));
}

}  // namespace fl3
