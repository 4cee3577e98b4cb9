#pragma once
#include <cstdint>
#include <span>

namespace fl3 {

// One way of reaching a key code (the PC scan code the key-name table names):
// its X11 keycode (0 if none; evdev keyboards give scan code + 8 for the
// basic block) and its Qt key (0 if none), which counts only with the keypad
// modifier when `keypad` is set, and only without it otherwise.
struct KeyTranslation {
  std::uint8_t scanCode;
  std::uint16_t x11Keycode;
  int qtKey;
  bool keypad;
};

// Every key with a name, the extended ones included; some codes are reached
// in more than one way (a keypad digit with Num Lock on and off).
std::span<const KeyTranslation> KeyTranslations();

// 0 for a key without a code.
int ScanCodeFromX11Keycode(unsigned keycode);
int ScanCodeFromQtKey(int qtKey, bool keypad);

}  // namespace fl3
