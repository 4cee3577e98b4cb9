#pragma once
#include <QGuiApplication>

namespace fl3::testing {

// One application object for the whole test program (the offscreen platform
// in test runs), made on first use.
inline QGuiApplication& GuiApplication() {
  static int argc = 1;
  static char name[] = "fuselark3-media-test";
  static char* argv[] = {name, nullptr};
  static QGuiApplication application(argc, argv);
  return application;
}

}  // namespace fl3::testing
