#include "editor/QuestEditorWindow.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSpinBox>

#include "core/GameFolder.h"
#include "core/Messages.h"
#include "editor/EditorFileFrame.h"
#include "editor/QuestStagePanel.h"
#include "editor/SimpleComboBox.h"
#include "editor/model/EditorFiles.h"
#include "editor/questmodel/QuestEditorFiles.h"
#include "editor/questmodel/QuestEditorMessages.h"
#include "editor/questmodel/QuestRefusals.h"
#include "editor/questmodel/QuestSharing.h"
#include "media/WindowControls.h"
#include "media/WindowFonts.h"
#include "ui/start/StartKinds.h"

namespace fl3 {
namespace {

std::string FirstLevel(const GameFolder& folder) {
  const std::vector<std::string> names = LevelFileNames(folder);
  return names.empty() ? std::string() : names.front();
}

QLabel* Label(const QString& text, QWidget* parent, QRect where) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(where);
  return label;
}

QString StageEntry(const StageDraft& stage, int number) {
  return QStringLiteral("%1. %2, %3")
      .arg(number + 1)
      .arg(QString::fromStdString(stage.stage.level.empty() ? "(no level)" : stage.stage.level),
           QString::fromStdString(RuleName(stage.stage.rule)));
}

}  // namespace

frmQuestEdit::frmQuestEdit(const GameFolder& folder, Messages& messages, TryStageHook tryStage, QWidget* parent)
    : QDialog(parent),
      folder_(folder),
      messages_(messages),
      tryStage_(std::move(tryStage)),
      levels_(LevelsOf(folder)),
      editor_(messages, FirstLevel(folder)) {
  setObjectName("frmQuestEdit");
  setWindowTitle("FUSELARK3 - Quest Editor");
  setFont(WindowFont());
  setFixedSize(kClientWidth, kClientHeight);
  sheet_.Load(folder_);
  BuildFileFrame();
  BuildQuestFrame();
  BuildShareFrame();
  BuildStageList();
  stage_ = new QuestStagePanel(folder_, sheet_, [this](const std::function<void(StageDraft&)>& change) {
    editor_.ChangeChosenStage(change);
    ShowStageList();
    ShowChosenStage();
  }, this);
  stage_->move(389, 4);
  BuildBottomRow();
  FillFileList();
  ShowAll();
}

frmQuestEdit::~frmQuestEdit() = default;

void frmQuestEdit::BuildFileFrame() {
  const EditorFileFrame frame = BuildEditorFileFrame(this);
  listFiles_ = frame.listFiles;
  buttonOpen_ = frame.buttonOpen;
  buttonSave_ = frame.buttonSave;
  connect(buttonOpen_, &QPushButton::clicked, this, &frmQuestEdit::OnOpen);
  connect(buttonSave_, &QPushButton::clicked, this, &frmQuestEdit::OnSaveAs);
}

void frmQuestEdit::BuildQuestFrame() {
  auto* frame = new QGroupBox("Quest", this);
  frame->setGeometry(4, 128, 169, 190);
  Label("Name:", frame, QRect(8, 16, 153, 14));
  name_ = new QLineEdit(frame);
  name_->setObjectName("txtboxName");
  name_->setGeometry(8, 31, 153, 20);
  name_->setMaxLength(static_cast<int>(quest_limits::kNameCharacters));
  Label("About:", frame, QRect(8, 55, 153, 14));
  about_ = new QPlainTextEdit(frame);
  about_->setObjectName("txtboxAbout");
  about_->setGeometry(8, 70, 153, 78);
  about_->setTabChangesFocus(true);
  about_->installEventFilter(this);
  aboutLeft_ = Label(QString(), frame, QRect(8, 150, 153, 14));
  Label("Tries:", frame, QRect(8, 168, 40, 14));
  tries_ = new QSpinBox(frame);
  tries_->setObjectName("spinTries");
  tries_->setGeometry(48, 165, 45, 20);
  tries_->setRange(quest_limits::kMinTries, quest_limits::kMaxTries);

  connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) { editor_.SetName(text.toStdString()); });
  connect(about_, &QPlainTextEdit::textChanged, this, &frmQuestEdit::TakeAbout);
  connect(tries_, &QSpinBox::valueChanged, this, [this](int tries) {
    if (!showing_) editor_.SetTries(tries);
  });
}

void frmQuestEdit::BuildShareFrame() {
  auto* frame = new QGroupBox("Share with a friend", this);
  frame->setGeometry(4, 320, 169, 48);
  auto* exportButton = MakeButton(frame, "buttonExport", "Export...", QRect(8, 20, 77, 21));
  auto* importButton = MakeButton(frame, "buttonImport", "Import...", QRect(84, 20, 77, 21));
  exportButton->setToolTip("Writes the quest and the levels it uses into one folder");
  importButton->setToolTip("Reads a quest file and the levels beside it");
  connect(exportButton, &QPushButton::clicked, this, &frmQuestEdit::OnExport);
  connect(importButton, &QPushButton::clicked, this, &frmQuestEdit::OnImport);
}

void frmQuestEdit::BuildStageList() {
  auto* frame = new QGroupBox("Stages", this);
  frame->setGeometry(176, 4, 210, 364);
  stages_ = new QListWidget(frame);
  stages_->setObjectName("listStages");
  stages_->setGeometry(8, 16, 194, 264);
  add_ = MakeButton(frame, "buttonAdd", "Add", QRect(8, 284, 95, 21));
  duplicate_ = MakeButton(frame, "buttonDuplicate", "Duplicate", QRect(107, 284, 95, 21));
  delete_ = MakeButton(frame, "buttonDelete", "Delete", QRect(8, 308, 194, 21));
  up_ = MakeButton(frame, "buttonUp", "Move Up", QRect(8, 332, 95, 21));
  down_ = MakeButton(frame, "buttonDown", "Move Down", QRect(107, 332, 95, 21));
  const std::pair<QPushButton*, bool (QuestEditorModel::*)()> moves[] = {
      {add_, &QuestEditorModel::AddStage},      {duplicate_, &QuestEditorModel::DuplicateStage},
      {delete_, &QuestEditorModel::DeleteStage}, {up_, &QuestEditorModel::MoveStageUp},
      {down_, &QuestEditorModel::MoveStageDown}};
  for (const auto& [button, move] : moves) {
    connect(button, &QPushButton::clicked, this, [this, move = move] { StageListMove(move); });
  }
  AddShortcut(QKeySequence(Qt::CTRL | Qt::Key_N), add_);
  AddShortcut(QKeySequence(Qt::CTRL | Qt::Key_D), duplicate_);
  AddShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete), delete_);
  AddShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up), up_);
  AddShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down), down_);
  // Delete alone only in the list, where it cannot mean a character.
  auto* deleteInList = new QShortcut(QKeySequence(Qt::Key_Delete), stages_, nullptr, nullptr, Qt::WidgetShortcut);
  connect(deleteInList, &QShortcut::activated, delete_, &QPushButton::click);
  connect(stages_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (showing_ || row < 0) return;
    editor_.Choose(row);
    ShowChosenStage();
  });
}

void frmQuestEdit::AddShortcut(const QKeySequence& keys, QPushButton* button) {
  auto* shortcut = new QShortcut(keys, this);
  connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
  button->setToolTip(keys.toString(QKeySequence::NativeText));
}

void frmQuestEdit::BuildBottomRow() {
  players_ = new QComboBox(this);
  players_->setObjectName("listPlayers");
  players_->setGeometry(389, 344, 105, 21);
  for (const char* players : kQuestPlayers) players_->addItem(players);
  try_ = MakeButton(this, "buttonTry", "Try Stage", QRect(498, 344, 110, 21));
  exit_ = MakeButton(this, "buttonExit", "Exit", QRect(631, 344, 65, 21));
  AddShortcut(QKeySequence(Qt::CTRL | Qt::Key_T), try_);
  connect(try_, &QPushButton::clicked, this, &frmQuestEdit::OnTry);
  connect(exit_, &QPushButton::clicked, this, &frmQuestEdit::OnExit);
}

void frmQuestEdit::FillFileList() {
  QStringList names;
  for (const std::string& name : QuestFileNames(folder_)) names << QString::fromStdString(name);
  listFiles_->setItems(names);
}

void frmQuestEdit::ShowAll() {
  showing_ = true;
  const QuestDraft& quest = editor_.Draft();
  if (name_->text().toStdString() != quest.name) name_->setText(QString::fromStdString(quest.name));
  if (about_->toPlainText().toStdString() != quest.about) about_->setPlainText(QString::fromStdString(quest.about));
  aboutLeft_->setText(QStringLiteral("%1 characters left")
                          .arg(quest_limits::kAboutCharacters - std::min(quest_limits::kAboutCharacters, CharacterCount(quest.about))));
  tries_->setValue(quest.tries);
  showing_ = false;
  ShowStageList();
  ShowChosenStage();
}

// Every stage by its number, level and rule; one that cannot be played is red
// and says why when pointed at.
void frmQuestEdit::ShowStageList() {
  showing_ = true;
  const std::vector<StageDraft>& stages = editor_.Draft().stages;
  while (stages_->count() > static_cast<int>(stages.size())) delete stages_->takeItem(stages_->count() - 1);
  while (stages_->count() < static_cast<int>(stages.size())) stages_->addItem(QString());
  for (int i = 0; i < static_cast<int>(stages.size()); ++i) {
    QListWidgetItem* item = stages_->item(i);
    const std::vector<std::string> refusals = StageRefusals(stages[static_cast<std::size_t>(i)], levels_);
    item->setText((refusals.empty() ? QString() : QStringLiteral("! ")) + StageEntry(stages[static_cast<std::size_t>(i)], i));
    item->setForeground(refusals.empty() ? palette().text() : QBrush(QColor(200, 0, 0)));
    QString why;
    for (const std::string& refusal : refusals) why += (why.isEmpty() ? "" : "\n") + QString::fromStdString(refusal);
    item->setToolTip(why);
  }
  stages_->setCurrentRow(editor_.Chosen());
  add_->setEnabled(editor_.CanAdd());
  duplicate_->setEnabled(editor_.CanAdd());
  delete_->setEnabled(editor_.CanDelete());
  up_->setEnabled(editor_.CanMoveUp());
  down_->setEnabled(editor_.CanMoveDown());
  showing_ = false;
}

void frmQuestEdit::ShowChosenStage() {
  stage_->Show(editor_.ChosenStage(), editor_.Chosen(), static_cast<int>(editor_.Draft().stages.size()),
               LevelFileNames(folder_), StageRefusals(editor_.ChosenStage(), levels_));
}

// The paragraph is one line in the file: what the file cannot hold is shown
// as it will be kept.
void frmQuestEdit::TakeAbout() {
  if (showing_) return;
  const QString typed = about_->toPlainText();
  editor_.SetAbout(typed.toStdString());
  const QString kept = QString::fromStdString(editor_.Draft().about);
  if (kept != typed) {
    const int cursor = about_->textCursor().position();
    const QSignalBlocker quiet(about_);
    about_->setPlainText(kept);
    QTextCursor moved = about_->textCursor();
    moved.setPosition(std::min<int>(cursor, static_cast<int>(kept.size())));
    about_->setTextCursor(moved);
  }
  aboutLeft_->setText(QStringLiteral("%1 characters left")
                          .arg(quest_limits::kAboutCharacters -
                               std::min(quest_limits::kAboutCharacters, CharacterCount(editor_.Draft().about))));
}

bool frmQuestEdit::eventFilter(QObject* watched, QEvent* event) {
  // Return in the paragraph would start a second line, which a quest has not.
  if (watched == about_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
  }
  return QDialog::eventFilter(watched, event);
}

void frmQuestEdit::StageListMove(bool (QuestEditorModel::*move)()) {
  if ((editor_.*move)()) {
    ShowStageList();
    ShowChosenStage();
  }
}

void frmQuestEdit::OnOpen() {
  if (!OpenQuest(editor_, folder_, listFiles_->text().toStdString())) return;
  ShowAll();
}

void frmQuestEdit::OnSaveAs() {
  std::string name = listFiles_->text().toStdString();
  const bool saved = SaveQuestAs(editor_, folder_, levels_, name);
  listFiles_->setText(QString::fromStdString(name));
  if (saved) FillFileList();
}

void frmQuestEdit::OnExport() {
  const QString target = QFileDialog::getExistingDirectory(this, "Export the quest and its levels into");
  if (target.isEmpty()) return;
  std::string name = listFiles_->text().toStdString();
  ExportQuest(editor_, folder_, levels_, name, target.toStdString());
  listFiles_->setText(QString::fromStdString(name));
}

void frmQuestEdit::OnImport() {
  const QString file = QFileDialog::getOpenFileName(this, "Import a quest", QString(), "Quests (*.FLQ *.flq)");
  if (file.isEmpty()) return;
  std::string name;
  if (!ImportQuest(editor_, folder_, file.toStdString(), name)) return;
  listFiles_->setText(QString::fromStdString(name));
  ShowAll();
}

// The editor stays as it was: the stage is played from a copy of the quest.
void frmQuestEdit::OnTry() {
  if (trying_) return;
  const int stage = editor_.Chosen();
  if (const std::vector<std::string> refusals = StageRefusals(editor_.ChosenStage(), levels_); !refusals.empty()) {
    std::string text = "Stage " + std::to_string(stage + 1) + " cannot be played yet:";
    for (const std::string& refusal : refusals) text += "\n" + refusal + ".";
    messages_.Show(text, kStageNotPlayableTitle, MessageIcon::Critical, MessageButtons::Ok);
    return;
  }
  trying_ = true;
  if (tryStage_) tryStage_(editor_.ToQuest(), stage, players_->currentIndex() + 1);
  trying_ = false;
  activateWindow();
}

void frmQuestEdit::OnExit() {
  if (trying_ || !ExitQuestEditor(editor_)) return;
  QDialog::reject();
}

void frmQuestEdit::reject() { OnExit(); }

}  // namespace fl3
