#include "ui/shared/DesktopIdentity.h"

#include <QApplication>
#include <QIcon>

namespace fl3 {

void PrepareDesktopIdentity() {
  // X11 knows a program by the instance name of its window class, which
  // window managers also show for the start screen's empty title; a name
  // the player set stays.
  if (qEnvironmentVariableIsEmpty("RESOURCE_NAME")) qputenv("RESOURCE_NAME", kApplicationName);
}

void ApplyDesktopIdentity() {
  // Also the title the window system shows for the start screen's empty one.
  QApplication::setApplicationName(kApplicationName);
  QGuiApplication::setDesktopFileName(kDesktopFileName);
  QIcon icon;
  for (const int size : {48, 64, 128, 256}) icon.addFile(QString(":/icons/%1x%1/apps/fuselark3.png").arg(size));
  QApplication::setWindowIcon(icon);
}

}  // namespace fl3
