#include <gtest/gtest.h>

#include <QCursor>
#include <QKeyEvent>
#include <QWindow>
#include <set>
#include <vector>

#include "QtTestApplication.h"
#include "core/KeyNames.h"
#include "media/KeyEventKeyboard.h"
#include "media/KeyTranslation.h"
#include "media/Keyboard.h"
#include "media/MousePointer.h"

namespace fl3 {
namespace {

bool Named(int code) { return KeyNames(code) != "Unknoun Key"; }

TEST(KeyTranslation, EveryNamedKeyIsReachedFromX11AndQtAndNothingElseIsProduced) {
  for (int code = 1; code < 256; ++code) {
    if (!Named(code)) continue;
    bool fromX11 = false, fromQt = false;
    for (unsigned keycode = 0; keycode < 256; ++keycode) fromX11 = fromX11 || ScanCodeFromX11Keycode(keycode) == code;
    for (const KeyTranslation& key : KeyTranslations())
      fromQt = fromQt || (key.qtKey != 0 && ScanCodeFromQtKey(key.qtKey, key.keypad) == code);
    EXPECT_TRUE(fromX11) << code << " " << KeyNames(code);
    // Qt does not tell the right Shift and right Ctrl from the left ones.
    EXPECT_TRUE(fromQt || code == 54 || code == 157) << code << " " << KeyNames(code);
  }
  for (unsigned keycode = 0; keycode < 300; ++keycode) {
    const int code = ScanCodeFromX11Keycode(keycode);
    EXPECT_TRUE(code == 0 || Named(code)) << keycode;
  }
}

TEST(KeyTranslation, X11KeycodesOfEvdevKeyboardsAndQtKeysWithAndWithoutTheKeypad) {
  // The basic block is the scan code + 8.
  for (unsigned keycode = 9; keycode <= 96; ++keycode) EXPECT_EQ(ScanCodeFromX11Keycode(keycode), int(keycode) - 8);
  // The extended keys, each on its own; F13 to F15 reach the codes that carry their names.
  const std::pair<unsigned, int> extended[] = {
      {104, 156}, {105, 157}, {106, 181}, {107, 183}, {108, 184}, {110, 199}, {111, 200}, {112, 201}, {113, 203},
      {114, 205}, {115, 207}, {116, 208}, {117, 209}, {118, 210}, {119, 211}, {127, 116}, {129, 91},  {133, 219},
      {134, 220}, {135, 221}, {191, 86},  {192, 84},  {193, 85},  {0, 0},     {8, 0},     {255, 0}};
  for (const auto& [keycode, code] : extended) EXPECT_EQ(ScanCodeFromX11Keycode(keycode), code) << KeyNames(code);
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
}

struct KeyEvent {
  QEvent::Type type;  // FocusOut: the window loses the focus
  int key;
  quint32 x11Keycode;  // 0: the event carries none
  Qt::KeyboardModifiers modifiers;
  bool autoRepeat;
  std::set<int> held;  // every key of the snapshot after the event
};

TEST(KeyEventKeyboard, SnapshotHoldsEveryKeyDownIgnoringRepeatsUntilTheFocusGoes) {
  const auto press = QEvent::KeyPress, release = QEvent::KeyRelease;
  const Qt::KeyboardModifiers none = Qt::NoModifier, keypad = Qt::KeypadModifier;
  const KeyEvent events[] = {
      {press, Qt::Key_Left, 0, none, false, {203}},
      {press, Qt::Key_Space, 0, none, false, {203, 57}},
      {release, Qt::Key_Left, 0, none, true, {203, 57}},  // auto-repeat
      {press, Qt::Key_A, 0, none, true, {203, 57}},
      {release, Qt::Key_Left, 0, none, false, {57}},
      {press, Qt::Key_Enter, 0, keypad, false, {57, 156}},
      {press, Qt::Key_Shift, 62, none, false, {57, 156, 54}},  // the keycode tells right from left
      {press, Qt::Key_Control, 105, none, false, {57, 156, 54, 157}},
      {press, Qt::Key_Shift, 0, none, false, {57, 156, 54, 157, 42}},
      {release, Qt::Key_Shift, 62, none, false, {57, 156, 157, 42}},
      {QEvent::FocusOut, 0, 0, none, false, {}},
  };
  QWindow window;
  KeyEventKeyboard keyboard(window, true);
  int step = 0;
  for (const KeyEvent& e : events) {
    QFocusEvent focusOut(QEvent::FocusOut);
    QKeyEvent key(e.type, e.key, e.modifiers, e.x11Keycode, 0, 0, QString(), e.autoRepeat);
    QCoreApplication::sendEvent(&window, e.type == QEvent::FocusOut ? static_cast<QEvent*>(&focusOut) : &key);
    KeyState keys, expected{};
    keys.fill(0xFF);
    keyboard.ReadKeyboard(keys);
    for (int code : e.held) expected[code] = 0x80;
    EXPECT_EQ(keys, expected) << "after event " << step++;
  }
  // Without an X11 display the match keyboard follows the window's events.
  const std::unique_ptr<KeyboardSource> matchKeyboard = InitKeyboard(window);
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &escape);
  KeyState keys{};
  matchKeyboard->ReadKeyboard(keys);
  EXPECT_EQ(keys[kEscapeKey], 0x80);
}

TEST(ShowMouse, OneCallLandsInTheAskedStateWhateverCameBefore) {
  const struct {
    bool waitCursorFirst;  // another part of the program's cursor, which must come back
    std::vector<bool> shows;
  } cases[] = {{false, {true, true, true, false}}, {false, {false, false, false, true}}, {true, {false, true}}};
  for (const auto& c : cases) {
    if (c.waitCursorFirst) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    for (bool show : c.shows) ShowMouse(show);
    const QCursor* cursor = QGuiApplication::overrideCursor();
    EXPECT_EQ(cursor && cursor->shape() == Qt::BlankCursor, !c.shows.back());
    ShowMouse(true);
    cursor = QGuiApplication::overrideCursor();
    EXPECT_EQ(cursor ? cursor->shape() : Qt::ArrowCursor, c.waitCursorFirst ? Qt::WaitCursor : Qt::ArrowCursor);
    if (c.waitCursorFirst) QGuiApplication::restoreOverrideCursor();
  }
}

}  // namespace
}  // namespace fl3
