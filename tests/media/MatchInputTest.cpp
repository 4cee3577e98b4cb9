#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QWindow>
#include <string>
#include <tuple>
#include <vector>

#include "../match/MatchTestKit.h"
#include "QtTestApplication.h"
#include "ScriptedDevices.h"
#include "VirtualGamepad.h"
#include "match/MatchLoop.h"
#include "media/Gamepads.h"
#include "media/KeyEventKeyboard.h"

namespace fl3 {
namespace {

// Faults: a tap between two frames lost (only the held state looked at), a
// tap counted again in later frames (the record never cleared), a held key
// dropped after its first frame (clearing the record clears the held state),
// a tap surviving the loss of focus.
TEST(KeyTaps, ATapShowsInTheNextReadOnceAndHeldKeysInEveryRead) {
  const struct {
    int qtKey, code;
    std::string script;  // p press, r release, f focus lost, | read
    std::vector<bool> heldAtReads;
  } cases[] = {{Qt::Key_Space, 57, "pr|||", {true, false, false}},
                        {Qt::Key_Escape, kEscapeKey, "pr||", {true, false}},
                        {Qt::Key_Left, 203, "p|||r|", {true, true, true, false}},
                        {Qt::Key_Up, 200, "prpr||", {true, false}},
                        {Qt::Key_Space, 57, "prf|", {false}}};
  for (const auto& tap : cases) {
    SCOPED_TRACE(tap.script);
    QWindow window;
    KeyEventKeyboard keyboard(window, false);
    std::vector<bool> held;
    for (char step : tap.script) {
      QKeyEvent key(step == 'p' ? QEvent::KeyPress : QEvent::KeyRelease, tap.qtKey, Qt::NoModifier);
      QFocusEvent focusOut(QEvent::FocusOut);
      if (step != '|') {
        QCoreApplication::sendEvent(&window, step == 'f' ? static_cast<QEvent*>(&focusOut) : &key);
        continue;
      }
      KeyState keys;
      keyboard.ReadKeyboard(keys);
      held.push_back(keys[static_cast<std::size_t>(tap.code)] != 0);
    }
    EXPECT_EQ(held, tap.heldAtReads);
  }
}

// Two pads of one kind for players 1 and 2, each frame run through the match
// loop. Faults: a d-pad or stick direction swapped or unread, the dead zone
// missing, the east button or Start forgotten, an unplugged pad's last state
// kept (the figure walks on), the pad not taken back when plugged in again,
// the twin of an unplugged pad moving over to its player.
TEST(Gamepads, PadsSteerAndPlantInAMatchAndAnUnpluggedPadLeavesItsFigureStanding) {
  testing::VirtualGamepad first("Twin Pad"), second("Twin Pad");
  const auto pads = Gamepads::Open();
  ASSERT_NE(pads, nullptr);
  pads->Poll();
  ASSERT_EQ(pads->Connected().size(), 1u);
  pads->Choose({pads->Connected()[0], pads->Connected()[0], PadIdentity{}, PadIdentity{}});
  GameState state;
  testing::MakeOpenField(state);
  testing::PlaceFigure(state, 0, 3, 3).PowerBombs = 2;
  testing::PlaceFigure(state, 1, 20, 10);
  testing::SteppingClock clock(0, 60);
  testing::ScriptedKeyboard keyboard;
  MatchLoop loop(state, -1, keyboard, clock, {});
  loop.UseGamepads(*pads);
  const auto frames = [&](int count) {
    for (int i = 0; i < count; ++i) loop.Step();
  };
  const Character &one = state.Characters[0], &two = state.Characters[1];

  first.Set(SDL_CONTROLLER_BUTTON_A);
  second.Set(-1, SDL_CONTROLLER_AXIS_LEFTX, -20000);
  frames(1);
  first.Set(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  frames(4);
  EXPECT_EQ(std::tuple(one.X, two.X), std::tuple(4, 19));
  first.Set(SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_AXIS_LEFTY, 8000);  // inside the dead zone
  frames(4);
  EXPECT_EQ(std::tuple(one.Y, state.Bombs.Count()), std::tuple(3, 2));

  first.Set(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  frames(1);
  first.Unplug();
  frames(8);  // the step under way ends, and no other begins
  EXPECT_EQ(std::tuple(one.X, one.Moving, two.X), std::tuple(5, false, 16));
  first.Plug();
  first.Set(-1, SDL_CONTROLLER_AXIS_LEFTY, -20000);
  second.Set(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  frames(8);  // two steps up; the second pad's step left ends, then one down
  EXPECT_EQ(std::tuple(one.Y, two.X, two.Y), std::tuple(1, 15, 11));
  first.Set(SDL_CONTROLLER_BUTTON_START);
  frames(1);
  EXPECT_TRUE(loop.Finished());
}

}  // namespace
}  // namespace fl3
