#pragma once
#include <QDialog>

#include "editor/model/LevelMusicChoice.h"

class QComboBox;
class QPushButton;

namespace fl3 {

// "Extended Level Properties (Alphanumerical)": the level's music, picked
// from the folder's tunes, with a test playing. The music engine lives from
// the dialog's opening to its closing, however it is closed.
class frmNormalEditPropT : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 311;
  static constexpr int kClientHeight = 391;

  frmNormalEditPropT(GameState& state, const GameFolder& folder, Messages& messages, MusicEngine& music,
                     QWidget* parent = nullptr);
  ~frmNormalEditPropT() override;

  QComboBox* listMusic() const { return listMusic_; }
  QPushButton* buttonMusicTest() const { return buttonMusicTest_; }
  QPushButton* buttonClose() const { return buttonClose_; }

  // "Close", the window manager and Escape: stop a test, release the music.
  void reject() override;

 private:
  void OnTest();

  LevelMusicChoice choice_;
  QComboBox* listMusic_ = nullptr;
  QPushButton* buttonMusicTest_ = nullptr;
  QPushButton* buttonClose_ = nullptr;
};

}  // namespace fl3
