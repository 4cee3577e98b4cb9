#pragma once
#include <QDialog>
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/GameState.h"
#include "core/NetPlaySettings.h"
#include "ui/netplay/HostAddress.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace fl3 {

class Messages;

// What the player asked for in the join dialog.
struct JoinRequest {
  HostAddress address;
  std::string name;
  bool watch = false;  // a spectator
  int players = 1;     // at this keyboard: 1 or 2
  std::array<int, 2> layouts{0, 1};
  std::string password;
};

// "Join": the host's address, the player's name, how many play at this
// keyboard and with whose keys and pad, and the password; "Join" and
// "Watch". A choice that cannot work is explained and the dialog stays.
class JoinDialog : public QDialog {
  Q_OBJECT

 public:
  JoinDialog(const GameState& state, const NetPlaySettings& remembered, std::uint16_t defaultPort,
             Messages& messages, QWidget* parent = nullptr);

  // The request, after the dialog was accepted.
  const JoinRequest& Request() const { return request_; }
  // The settings to remember: the address and name as typed, the players and layouts.
  NetPlaySettings Remembered(NetPlaySettings settings) const;

  QLineEdit* Address() const { return address_; }
  QLineEdit* PlayerName() const { return name_; }
  QComboBox* Players() const { return players_; }
  QComboBox* Layout(int i) const { return layouts_.at(static_cast<std::size_t>(i)); }
  QLabel* LayoutKeys(int i) const { return layoutKeys_.at(static_cast<std::size_t>(i)); }
  QLineEdit* PasswordEntry() const { return password_; }
  QPushButton* JoinButton() const { return join_; }
  QPushButton* WatchButton() const { return watch_; }

 private:
  void Submit(bool watch);
  std::optional<std::string> Problem(bool watch);

  Messages& messages_;
  std::uint16_t defaultPort_;
  JoinRequest request_;
  QLineEdit* address_ = nullptr;
  QLineEdit* name_ = nullptr;
  QComboBox* players_ = nullptr;
  std::array<QComboBox*, 2> layouts_{};
  std::array<QLabel*, 2> layoutKeys_{};  // the keys of the chosen layout
  QLineEdit* password_ = nullptr;
  QPushButton* join_ = nullptr;
  QPushButton* watch_ = nullptr;
};

}  // namespace fl3
