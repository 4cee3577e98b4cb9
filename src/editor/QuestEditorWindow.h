#pragma once
#include <QDialog>
#include <functional>

#include "editor/questmodel/QuestEditorModel.h"
#include "quest/QuestFile.h"
#include "ui/start/StartCharacterSheet.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace fl3 {

class GameFolder;
class Messages;
class QuestStagePanel;
class SimpleComboBox;

// Plays one stage of a quest at once (its card, its match, its result) and
// returns when it is over: the quest, the stage from 0, how many play.
using TryStageHook = std::function<void(const Quest& quest, int stage, int players)>;

// The quest editor: the quest's name, paragraph and tries, its stages in a
// list, the chosen stage, Open / Save As / Exit as in the level editor,
// exporting and importing a quest with its levels, and trying a stage.
// Leaving by "Exit", Escape or the window manager asks about unsaved changes.
//
// Child widgets carry object names: "listFiles", "buttonOpen", "buttonSave",
// "txtboxName", "txtboxAbout", "spinTries", "listStages", "buttonAdd",
// "buttonDuplicate", "buttonDelete", "buttonUp", "buttonDown", "buttonExport",
// "buttonImport", "listPlayers", "buttonTry", "buttonExit" and the stage's
// (QuestStagePanel).
class frmQuestEdit : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 700;
  static constexpr int kClientHeight = 372;

  frmQuestEdit(const GameFolder& folder, Messages& messages, TryStageHook tryStage, QWidget* parent = nullptr);
  ~frmQuestEdit() override;

  QuestEditorModel& Model() { return editor_; }
  SimpleComboBox* listFiles() const { return listFiles_; }
  QPushButton* buttonOpen() const { return buttonOpen_; }
  QPushButton* buttonSave() const { return buttonSave_; }
  QLineEdit* txtboxName() const { return name_; }
  QPlainTextEdit* txtboxAbout() const { return about_; }
  QSpinBox* spinTries() const { return tries_; }
  QListWidget* listStages() const { return stages_; }
  QPushButton* buttonAdd() const { return add_; }
  QPushButton* buttonDuplicate() const { return duplicate_; }
  QPushButton* buttonDelete() const { return delete_; }
  QPushButton* buttonUp() const { return up_; }
  QPushButton* buttonDown() const { return down_; }
  QuestStagePanel* stagePanel() const { return stage_; }
  QComboBox* listPlayers() const { return players_; }
  QPushButton* buttonTry() const { return try_; }
  QPushButton* buttonExit() const { return exit_; }

  // Leaving by the window manager or Escape runs the same sequence as "Exit".
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildFileFrame();
  void BuildQuestFrame();
  void BuildShareFrame();
  void BuildStageList();
  void BuildBottomRow();
  void AddShortcut(const QKeySequence& keys, QPushButton* button);
  void FillFileList();
  void ShowAll();
  void ShowStageList();
  void ShowChosenStage();
  void TakeAbout();
  void StageListMove(bool (QuestEditorModel::*move)());
  void OnOpen();
  void OnSaveAs();
  void OnExport();
  void OnImport();
  void OnTry();
  void OnExit();

  const GameFolder& folder_;
  Messages& messages_;
  TryStageHook tryStage_;
  QuestLevels levels_;
  StartCharacterSheet sheet_;
  QuestEditorModel editor_;
  bool showing_ = false;
  bool trying_ = false;

  SimpleComboBox* listFiles_ = nullptr;
  QPushButton* buttonOpen_ = nullptr;
  QPushButton* buttonSave_ = nullptr;
  QLineEdit* name_ = nullptr;
  QPlainTextEdit* about_ = nullptr;
  QLabel* aboutLeft_ = nullptr;
  QSpinBox* tries_ = nullptr;
  QListWidget* stages_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* duplicate_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* up_ = nullptr;
  QPushButton* down_ = nullptr;
  QuestStagePanel* stage_ = nullptr;
  QComboBox* players_ = nullptr;
  QPushButton* try_ = nullptr;
  QPushButton* exit_ = nullptr;
};

}  // namespace fl3
