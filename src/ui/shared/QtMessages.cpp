#include "ui/shared/QtMessages.h"

#include <QApplication>
#include <QMessageBox>


namespace fl3 {
namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

MessageAnswer QtMessages::Show(const std::string& text, const std::string& title, MessageIcon icon,
                               MessageButtons buttons) {
  // Over whatever window the player is looking at: a match, a dialog, or the start screen.
  QWidget* parent = QApplication::activeModalWidget();
  if (parent == nullptr) parent = QApplication::activeWindow();
  if (parent == nullptr) parent = parent_.data();
  QMessageBox box(ToQtIcon(icon), QString::fromStdString(title.empty() ? kProgramTitle : title),
                  QString::fromStdString(text), QMessageBox::Ok, parent);
  if (buttons == MessageButtons::OkCancel) box.addButton(QMessageBox::Cancel);
  box.setEscapeButton(buttons == MessageButtons::OkCancel ? QMessageBox::Cancel : QMessageBox::Ok);
  return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

}  // namespace fl3
