#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QWindow>

#include "GuiApplication.h"
#include "core/KeyNames.h"
#include "media/KeyEventKeyboard.h"
#include "media/KeyTranslation.h"
#include "media/Keyboard.h"

namespace fl3 {
namespace {

bool Named(int code) { return KeyNames(code) != "Unknoun Key"; }

TEST(KeyTranslation, EveryNamedKeyHasAnX11KeycodeAndNoOtherCodeIsProduced) {
  for (int code = 1; code < 256; ++code) {
    if (!Named(code)) continue;
    bool reached = false;
    for (unsigned keycode = 0; keycode < 256; ++keycode) reached = reached || ScanCodeFromX11Keycode(keycode) == code;
    EXPECT_TRUE(reached) << code << " " << KeyNames(code);
  }
  for (unsigned keycode = 0; keycode < 300; ++keycode) {
    const int code = ScanCodeFromX11Keycode(keycode);
    EXPECT_TRUE(code == 0 || Named(code)) << keycode;
  }
}

TEST(KeyTranslation, X11KeycodesOfEvdevKeyboards) {
  // The basic block is the scan code + 8.
  for (unsigned keycode = 9; keycode <= 96; ++keycode) EXPECT_EQ(ScanCodeFromX11Keycode(keycode), int(keycode) - 8);
  // The extended keys, each on its own; F13 to F15 reach the codes that carry their names.
  const std::pair<unsigned, int> extended[] = {
      {104, 156}, {105, 157}, {106, 181}, {107, 183}, {108, 184}, {110, 199}, {111, 200}, {112, 201}, {113, 203},
      {114, 205}, {115, 207}, {116, 208}, {117, 209}, {118, 210}, {119, 211}, {127, 116}, {129, 91},  {133, 219},
      {134, 220}, {135, 221}, {191, 86},  {192, 84},  {193, 85},  {0, 0},     {8, 0},     {255, 0}};
  for (const auto& [keycode, code] : extended) EXPECT_EQ(ScanCodeFromX11Keycode(keycode), code) << KeyNames(code);
}

TEST(KeyTranslation, QtKeysWithAndWithoutTheKeypad) {
  const struct {
    int qtKey;
    bool keypad;
    int code;
  } keys[] = {
      {Qt::Key_Left, false, 203},  {Qt::Key_Left, true, 75},      {Qt::Key_4, true, 75},
      {Qt::Key_4, false, 5},       {Qt::Key_Return, false, 28},   {Qt::Key_Enter, true, 156},
      {Qt::Key_Slash, true, 181},  {Qt::Key_Slash, false, 53},    {Qt::Key_Asterisk, true, 55},
      {Qt::Key_Asterisk, false, 9}, {Qt::Key_Clear, true, 76},    {Qt::Key_Space, false, 57},
      {Qt::Key_Space, true, 57},  // no keypad meaning: the key itself
      {Qt::Key_A, false, 30},      {Qt::Key_Exclam, false, 2},    {Qt::Key_Shift, false, 42},
      {Qt::Key_Control, false, 29}, {Qt::Key_AltGr, false, 184},  {Qt::Key_F13, false, 86},
      {Qt::Key_Home, false, 199},  {Qt::Key_Menu, false, 221},    {Qt::Key_Escape, false, 1},
      {Qt::Key_Launch0, false, 0}, {0, false, 0},
  };
  for (const auto& key : keys) EXPECT_EQ(ScanCodeFromQtKey(key.qtKey, key.keypad), key.code) << KeyNames(key.code);
  // Every named key but the right Shift and right Ctrl, which Qt does not tell apart.
  for (int code = 1; code < 256; ++code) {
    if (!Named(code) || code == 54 || code == 157) continue;
    bool reached = false;
    for (const KeyTranslation& key : KeyTranslations())
      reached = reached || (key.qtKey != 0 && ScanCodeFromQtKey(key.qtKey, key.keypad) == code);
    EXPECT_TRUE(reached) << code << " " << KeyNames(code);
  }
}

class KeyEvents : public ::testing::Test {
 protected:
  void Send(QEvent::Type type, int key, bool autoRepeat = false, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent event(type, key, modifiers, QString(), autoRepeat);
    QCoreApplication::sendEvent(&window, &event);
  }
  void SendNative(QEvent::Type type, int key, quint32 keycode) {
    QKeyEvent event(type, key, Qt::NoModifier, keycode, 0, 0);
    QCoreApplication::sendEvent(&window, &event);
  }
  static KeyState Read(KeyboardSource& keyboard) {
    KeyState keys;
    keys.fill(0xFF);
    keyboard.ReadKeyboard(keys);
    return keys;
  }

  QGuiApplication& application = testing::GuiApplication();  // before any window
  QWindow window;
};

TEST_F(KeyEvents, HeldKeysShowTogetherAndAutoRepeatIsIgnored) {
  KeyEventKeyboard keyboard(window, false);
  EXPECT_EQ(Read(keyboard), KeyState{});
  Send(QEvent::KeyPress, Qt::Key_Left);
  Send(QEvent::KeyPress, Qt::Key_Space);
  KeyState keys = Read(keyboard);
  EXPECT_EQ(keys[203], 0x80);
  EXPECT_EQ(keys[57], 0x80);
  EXPECT_EQ(std::count(keys.begin(), keys.end(), 0), 254);

  // Repeat sends release and press pairs while the key stays down.
  Send(QEvent::KeyRelease, Qt::Key_Left, true);
  EXPECT_EQ(Read(keyboard)[203], 0x80);
  Send(QEvent::KeyPress, Qt::Key_Left, true);
  Send(QEvent::KeyPress, Qt::Key_A, true);
  keys = Read(keyboard);
  EXPECT_EQ(keys[203], 0x80);
  EXPECT_EQ(keys[30], 0);

  Send(QEvent::KeyRelease, Qt::Key_Left);
  keys = Read(keyboard);
  EXPECT_EQ(keys[203], 0);
  EXPECT_EQ(keys[57], 0x80);

  Send(QEvent::KeyPress, Qt::Key_Enter, false, Qt::KeypadModifier);
  EXPECT_EQ(Read(keyboard)[156], 0x80);
}

TEST_F(KeyEvents, LosingTheFocusLetsGoOfEveryKey) {
  KeyEventKeyboard keyboard(window, false);
  Send(QEvent::KeyPress, Qt::Key_W);
  Send(QEvent::KeyPress, Qt::Key_Shift);
  ASSERT_EQ(Read(keyboard)[17], 0x80);
  QFocusEvent focusOut(QEvent::FocusOut);
  QCoreApplication::sendEvent(&window, &focusOut);
  EXPECT_EQ(Read(keyboard), KeyState{});
}

TEST_F(KeyEvents, NativeKeycodesTellLeftAndRightApart) {
  KeyEventKeyboard keyboard(window, true);
  SendNative(QEvent::KeyPress, Qt::Key_Shift, 62);
  SendNative(QEvent::KeyPress, Qt::Key_Control, 105);
  KeyState keys = Read(keyboard);
  EXPECT_EQ(keys[54], 0x80);
  EXPECT_EQ(keys[157], 0x80);
  EXPECT_EQ(keys[42], 0);
  // An event without a keycode falls back on its Qt key.
  SendNative(QEvent::KeyPress, Qt::Key_Shift, 0);
  EXPECT_EQ(Read(keyboard)[42], 0x80);
  SendNative(QEvent::KeyRelease, Qt::Key_Shift, 62);
  EXPECT_EQ(Read(keyboard)[54], 0);
}

TEST_F(KeyEvents, WithoutAnX11DisplayTheMatchKeyboardFollowsTheWindow) {
  const std::unique_ptr<KeyboardSource> keyboard = InitKeyboard(window);
  ASSERT_NE(keyboard, nullptr);
  Send(QEvent::KeyPress, Qt::Key_Escape);
  EXPECT_EQ(Read(*keyboard)[kEscapeKey], 0x80);
}

}  // namespace
}  // namespace fl3
