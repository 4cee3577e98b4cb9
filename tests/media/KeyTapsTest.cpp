#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QWindow>
#include <string>
#include <vector>

#include "../match/MatchTestKit.h"
#include "GuiApplication.h"
#include "match/MatchFrame.h"
#include "media/KeyEventKeyboard.h"

namespace fl3 {
namespace {

// Between two reads of the keyboard: 'p' presses the key, 'r' releases it,
// 'f' takes the focus away; '|' is a read.
struct TapCase {
  const char* name;
  int qtKey;
  int code;
  std::string script;
  std::vector<bool> heldAtReads;
};

// Faults: a tap between two frames lost (only the held state looked at), a
// tap counted again in later frames (the latch never cleared), a held key
// dropped after its first frame (clearing the latch clears the held state),
// a tap surviving the loss of focus.
TEST(KeyTaps, ATapShowsInTheNextReadOnceAndHeldKeysInEveryRead) {
  testing::GuiApplication();
  const TapCase cases[] = {
      {"tap of plant", Qt::Key_Space, 57, "pr|||", {true, false, false}},
      {"tap of Escape", Qt::Key_Escape, kEscapeKey, "pr||", {true, false}},
      {"held", Qt::Key_Left, 203, "p|||r|", {true, true, true, false}},
      {"two taps between reads", Qt::Key_Up, 200, "prpr||", {true, false}},
      {"tap then focus lost", Qt::Key_Space, 57, "prf|", {false}},
  };
  for (const TapCase& tap : cases) {
    SCOPED_TRACE(tap.name);
    QWindow window;
    KeyEventKeyboard keyboard(window, false);
    std::vector<bool> held;
    for (char step : tap.script) {
      if (step == '|') {
        KeyState keys;
        keyboard.ReadKeyboard(keys);
        held.push_back(keys[static_cast<std::size_t>(tap.code)] != 0);
        continue;
      }
      QKeyEvent key(step == 'p' ? QEvent::KeyPress : QEvent::KeyRelease, tap.qtKey, Qt::NoModifier);
      QFocusEvent focusOut(QEvent::FocusOut);
      QCoreApplication::sendEvent(&window, step == 'f' ? static_cast<QEvent*>(&focusOut) : &key);
    }
    EXPECT_EQ(held, tap.heldAtReads);
  }
}

// Fault: the tap reaching the keyboard but not the figure's plant.
TEST(KeyTaps, ATapOfThePlantKeyBetweenFramesPlantsABomb) {
  testing::GuiApplication();
  GameState state;
  testing::MakeOpenField(state);
  Character& figure = testing::PlaceFigure(state, 0, 3, 3);
  figure.Keys = KeyLayout{203, 200, 205, 208, 57};
  figure.PowerBombs = 1;
  figure.PowerFire = 1;
  testing::PlaceFigure(state, 1, 20, 10);
  MatchEngine engine(state, -1);
  QWindow window;
  KeyEventKeyboard keyboard(window, false);
  KeyState keys;

  QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &press);
  QCoreApplication::sendEvent(&window, &release);
  keyboard.ReadKeyboard(keys);
  engine.RunFrame(51, keys, nullptr);
  EXPECT_EQ(state.Bombs.Count(), 1);
}

}  // namespace
}  // namespace fl3
