#include <QTest>

#include "StartScreenFixture.h"

namespace fl3::testing {
namespace {

// Fault: the Start button of a plain window ignores Return and the keypad's
// Enter, so the focus sent there after a controller click starts nothing.
TEST_F(StartScreenTest, EnterOrSpaceOnTheFocusedStartButtonStartsTheMatch) {
  // key, modifiers, a controller clicked first (else the focus stays where the screen opened)
  const std::tuple<Qt::Key, Qt::KeyboardModifiers, bool> cases[] = {
      {Qt::Key_Return, Qt::NoModifier, false}, {Qt::Key_Return, Qt::NoModifier, true},
      {Qt::Key_Enter, Qt::KeypadModifier, true}, {Qt::Key_Space, Qt::NoModifier, true}};
  WritePlayableFolder();
  for (const auto& [key, modifiers, clickControllerFirst] : cases) {
    SCOPED_TRACE(::testing::Message() << key << " " << clickControllerFirst);
    matches.clear();
    ResetAfterMatch(state);  // as the match's tear-down leaves it
    auto screen = Open();
    screen->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(screen.get()));
    TwoMen(*screen);  // clicks without the mouse: the focus stays
    if (clickControllerFirst) QTest::mouseClick(screen->buttonChar(3), Qt::LeftButton);
    ASSERT_EQ(screen->focusWidget(), screen->buttonPlay());
    QTest::keyClick(screen->focusWidget(), key, modifiers);
    EXPECT_EQ(matches.size(), 1u);
  }
}

}  // namespace
}  // namespace fl3::testing
