#include "editor/QuestStagePanel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSpinBox>
#include <algorithm>

#include "core/GameFolder.h"
#include "core/LevelFile.h"
#include "editor/QuestSeatColumn.h"
#include "media/WindowFonts.h"
#include "ui/quest/LevelPicture.h"

namespace fl3 {
namespace {

constexpr StageRule kRules[] = {StageRule::DefeatAll, StageRule::MostKills, StageRule::Outlast};
constexpr int kSeatsTop = 186;

QLabel* Label(const QString& text, QWidget* parent, QRect where) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(where);
  return label;
}

QSpinBox* Spin(QWidget* parent, const char* name, QRect where, int low, int high) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(name);
  spin->setGeometry(where);
  spin->setRange(low, high);
  return spin;
}

QString Left(const std::string& text, std::size_t limit) {
  return QStringLiteral("%1 characters left").arg(limit - std::min(limit, CharacterCount(text)));
}

}  // namespace

QuestStagePanel::QuestStagePanel(const GameFolder& folder, const StartCharacterSheet& sheet, StageChange change,
                                 QWidget* parent)
    : QGroupBox(parent), folder_(folder), change_(std::move(change)) {
  setObjectName("frameStage");
  resize(kWidth, kHeight);
  Label(QStringLiteral("Level:"), this, QRect(8, 18, 40, 14));
  level_ = new QComboBox(this);
  level_->setObjectName("listLevel");
  level_->setGeometry(48, 15, 251, 21);
  picture_ = new QLabel(this);
  picture_->setObjectName("picLevel");
  picture_->setGeometry(7, 63, MapWidth * kPictureCell + 2, MapHeight * kPictureCell + 2);
  picture_->setFrameShape(QFrame::Box);
  problem_ = Label(QString(), this, QRect(8, 157, 291, 28));
  problem_->setObjectName("labelProblem");
  problem_->setWordWrap(true);
  problem_->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0);"));
  BuildRuleControls();
  for (int i = 0; i < kOpponentSeats; ++i) {
    seats_[static_cast<std::size_t>(i)] = new QuestSeatColumn(
        i, sheet, [this, i](const OpponentSeat& seat) { Change([&](StageDraft& s) { s.seats[static_cast<std::size_t>(i)] = seat; }); },
        this);
    seats_[static_cast<std::size_t>(i)]->move(8 + 98 * i, kSeatsTop);
  }
  Label(QStringLiteral("Briefing:"), this, QRect(8, 286, 100, 14));
  briefingLeft_ = Label(QString(), this, QRect(150, 286, 149, 14));
  briefingLeft_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  briefing_ = new QLineEdit(this);
  briefing_->setObjectName("txtboxBriefing");
  briefing_->setGeometry(8, 301, 291, 20);
  briefing_->setMaxLength(static_cast<int>(quest_limits::kBriefingCharacters));

  connect(level_, &QComboBox::currentIndexChanged, this, [this](int index) {
    const std::string name = level_->itemData(index).toString().toStdString();
    Change([&](StageDraft& s) { s.stage.level = name; });
  });
  connect(briefing_, &QLineEdit::textEdited, this, [this](const QString& text) {
    Change([&](StageDraft& s) { s.stage.briefing = text.toStdString(); });
  });
}

void QuestStagePanel::BuildRuleControls() {
  Label(QStringLiteral("Rule:"), this, QRect(8, 42, 40, 14));
  rule_ = new QComboBox(this);
  rule_->setObjectName("listRule");
  rule_->setGeometry(48, 39, 130, 21);
  for (StageRule rule : kRules) rule_->addItem(QString::fromStdString(RuleName(rule)));
  Label(QStringLiteral("Time:"), this, QRect(166, 66, 34, 14));
  time_ = new QLineEdit(this);
  time_->setObjectName("txtboxTime");
  time_->setGeometry(200, 63, 40, 20);
  time_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), time_));
  Label(QStringLiteral("seconds"), this, QRect(244, 66, 55, 14));
  Label(QStringLiteral("Kills:"), this, QRect(166, 90, 34, 14));
  kills_ = Spin(this, "spinKills", QRect(200, 87, 99, 20), 0, quest_limits::kMaxKills);
  // 0: the players need only more kills than every opponent.
  kills_->setSpecialValueText(QStringLiteral("the most"));
  Label(QStringLiteral("Lives:"), this, QRect(166, 114, 34, 14));
  lives_ = Spin(this, "spinLives", QRect(200, 111, 99, 20), quest_limits::kMinLives, quest_limits::kMaxLives);

  connect(rule_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index >= 0) Change([&](StageDraft& s) { s.stage.rule = kRules[index]; });
  });
  connect(time_, &QLineEdit::textEdited, this, [this](const QString& text) {
    Change([&](StageDraft& s) { s.stage.seconds = text.toInt(); });
  });
  connect(kills_, &QSpinBox::valueChanged, this, [this](int kills) { Change([&](StageDraft& s) { s.stage.kills = kills; }); });
  connect(lives_, &QSpinBox::valueChanged, this, [this](int lives) { Change([&](StageDraft& s) { s.stage.lives = lives; }); });
}

void QuestStagePanel::Change(const std::function<void(StageDraft&)>& change) {
  if (!showing_) change_(change);
}

void QuestStagePanel::Show(const StageDraft& stage, int number, int count, const std::vector<std::string>& levelNames,
                           const std::vector<std::string>& refusals) {
  showing_ = true;
  setTitle(QStringLiteral("Stage %1 of %2").arg(number + 1).arg(count));
  ShowLevel(stage, levelNames);
  const auto rule = std::find(std::begin(kRules), std::end(kRules), stage.stage.rule);
  rule_->setCurrentIndex(static_cast<int>(rule - std::begin(kRules)));
  const bool timed = RuleHasTime(stage.stage.rule), kills = stage.stage.rule == StageRule::MostKills;
  time_->setEnabled(timed);
  if (!time_->hasFocus()) time_->setText(stage.stage.seconds > 0 ? QString::number(stage.stage.seconds) : QString());
  kills_->setEnabled(kills);
  kills_->setValue(stage.stage.kills);
  // Most kills counts every figure's kills from 0.
  lives_->setEnabled(!kills);
  lives_->setValue(stage.stage.lives);
  for (std::size_t i = 0; i < seats_.size(); ++i) seats_[i]->Show(stage.seats[i]);
  if (briefing_->text().toStdString() != stage.stage.briefing) {
    briefing_->setText(QString::fromStdString(stage.stage.briefing));
    briefing_->setCursorPosition(0);  // the line's start shows
  }
  briefingLeft_->setText(Left(stage.stage.briefing, quest_limits::kBriefingCharacters));
  QString problems;
  for (const std::string& refusal : refusals) problems += (problems.isEmpty() ? "" : "; ") + QString::fromStdString(refusal);
  problem_->setText(problems.isEmpty() ? QString() : QStringLiteral("Cannot be played: ") + problems + ".");
  // Several reasons at once get a smaller font rather than a cut.
  problem_->setFont(FittingWrappedFont(font(), problem_->text(), problem_->size()));
  problem_->setToolTip(problem_->text());
  showing_ = false;
}

// A level the folder no longer holds stays in the list, in red, so that the
// stage shows what it names.
void QuestStagePanel::ShowLevel(const StageDraft& stage, const std::vector<std::string>& levelNames) {
  const std::string& chosen = stage.stage.level;
  level_->clear();
  int index = -1;
  for (const std::string& name : levelNames) {
    if (index < 0 && EqualsIgnoringCase(name, chosen)) index = level_->count();
    level_->addItem(QString::fromStdString(name), QString::fromStdString(name));
  }
  if (index < 0) {
    level_->insertItem(0, QString::fromStdString(chosen.empty() ? "(none)" : chosen + " (missing)"),
                       QString::fromStdString(chosen));
    level_->setItemData(0, QColor(200, 0, 0), Qt::ForegroundRole);
    index = 0;
  }
  level_->setCurrentIndex(index);
  // The start cells marked are those the stage may fill: two players and its opponents.
  const int seats = std::min<int>(FigureCount, static_cast<int>(StageOf(stage).opponents.size()) + 2);
  const std::string shown = chosen + "/" + std::to_string(seats);
  if (shownLevel_ == shown) return;
  shownLevel_ = shown;
  std::array<bool, FigureCount> playing{};
  for (int i = 0; i < seats; ++i) playing[static_cast<std::size_t>(i)] = true;
  const std::optional<LevelData> level = LevelsOf(folder_)(chosen);
  picture_->setPixmap(level ? QPixmap::fromImage(DrawLevelPicture(*level, folder_, kPictureCell, playing)) : QPixmap());
}

}  // namespace fl3
