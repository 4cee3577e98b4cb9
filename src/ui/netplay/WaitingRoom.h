#pragma once
#include <QDialog>
#include <QTimer>
#include <array>
#include <string>

#include "core/GameState.h"
#include "ui/netplay/NetPlayPump.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace fl3 {

// Where the players gather before a network match. The host's shows the
// addresses to give the others, the password, the seats and Start; a
// client's shows the same seats, read-only, until the host starts. It
// follows the link as the pump services it: accepted when the match
// begins, rejected when the link ends or the player cancels. Enter only
// ever starts (once Start can); the way out is Cancel (or Escape).
class WaitingRoom : public QDialog {
  Q_OBJECT

 public:
  // `hostLabel` names the host for a client ("192.168.1.20:61513").
  WaitingRoom(NetPlayPump& pump, const std::string& hostLabel, QWidget* parent = nullptr);
  ~WaitingRoom() override;

  // The host's: a password to begin with (the session's default).
  void UsePassword(const std::string& password);

  QLabel* Status() const { return status_; }
  QLabel* Addresses() const { return addresses_; }
  QLineEdit* Password() const { return password_; }
  QCheckBox* ShowPassword() const { return showPassword_; }
  QLabel* SeatName(int i) const { return seatNames_.at(static_cast<std::size_t>(i)); }
  QLabel* SeatRoundTrip(int i) const { return seatTrips_.at(static_cast<std::size_t>(i)); }
  QLabel* Spectators() const { return spectators_; }
  QPushButton* StartButton() const { return start_; }
  QPushButton* CancelButton() const { return cancel_; }

 private:
  void BuildHostPart();
  void BuildSeats();
  void BuildButtons();
  void Follow();
  void Refresh();
  void ShowStatus(bool inLobby);
  void PasswordTyped();
  void ApplyPassword();
  void ClosePassword();

  NetPlayPump& pump_;
  NetPlayLink& link_;
  std::string hostLabel_;
  std::string appliedPassword_;
  QTimer typing_;  // the password counts once the typing pauses
  QLabel* status_ = nullptr;
  QLabel* addresses_ = nullptr;
  QLineEdit* password_ = nullptr;
  QCheckBox* showPassword_ = nullptr;
  std::array<QLabel*, FigureCount> seatTitles_{};  // "Player 1".."Player 4"
  std::array<QLabel*, FigureCount> seatNames_{};
  std::array<QLabel*, FigureCount> seatTrips_{};
  QLabel* spectators_ = nullptr;
  QPushButton* start_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace fl3
