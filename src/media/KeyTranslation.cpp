#include "media/KeyTranslation.h"

#include <Qt>
#include <array>

namespace fl3 {
namespace {

// The basic block: the X11 keycode is the scan code + 8.
constexpr KeyTranslation Basic(std::uint8_t scanCode, int qtKey, bool keypad = false) {
  return {scanCode, static_cast<std::uint16_t>(scanCode + 8), qtKey, keypad};
}
constexpr KeyTranslation Extended(std::uint8_t scanCode, std::uint16_t x11Keycode, int qtKey, bool keypad = false) {
  return {scanCode, x11Keycode, qtKey, keypad};
}
// Another Qt key (a shifted symbol, a keypad key with Num Lock off) for a code.
constexpr KeyTranslation AlsoQt(std::uint8_t scanCode, int qtKey, bool keypad = false) {
  return {scanCode, 0, qtKey, keypad};
}

constexpr auto kTable = std::to_array<KeyTranslation>({
    Basic(1, Qt::Key_Escape),      Basic(2, Qt::Key_1),          Basic(3, Qt::Key_2),
    Basic(4, Qt::Key_3),           Basic(5, Qt::Key_4),          Basic(6, Qt::Key_5),
    Basic(7, Qt::Key_6),           Basic(8, Qt::Key_7),          Basic(9, Qt::Key_8),
    Basic(10, Qt::Key_9),          Basic(11, Qt::Key_0),         Basic(12, Qt::Key_Minus),
    Basic(13, Qt::Key_Equal),      Basic(14, Qt::Key_Backspace), Basic(15, Qt::Key_Tab),
    Basic(16, Qt::Key_Q),          Basic(17, Qt::Key_W),         Basic(18, Qt::Key_E),
    Basic(19, Qt::Key_R),          Basic(20, Qt::Key_T),         Basic(21, Qt::Key_Y),
    Basic(22, Qt::Key_U),          Basic(23, Qt::Key_I),         Basic(24, Qt::Key_O),
    Basic(25, Qt::Key_P),          Basic(26, Qt::Key_BracketLeft), Basic(27, Qt::Key_BracketRight),
    Basic(28, Qt::Key_Return),     Basic(29, Qt::Key_Control),   Basic(30, Qt::Key_A),
    Basic(31, Qt::Key_S),          Basic(32, Qt::Key_D),         Basic(33, Qt::Key_F),
    Basic(34, Qt::Key_G),          Basic(35, Qt::Key_H),         Basic(36, Qt::Key_J),
    Basic(37, Qt::Key_K),          Basic(38, Qt::Key_L),         Basic(39, Qt::Key_Semicolon),
    Basic(40, Qt::Key_Apostrophe), Basic(41, Qt::Key_QuoteLeft), Basic(42, Qt::Key_Shift),
    Basic(43, Qt::Key_Backslash),  Basic(44, Qt::Key_Z),         Basic(45, Qt::Key_X),
    Basic(46, Qt::Key_C),          Basic(47, Qt::Key_V),         Basic(48, Qt::Key_B),
    Basic(49, Qt::Key_N),          Basic(50, Qt::Key_M),         Basic(51, Qt::Key_Comma),
    Basic(52, Qt::Key_Period),     Basic(53, Qt::Key_Slash),     Basic(54, 0),  // right Shift: no Qt key of its own
    Basic(55, Qt::Key_Asterisk, true), Basic(56, Qt::Key_Alt),   Basic(57, Qt::Key_Space),
    Basic(58, Qt::Key_CapsLock),   Basic(59, Qt::Key_F1),        Basic(60, Qt::Key_F2),
    Basic(61, Qt::Key_F3),         Basic(62, Qt::Key_F4),        Basic(63, Qt::Key_F5),
    Basic(64, Qt::Key_F6),         Basic(65, Qt::Key_F7),        Basic(66, Qt::Key_F8),
    Basic(67, Qt::Key_F9),         Basic(68, Qt::Key_F10),       Basic(69, Qt::Key_NumLock),
    Basic(70, Qt::Key_ScrollLock), Basic(71, Qt::Key_7, true),   Basic(72, Qt::Key_8, true),
    Basic(73, Qt::Key_9, true),    Basic(74, Qt::Key_Minus, true), Basic(75, Qt::Key_4, true),
    Basic(76, Qt::Key_5, true),    Basic(77, Qt::Key_6, true),   Basic(78, Qt::Key_Plus, true),
    Basic(79, Qt::Key_1, true),    Basic(80, Qt::Key_2, true),   Basic(81, Qt::Key_3, true),
    Basic(82, Qt::Key_0, true),    Basic(83, Qt::Key_Period, true),
    // 84..86 carry the names F14, F15 and F13; the keycodes of the scan-code
    // block reach them, and so do the keys of those names.
    Basic(84, Qt::Key_F14),        Basic(85, Qt::Key_F15),       Basic(86, Qt::Key_F13),
    Extended(84, 192, 0),          Extended(85, 193, 0),         Extended(86, 191, 0),
    Basic(87, Qt::Key_F11),        Basic(88, Qt::Key_F12),
    // The extended keys sit elsewhere among the X11 keycodes.
    Extended(91, 129, Qt::Key_Comma, true),  Extended(116, 127, Qt::Key_Pause),
    Extended(156, 104, Qt::Key_Enter, true), Extended(157, 105, 0),  // right Ctrl: no Qt key of its own
    Extended(181, 106, Qt::Key_Slash, true), Extended(183, 107, Qt::Key_Print),
    Extended(184, 108, Qt::Key_AltGr),       Extended(199, 110, Qt::Key_Home),
    Extended(200, 111, Qt::Key_Up),          Extended(201, 112, Qt::Key_PageUp),
    Extended(203, 113, Qt::Key_Left),        Extended(205, 114, Qt::Key_Right),
    Extended(207, 115, Qt::Key_End),         Extended(208, 116, Qt::Key_Down),
    Extended(209, 117, Qt::Key_PageDown),    Extended(210, 118, Qt::Key_Insert),
    Extended(211, 119, Qt::Key_Delete),      Extended(219, 133, Qt::Key_Super_L),
    Extended(220, 134, Qt::Key_Super_R),     Extended(221, 135, Qt::Key_Menu),
    // Further Qt keys: the keypad with Num Lock off, shifted symbols of a US
    // layout, and keys some systems report under another name.
    AlsoQt(71, Qt::Key_Home, true),    AlsoQt(72, Qt::Key_Up, true),      AlsoQt(73, Qt::Key_PageUp, true),
    AlsoQt(75, Qt::Key_Left, true),    AlsoQt(76, Qt::Key_Clear, true),   AlsoQt(77, Qt::Key_Right, true),
    AlsoQt(79, Qt::Key_End, true),     AlsoQt(80, Qt::Key_Down, true),    AlsoQt(81, Qt::Key_PageDown, true),
    AlsoQt(82, Qt::Key_Insert, true),  AlsoQt(83, Qt::Key_Delete, true),  AlsoQt(2, Qt::Key_Exclam),
    AlsoQt(3, Qt::Key_At),             AlsoQt(4, Qt::Key_NumberSign),     AlsoQt(5, Qt::Key_Dollar),
    AlsoQt(6, Qt::Key_Percent),        AlsoQt(7, Qt::Key_AsciiCircum),    AlsoQt(8, Qt::Key_Ampersand),
    AlsoQt(9, Qt::Key_Asterisk),       AlsoQt(10, Qt::Key_ParenLeft),     AlsoQt(11, Qt::Key_ParenRight),
    AlsoQt(12, Qt::Key_Underscore),    AlsoQt(13, Qt::Key_Plus),          AlsoQt(15, Qt::Key_Backtab),
    AlsoQt(26, Qt::Key_BraceLeft),     AlsoQt(27, Qt::Key_BraceRight),    AlsoQt(39, Qt::Key_Colon),
    AlsoQt(40, Qt::Key_QuoteDbl),      AlsoQt(41, Qt::Key_AsciiTilde),    AlsoQt(43, Qt::Key_Bar),
    AlsoQt(51, Qt::Key_Less),          AlsoQt(52, Qt::Key_Greater),       AlsoQt(53, Qt::Key_Question),
    AlsoQt(156, Qt::Key_Enter),        AlsoQt(183, Qt::Key_SysReq),       AlsoQt(219, Qt::Key_Meta),
});

std::array<std::uint8_t, 256> BuildX11Lookup() {
  std::array<std::uint8_t, 256> lookup{};
  for (const KeyTranslation& key : kTable) {
    if (key.x11Keycode > 0 && key.x11Keycode < lookup.size()) lookup[key.x11Keycode] = key.scanCode;
  }
  return lookup;
}

}  // namespace

std::span<const KeyTranslation> KeyTranslations() { return kTable; }

int ScanCodeFromX11Keycode(unsigned keycode) {
  static const std::array<std::uint8_t, 256> lookup = BuildX11Lookup();
  return keycode < lookup.size() ? lookup[keycode] : 0;
}

int ScanCodeFromQtKey(int qtKey, bool keypad) {
  if (qtKey == 0) return 0;
  for (const KeyTranslation& key : kTable) {
    if (key.qtKey == qtKey && key.keypad == keypad) return key.scanCode;
  }
  // A key that has no keypad meaning of its own.
  if (keypad) return ScanCodeFromQtKey(qtKey, false);
  return 0;
}

}  // namespace fl3
