#include "ui/netplay/WaitingRoom.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/netplay/LocalAddresses.h"
#include "ui/netplay/PasswordRow.h"
#include "ui/netplay/WaitingRoomText.h"

namespace fl3 {
namespace {

constexpr int kTypingPauseMs = 600;

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

WaitingRoom::WaitingRoom(NetPlayPump& pump, const std::string& hostLabel, QWidget* parent)
    : QDialog(parent), pump_(pump), link_(pump.Link()), hostLabel_(hostLabel) {
  setWindowTitle(link_.Watching() ? QStringLiteral("Waiting room (watching)") : QStringLiteral("Waiting room"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  status_ = new QLabel(this);
  status_->setWordWrap(true);
  layout->addWidget(status_);
  if (link_.IsHost()) BuildHostPart();
  BuildSeats();
  BuildButtons();
  layout->setSizeConstraint(QLayout::SetFixedSize);

  typing_.setSingleShot(true);
  typing_.setInterval(kTypingPauseMs);
  connect(&typing_, &QTimer::timeout, this, &WaitingRoom::ApplyPassword);
  connect(&pump_, &NetPlayPump::Serviced, this, &WaitingRoom::Follow);
  Refresh();
}

WaitingRoom::~WaitingRoom() { link_.HoldAdmissions(false); }

void WaitingRoom::BuildHostPart() {
  auto* layout = static_cast<QVBoxLayout*>(this->layout());
  layout->addWidget(new QLabel(QStringLiteral("Give the other players one of these addresses:"), this));
  addresses_ = new QLabel(Text(HostAddressLines(LocalIpv4Addresses(), link_.Port())), this);
  addresses_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  addresses_->setIndent(12);
  layout->addWidget(addresses_);
  auto* router = new QLabel(Text(RouterLine(link_.Port())), this);
  router->setWordWrap(true);
  layout->addWidget(router);
  const PasswordRow row = MakePasswordRow(this, QStringLiteral("none"));
  std::tie(password_, showPassword_) = std::pair(row.field, row.show);
  row.layout->insertWidget(0, new QLabel(QStringLiteral("Password (optional):"), this));
  layout->addLayout(row.layout);
  connect(password_, &QLineEdit::textEdited, this, &WaitingRoom::PasswordTyped);
  connect(password_, &QLineEdit::editingFinished, this, &WaitingRoom::ApplyPassword);
  password_->setFocus();
}

void WaitingRoom::BuildSeats() {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(16);
  for (int i = 0; i < FigureCount; ++i) {
    const auto at = static_cast<std::size_t>(i);
    seatTitles_[at] = new QLabel(QStringLiteral("Player %1").arg(i + 1), this);
    grid->addWidget(seatTitles_[at], i, 0);
    seatNames_[at] = new QLabel(this);
    seatNames_[at]->setMinimumWidth(180);
    grid->addWidget(seatNames_[at], i, 1);
    seatTrips_[at] = new QLabel(this);
    seatTrips_[at]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    seatTrips_[at]->setMinimumWidth(60);
    grid->addWidget(seatTrips_[at], i, 2);
  }
  spectators_ = new QLabel(this);
  grid->addWidget(spectators_, FigureCount, 0, 1, 3);
  static_cast<QVBoxLayout*>(layout())->addLayout(grid);
}

// Enter presses Start and nothing else: the way out takes a click or Escape,
// and never gets the focus by itself.
void WaitingRoom::BuildButtons() {
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  if (link_.IsHost()) {
    start_ = new QPushButton(QStringLiteral("Start"), this);
    start_->setDefault(true);
    buttons->addWidget(start_);
    connect(start_, &QPushButton::clicked, this, [this] {
      ApplyPassword();
      if (link_.StartMatch(pump_.Time().NowMs())) accept();
    });
  }
  cancel_ = new QPushButton(link_.IsHost() ? QStringLiteral("Cancel") : QStringLiteral("Leave"), this);
  cancel_->setAutoDefault(false);
  cancel_->setFocusPolicy(Qt::ClickFocus);
  buttons->addWidget(cancel_);
  static_cast<QVBoxLayout*>(layout())->addLayout(buttons);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void WaitingRoom::UsePassword(const std::string& password) {
  if (password_ == nullptr) return;
  password_->setText(Text(password));
  ApplyPassword();
}

// Nobody is let in while a password is being typed, so none is admitted
// under a password about to change.
void WaitingRoom::PasswordTyped() {
  link_.HoldAdmissions(true);
  typing_.start();
}

void WaitingRoom::ApplyPassword() {
  if (password_ == nullptr) return;
  typing_.stop();
  const std::string typed = password_->text().toStdString();
  if (typed != appliedPassword_) {
    if (link_.SetPassword(typed)) {
      appliedPassword_ = typed;
    } else {
      password_->setText(Text(appliedPassword_));
    }
  }
  link_.HoldAdmissions(false);
}

// Once somebody is in, the password that let them in stays. The focus moves
// on to the Show box or Start: Cancel takes none by itself.
void WaitingRoom::ClosePassword() {
  ApplyPassword();
  password_->setEnabled(false);
  password_->setToolTip(QStringLiteral("Players are in: the password that let them in stays."));
}

void WaitingRoom::Follow() {
  if (!isVisible()) return;
  Refresh();
  switch (link_.CurrentStage()) {
    case NetPlayLink::Stage::Running: return accept();
    case NetPlayLink::Stage::Over: return reject();
    default: break;
  }
}

void WaitingRoom::ShowStatus(bool inLobby) {
  if (link_.IsHost()) {
    status_->setText(QStringLiteral("Waiting for the players. Start (or Enter) begins the match once every NET seat "
                                    "is taken."));
  } else if (!inLobby) {
    status_->setText(Text("Connecting to " + hostLabel_ + (link_.Watching() ? " to watch" : "") + " ..."));
  } else if (link_.Watching()) {
    status_->setText(Text("You watch " + hostLabel_ + "'s match: you follow it a few frames behind and steer "
                          "nothing. Waiting for the host to start it."));
  } else {
    status_->setText(Text("Joined " + hostLabel_ + ". Waiting for the host to start the match."));
  }
}

// While connecting, nothing is known of the seats, so none are shown.
void WaitingRoom::Refresh() {
  const net::Lobby lobby = link_.LobbyView();
  const bool inLobby = link_.CurrentStage() != NetPlayLink::Stage::Connecting;
  ShowStatus(inLobby);
  for (QLabel* seatLabel : seatTitles_) seatLabel->setVisible(inLobby);
  for (QLabel* seatLabel : seatNames_) seatLabel->setVisible(inLobby);
  for (QLabel* seatLabel : seatTrips_) seatLabel->setVisible(inLobby);
  spectators_->setVisible(inLobby);
  const std::array<SeatLine, FigureCount> lines = SeatLines(lobby, link_.OwnFigures(), link_.IsHost());
  bool anybody = lobby.spectators > 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    anybody = anybody || lobby.seats[i].state == net::SeatState::Taken;
    seatNames_[i]->setText(Text(lines[i].who));
    seatTrips_[i]->setText(Text(lines[i].roundTrip));
  }
  spectators_->setText(QStringLiteral("Spectators: %1").arg(lobby.spectators));
  if (start_ != nullptr) start_->setEnabled(link_.CanStart());
  if (password_ != nullptr && anybody && password_->isEnabled()) ClosePassword();
}

}  // namespace fl3
