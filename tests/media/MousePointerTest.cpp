#include "media/MousePointer.h"

#include <gtest/gtest.h>

#include <QCursor>

#include "GuiApplication.h"

namespace fl3 {
namespace {

bool PointerHidden() {
  const QCursor* cursor = QGuiApplication::overrideCursor();
  return cursor != nullptr && cursor->shape() == Qt::BlankCursor;
}

TEST(ShowMouse, OneCallAlwaysLandsInTheAskedState) {
  testing::GuiApplication();
  ShowMouse(true);
  ShowMouse(true);
  ShowMouse(true);
  EXPECT_FALSE(PointerHidden());
  ShowMouse(false);
  EXPECT_TRUE(PointerHidden());
  ShowMouse(false);
  ShowMouse(false);
  ShowMouse(true);
  EXPECT_FALSE(PointerHidden());
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(ShowMouse, AnotherOverrideCursorComesBackWhenThePointerIsShown) {
  testing::GuiApplication();
  QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  ShowMouse(false);
  EXPECT_TRUE(PointerHidden());
  ShowMouse(true);
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  QGuiApplication::restoreOverrideCursor();
}

}  // namespace
}  // namespace fl3
