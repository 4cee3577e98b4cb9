#pragma once
#include <QDialog>
#include <array>

#include "editor/model/EditorModel.h"

class QCheckBox;
class QPushButton;
class QTimer;

namespace fl3 {

struct GameState;
class EditorCanvas;
class EditorPalette;
class GameFolder;
class Messages;
class MusicEngine;
class SimpleComboBox;

// The level editor. It edits the shared level in place; build one for each
// opening and call OpenModal(), which returns once the editor has been left
// (by "Exit", the window manager's close button or Escape, all of which ask
// about unsaved changes and clear the shared level on leaving).
//
// Child widgets carry the control names as object names: "listFiles",
// "buttonOpen", "buttonSave", "buttonExit", "buttonLevel_0" (numbers),
// "buttonLevel_1" (texts), "picMap", "optionDraw_0", "optionDraw_2",
// "checkItems", "SSTab1" and the palette's choices (EditorPalette).
class frmNormalEdit : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 579;
  static constexpr int kClientHeight = 303;
  static constexpr int kPointerTimerMs = 125;

  frmNormalEdit(GameState& state, const GameFolder& folder, Messages& messages, MusicEngine& music,
                QWidget* parent = nullptr);
  ~frmNormalEdit() override;

  void OpenModal();

  EditorModel& Model() { return editor_; }
  EditorCanvas* picMap() const { return canvas_; }
  EditorPalette* palette() const { return palette_; }
  SimpleComboBox* listFiles() const { return listFiles_; }
  QPushButton* buttonOpen() const { return buttonOpen_; }
  QPushButton* buttonSave() const { return buttonSave_; }
  QPushButton* buttonExit() const { return buttonExit_; }
  QPushButton* buttonLevel(int i) const { return buttonLevel_.at(static_cast<std::size_t>(i)); }
  QPushButton* optionDraw(int i) const { return i == 0 ? optionDrawDot_ : optionDrawRectangle_; }
  QCheckBox* checkItems() const { return checkItems_; }
  QTimer* timerMouse() const { return timerMouse_; }

  // The editor became the active window: canvas set up anew and the level
  // list refilled (the typed name stays).
  void Activate();

  // Leaving by the window manager or Escape runs the same sequence as "Exit".
  void reject() override;

 protected:
  bool event(QEvent* event) override;

 private:
  void BuildFileFrame();
  void BuildCanvasControls();
  void YA();
  void FillFileList();
  void OnOpen();
  void OnSaveAs();
  void OnExit();
  void OnPointerTimer();
  void ShowPropertyDialog(int index);

  GameState& state_;
  const GameFolder& folder_;
  Messages& messages_;
  MusicEngine& music_;
  EditorModel editor_;

  SimpleComboBox* listFiles_ = nullptr;
  QPushButton* buttonOpen_ = nullptr;
  QPushButton* buttonSave_ = nullptr;
  EditorPalette* palette_ = nullptr;
  EditorCanvas* canvas_ = nullptr;
  QPushButton* optionDrawDot_ = nullptr;
  QPushButton* optionDrawRectangle_ = nullptr;
  QCheckBox* checkItems_ = nullptr;
  std::array<QPushButton*, 2> buttonLevel_{};
  QPushButton* buttonExit_ = nullptr;
  QTimer* timerMouse_ = nullptr;
  bool activatedOnce_ = false;
  bool missingPicturesReported_ = false;
  bool left_ = false;
};

}  // namespace fl3
