#include "ui/netplay/WaitingRoom.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/netplay/LocalAddresses.h"
#include "ui/netplay/WaitingRoomText.h"

namespace fl3 {
namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

WaitingRoom::WaitingRoom(NetPlayPump& pump, const std::string& hostLabel, QWidget* parent)
    : QDialog(parent), pump_(pump), link_(pump.Link()), hostLabel_(hostLabel) {
  setWindowTitle(QStringLiteral("Waiting room"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  status_ = new QLabel(this);
  status_->setWordWrap(true);
  layout->addWidget(status_);
  if (link_.IsHost()) BuildHostPart();
  BuildSeats();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  if (link_.IsHost()) {
    start_ = new QPushButton(QStringLiteral("Start"), this);
    start_->setDefault(true);  // Enter starts, once it can
    buttons->addWidget(start_);
    connect(start_, &QPushButton::clicked, this, [this] {
      if (link_.StartMatch(pump_.Time().NowMs())) accept();
    });
  }
  cancel_ = new QPushButton(link_.IsHost() ? QStringLiteral("Cancel") : QStringLiteral("Leave"), this);
  buttons->addWidget(cancel_);
  layout->addLayout(buttons);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(&pump_, &NetPlayPump::Serviced, this, &WaitingRoom::Follow);
  Refresh();
}

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
  auto* form = new QFormLayout;
  password_ = new QLineEdit(this);
  password_->setPlaceholderText(QStringLiteral("none"));
  password_->setMaxLength(64);
  form->addRow(QStringLiteral("Password (optional):"), password_);
  layout->addLayout(form);
  connect(password_, &QLineEdit::editingFinished, this, &WaitingRoom::ApplyPassword);
}

void WaitingRoom::BuildSeats() {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(16);
  for (int i = 0; i < FigureCount; ++i) {
    const auto at = static_cast<std::size_t>(i);
    grid->addWidget(new QLabel(QStringLiteral("Player %1").arg(i + 1), this), i, 0);
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

// Once somebody is in, the password that let them in stays: the field
// shows it again and closes.
void WaitingRoom::ApplyPassword() {
  const std::string typed = password_->text().toStdString();
  if (typed == appliedPassword_) return;
  if (link_.SetPassword(typed)) {
    appliedPassword_ = typed;
    return;
  }
  password_->setText(Text(appliedPassword_));
  password_->setEnabled(false);
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

void WaitingRoom::Refresh() {
  const NetPlayLink::Stage stage = link_.CurrentStage();
  const net::Lobby lobby = link_.LobbyView();
  const bool inLobby = stage != NetPlayLink::Stage::Connecting;
  if (link_.IsHost()) {
    status_->setText(QStringLiteral("Waiting for the players. Start begins the match once every NET seat is taken."));
  } else if (inLobby) {
    status_->setText(Text("Joined " + hostLabel_ + ". Waiting for the host to start the match."));
  } else {
    status_->setText(Text("Connecting to " + hostLabel_ + " ..."));
  }
  bool anybody = lobby.spectators > 0;
  for (int i = 0; i < FigureCount; ++i) {
    const auto at = static_cast<std::size_t>(i);
    const net::Lobby::Seat& seat = lobby.seats[at];
    anybody = anybody || seat.state == net::SeatState::Taken;
    const SeatLine line = inLobby ? SeatLineOf(seat, (link_.OwnFigures() >> i & 1u) != 0, link_.IsHost()) : SeatLine{};
    seatNames_[at]->setText(Text(line.who));
    seatTrips_[at]->setText(Text(line.roundTrip));
  }
  spectators_->setText(inLobby ? QStringLiteral("Spectators: %1").arg(lobby.spectators) : QString());
  if (start_ != nullptr) start_->setEnabled(link_.CanStart());
  if (password_ != nullptr && anybody && password_->isEnabled()) {
    ApplyPassword();
    password_->setEnabled(false);
    password_->setToolTip(QStringLiteral("Players are in: the password that let them in stays."));
  }
}

}  // namespace fl3
