#pragma once
#include <string>

namespace fl3 {

// A key's name written one way, as the README's key table writes them
// ("Right Ctrl", "Space", "Keypad 4", "Left arrow"), for windows that list
// several keys in a line. The options window keeps the game's own names.
std::string PlainKeyName(int code);

}  // namespace fl3
