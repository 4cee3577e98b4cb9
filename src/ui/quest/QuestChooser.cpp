#include "ui/quest/QuestChooser.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/quest/QuestTexts.h"

namespace fl3 {
namespace {

constexpr int kWidth = 560, kHeight = 340;

QLabel* Wrapped(QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

}  // namespace

QuestChooser::QuestChooser(const std::vector<QuestChoiceEntry>& quests, QWidget* parent)
    : QDialog(parent), quests_(quests) {
  setWindowTitle(QStringLiteral("Quests"));
  setFixedSize(kWidth, kHeight);
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("listQuests"));
  list_->setFixedWidth(180);
  for (const QuestChoiceEntry& entry : quests_) {
    const std::string& name = entry.file.refusal.empty() ? entry.file.quest.name : entry.file.fileName;
    list_->addItem(QString::fromStdString(name));
  }
  name_ = Wrapped(this);
  QFont bold = name_->font();
  bold.setBold(true);
  name_->setFont(bold);
  about_ = Wrapped(this);
  reached_ = Wrapped(this);
  best_ = Wrapped(this);
  continue_ = new QPushButton(QStringLiteral("Continue"), this);
  fromStart_ = new QPushButton(QStringLiteral("From the Start"), this);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  continue_->setDefault(true);

  auto* details = new QVBoxLayout;
  for (QLabel* label : {name_, about_}) details->addWidget(label);
  details->addStretch(1);
  for (QLabel* label : {reached_, best_}) details->addWidget(label);
  auto* top = new QHBoxLayout;
  top->addWidget(list_);
  top->addLayout(details, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* button : {continue_, fromStart_, cancel_}) buttons->addWidget(button);
  auto* whole = new QVBoxLayout(this);
  whole->addLayout(top, 1);
  whole->addLayout(buttons);

  connect(list_, &QListWidget::currentRowChanged, this, &QuestChooser::ShowQuest);
  connect(list_, &QListWidget::itemActivated, this, [this] { Choose(false); });
  connect(continue_, &QPushButton::clicked, this, [this] { Choose(false); });
  connect(fromStart_, &QPushButton::clicked, this, [this] { Choose(true); });
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  list_->setCurrentRow(0);
  list_->setFocus();
}

void QuestChooser::ShowQuest(int row) {
  if (row < 0 || row >= static_cast<int>(quests_.size())) return;
  const QuestChoiceEntry& entry = quests_[static_cast<std::size_t>(row)];
  const bool playable = entry.file.refusal.empty();
  const int stages = static_cast<int>(entry.file.quest.stages.size());
  name_->setText(QString::fromStdString(playable ? entry.file.quest.name : entry.file.fileName));
  std::string about = playable ? entry.file.quest.about : "Cannot be played: " + entry.file.refusal;
  for (const UnplayableStage& stage : playable ? entry.file.passedOver : std::vector<UnplayableStage>{}) {
    about += "\nStage " + std::to_string(stage.stage + 1) + " is passed over: " + stage.reason + ".";
  }
  about_->setText(QString::fromStdString(about));
  reached_->setText(playable ? Reached(entry.record, stages) : QString());
  best_->setText(playable ? BestRun(entry.record, stages) : QString());
  continue_->setEnabled(playable);
  fromStart_->setEnabled(playable);
}

void QuestChooser::Choose(bool fromStart) {
  const int row = list_->currentRow();
  if (row < 0 || !quests_[static_cast<std::size_t>(row)].file.refusal.empty()) return;
  choice_ = QuestChoice{static_cast<std::size_t>(row), fromStart};
  accept();
}

}  // namespace fl3
