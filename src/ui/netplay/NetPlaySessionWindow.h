#pragma once
#include <QDialog>

#include "core/NetPlaySettings.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace fl3 {

class GameFolder;
class Messages;

// "Edit NetPlay Session": what network play keeps beside the join dialog's
// choices: the player's name, the UDP port a host listens on, the input
// delay, whether spectators may watch, and the password a host's waiting
// room begins with. Save keeps them in NETPLAY.OPT (a folder that refuses is
// told, and the window stays); Cancel leaves the file as it was.
class NetPlaySessionWindow : public QDialog {
  Q_OBJECT

 public:
  NetPlaySessionWindow(const GameFolder& folder, Messages& messages, QWidget* parent = nullptr);

  QLineEdit* PlayerName() const { return name_; }
  QSpinBox* Port() const { return port_; }
  QComboBox* InputDelay() const { return delay_; }
  QCheckBox* Spectators() const { return spectators_; }
  QLineEdit* Password() const { return password_; }
  QCheckBox* ShowPassword() const { return showPassword_; }
  QPushButton* SaveButton() const { return save_; }

 private:
  void BuildHostingRows(QFormLayout& form);
  void Save();

  const GameFolder& folder_;
  Messages& messages_;
  NetPlaySettings settings_;
  QLineEdit* name_ = nullptr;
  QSpinBox* port_ = nullptr;
  QComboBox* delay_ = nullptr;
  QCheckBox* spectators_ = nullptr;
  QLineEdit* password_ = nullptr;
  QCheckBox* showPassword_ = nullptr;
  QPushButton* save_ = nullptr;
};

}  // namespace fl3
