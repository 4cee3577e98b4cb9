#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QWindow>
#include <string>
#include <vector>

#include "GuiApplication.h"
#include "media/KeyEventKeyboard.h"

namespace fl3 {
namespace {

// Faults: a tap between two frames lost (only the held state looked at), a
// tap counted again in later frames (the record never cleared), a held key
// dropped after its first frame (clearing the record clears the held state),
// a tap surviving the loss of focus.
TEST(KeyTaps, ATapShowsInTheNextReadOnceAndHeldKeysInEveryRead) {
  testing::GuiApplication();
  struct Case {
    int qtKey, code;
    std::string script;  // p press, r release, f focus lost, | read
    std::vector<bool> heldAtReads;
  };
  const Case cases[] = {{Qt::Key_Space, 57, "pr|||", {true, false, false}},
                        {Qt::Key_Escape, kEscapeKey, "pr||", {true, false}},
                        {Qt::Key_Left, 203, "p|||r|", {true, true, true, false}},
                        {Qt::Key_Up, 200, "prpr||", {true, false}},
                        {Qt::Key_Space, 57, "prf|", {false}}};
  for (const Case& tap : cases) {
    SCOPED_TRACE(tap.script);
    QWindow window;
    KeyEventKeyboard keyboard(window, false);
    std::vector<bool> held;
    for (char step : tap.script) {
      KeyState keys;
      QKeyEvent key(step == 'p' ? QEvent::KeyPress : QEvent::KeyRelease, tap.qtKey, Qt::NoModifier);
      QFocusEvent focusOut(QEvent::FocusOut);
      if (step == '|') keyboard.ReadKeyboard(keys), held.push_back(keys[static_cast<std::size_t>(tap.code)] != 0);
      else QCoreApplication::sendEvent(&window, step == 'f' ? static_cast<QEvent*>(&focusOut) : &key);
    }
    EXPECT_EQ(held, tap.heldAtReads);
  }
}

}  // namespace
}  // namespace fl3
