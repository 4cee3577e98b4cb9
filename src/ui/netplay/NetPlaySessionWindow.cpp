#include "ui/netplay/NetPlaySessionWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/GameFolder.h"
#include "core/Messages.h"
#include "net/EnetLink.h"
#include "net/WireMessages.h"
#include "ui/netplay/PasswordRow.h"

namespace fl3 {
namespace {

constexpr int kTextWidth = 330;  // notes wrap at this width

QLabel* Note(const QString& text, QWidget* parent) {
  auto* note = new QLabel(text, parent);
  note->setWordWrap(true);
  note->setFixedWidth(kTextWidth);
  return note;
}

}  // namespace

NetPlaySessionWindow::NetPlaySessionWindow(const GameFolder& folder, Messages& messages, QWidget* parent)
    : QDialog(parent), folder_(folder), messages_(messages), settings_(ReadNetPlaySettings(folder)) {
  setWindowTitle(QStringLiteral("NetPlay Session"));
  setObjectName(QStringLiteral("frmNetPlaySession"));
  auto* form = new QFormLayout;
  name_ = new QLineEdit(QString::fromStdString(settings_.name), this);
  name_->setMaxLength(static_cast<int>(net::kMaxNameBytes));
  form->addRow(QStringLiteral("Your name:"), name_);
  form->addRow(QString(), Note(QStringLiteral("The others see it; joining again under it gives your figure back."), this));

  delay_ = new QComboBox(this);
  delay_->addItems({QStringLiteral("Automatic"), QStringLiteral("0 frames"), QStringLiteral("1 frame (51 ms)"),
                    QStringLiteral("2 frames (102 ms)"), QStringLiteral("3 frames (153 ms)")});
  delay_->setCurrentIndex(settings_.inputDelay - kAutomaticInputDelay);
  form->addRow(QStringLiteral("Input delay:"), delay_);
  form->addRow(QString(), Note(QStringLiteral("A delay gives the others' controls time to arrive, so their figures "
                                              "are corrected less; your own figure then answers that much later. "
                                              "Automatic: none on a short round trip, one or two frames on a long one."),
                               this));
  BuildHostingRows(*form);

  save_ = new QPushButton(QStringLiteral("Save"), this);
  save_->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setAutoDefault(false);
  connect(save_, &QPushButton::clicked, this, &NetPlaySessionWindow::Save);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(save_);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void NetPlaySessionWindow::BuildHostingRows(QFormLayout& form) {
  port_ = new QSpinBox(this);
  port_->setRange(1, 65535);
  port_->setValue(settings_.hostPort != 0 ? settings_.hostPort : net::kDefaultPort);
  form.addRow(QStringLiteral("UDP port when hosting:"), port_);
  spectators_ = new QCheckBox(QStringLiteral("Others may watch the matches I host"), this);
  spectators_->setChecked(settings_.spectatorsAllowed);
  form.addRow(QStringLiteral("Spectators:"), spectators_);

  const PasswordRow row = MakePasswordRow(this, QStringLiteral("none"));
  std::tie(password_, showPassword_) = std::pair(row.field, row.show);
  password_->setText(QString::fromStdString(settings_.hostPassword));
  form.addRow(QStringLiteral("Password when hosting:"), row.layout);
  form.addRow(QString(), Note(QStringLiteral("The waiting room begins with it, and it can still be changed there "
                                             "until somebody is in."),
                              this));
}

void NetPlaySessionWindow::Save() {
  const std::string name = name_->text().trimmed().toStdString();
  if (name.size() > net::kMaxNameBytes) {
    messages_.Show("The name is too long: at most " + std::to_string(net::kMaxNameBytes) + " bytes.", "NetPlay Session",
                   MessageIcon::Information);
    return;
  }
  NetPlaySettings settings = settings_;
  settings.name = name;
  settings.hostPort = port_->value() == net::kDefaultPort ? 0 : port_->value();
  settings.inputDelay = delay_->currentIndex() + kAutomaticInputDelay;
  settings.spectatorsAllowed = spectators_->isChecked();
  settings.hostPassword = password_->text().toStdString();
  if (const IoResult saved = WriteNetPlaySettings(folder_, settings); !saved) {
    messages_.Show("The settings could not be saved: " + saved.reason, "NetPlay Session", MessageIcon::Critical);
    return;
  }
  accept();
}

}  // namespace fl3
