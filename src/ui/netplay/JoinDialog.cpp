#include "ui/netplay/JoinDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Messages.h"
#include "net/WireMessages.h"
#include "ui/netplay/PasswordRow.h"
#include "ui/netplay/PlainKeyNames.h"

namespace fl3 {
namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

// "A, W, D, S; bomb: Left Ctrl", under the chosen layout.
QString KeysOf(const GameState& state, int player) {
  const KeyLayout& keys = state.Characters[static_cast<std::size_t>(player)].Keys;
  std::string names;
  for (const std::int32_t code : {keys.keyLeft, keys.keyUp, keys.keyRight, keys.keyDown}) {
    names += (names.empty() ? "" : ", ") + PlainKeyName(code);
  }
  return Text(names + "; bomb: " + PlainKeyName(keys.keyPlantBomb));
}

}  // namespace

JoinDialog::JoinDialog(const GameState& state, const NetPlaySettings& remembered, std::uint16_t defaultPort,
                       Messages& messages, QWidget* parent)
    : QDialog(parent), messages_(messages), defaultPort_(defaultPort) {
  setWindowTitle(QStringLiteral("Join"));
  auto* form = new QFormLayout;
  address_ = new QLineEdit(Text(remembered.address), this);
  address_->setPlaceholderText(QStringLiteral("name or IP address, :port if not %1").arg(defaultPort));
  form->addRow(QStringLiteral("Host address:"), address_);
  name_ = new QLineEdit(Text(remembered.name), this);
  name_->setMaxLength(static_cast<int>(net::kMaxNameBytes));
  form->addRow(QStringLiteral("Your name:"), name_);
  players_ = new QComboBox(this);
  players_->addItems({QStringLiteral("1"), QStringLiteral("2")});
  players_->setCurrentIndex(remembered.players - 1);
  form->addRow(QStringLiteral("Players at this keyboard:"), players_);
  for (std::size_t i = 0; i < layouts_.size(); ++i) {
    layouts_[i] = new QComboBox(this);
    for (int player = 0; player < FigureCount; ++player) {
      layouts_[i]->addItem(QStringLiteral("Player %1's keys and pad").arg(player + 1));
    }
    layouts_[i]->setCurrentIndex(remembered.layouts[i]);
    form->addRow(i == 0 ? QStringLiteral("First player steers with:") : QStringLiteral("Second player steers with:"),
                 layouts_[i]);
    layoutKeys_[i] = new QLabel(KeysOf(state, layouts_[i]->currentIndex()), this);
    form->addRow(QString(), layoutKeys_[i]);
    connect(layouts_[i], &QComboBox::currentIndexChanged, this,
            [this, shared = &state, i](int player) { layoutKeys_[i]->setText(KeysOf(*shared, player)); });
  }
  const auto showSecond = [this](int index) {
    layouts_[1]->setEnabled(index == 1);
    layoutKeys_[1]->setEnabled(index == 1);
  };
  showSecond(players_->currentIndex());
  connect(players_, &QComboBox::currentIndexChanged, this, showSecond);
  const PasswordRow passwordRow = MakePasswordRow(this, QStringLiteral("if the host set one"));
  password_ = passwordRow.field;
  form->addRow(QStringLiteral("Password:"), passwordRow.layout);

  join_ = new QPushButton(QStringLiteral("Join"), this);
  join_->setDefault(true);
  watch_ = new QPushButton(QStringLiteral("&Watch"), this);  // Alt+W
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  connect(join_, &QPushButton::clicked, this, [this] { Submit(false); });
  connect(watch_, &QPushButton::clicked, this, [this] { Submit(true); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* button : {join_, watch_, cancel}) buttons->addWidget(button);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<std::string> JoinDialog::Problem(bool watch) {
  std::string reason;
  const auto address = ParseHostAddress(address_->text().toStdString(), defaultPort_, reason);
  if (!address) return reason;
  request_.address = *address;
  request_.name = name_->text().trimmed().toStdString();
  // The host wants a name from everybody; a spectator's is never shown.
  if (request_.name.empty() && watch) request_.name = "Spectator";
  if (request_.name.empty()) return std::string("Type your name: the others see it, and it lets you back in.");
  if (request_.name.size() > net::kMaxNameBytes) {
    return "The name is too long: at most " + std::to_string(net::kMaxNameBytes) + " bytes.";
  }
  request_.players = players_->currentIndex() + 1;
  for (std::size_t i = 0; i < layouts_.size(); ++i) request_.layouts[i] = layouts_[i]->currentIndex();
  if (!watch && request_.players == 2 && request_.layouts[0] == request_.layouts[1]) {
    return std::string("The two players at this keyboard need different keys.");
  }
  return std::nullopt;
}

void JoinDialog::Submit(bool watch) {
  if (const auto problem = Problem(watch)) {
    messages_.Show(*problem, "Join", MessageIcon::Information);
    return;
  }
  request_.watch = watch;
  request_.password = password_->text().toStdString();
  accept();
}

NetPlaySettings JoinDialog::Remembered(NetPlaySettings settings) const {
  settings.address = address_->text().trimmed().toStdString();
  settings.name = name_->text().trimmed().toStdString();
  settings.players = players_->currentIndex() + 1;
  for (std::size_t i = 0; i < layouts_.size(); ++i) settings.layouts[i] = layouts_[i]->currentIndex();
  return settings;
}

}  // namespace fl3
