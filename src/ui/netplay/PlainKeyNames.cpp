#include "ui/netplay/PlainKeyNames.h"

#include <string_view>

#include "core/KeyNames.h"

namespace fl3 {
namespace {

struct Plain {
  std::string_view game;
  const char* plain;
};

constexpr Plain kPlainNames[] = {
    {"Bckspace", "Backspace"},      {"Left CTRL", "Left Ctrl"},     {"Right CTRL key", "Right Ctrl"},
    {"Left SHIFT", "Left Shift"},   {"Right SHIFT", "Right Shift"}, {"Left ALT", "Left Alt"},
    {"Right ALT", "Right Alt"},     {"Spacebar", "Space"},          {"CAPS LOCK", "Caps Lock"},
    {"NUMLOCK", "Num Lock"},        {"SCROLL LOCK", "Scroll Lock"}, {"PrintScrn", "Print Screen"},
    {"Enter (num)", "Keypad Enter"}, {", (num) NEC PC98 numeric keypad", "Keypad ,"},
    {"Left", "Left arrow"},         {"Right", "Right arrow"},       {"Up", "Up arrow"},
    {"Down", "Down arrow"},         {"Unknoun Key", "unknown key"},
};

constexpr std::string_view kNumpad = "NUMPAD", kNumSuffix = " (num)";

}  // namespace

std::string PlainKeyName(int code) {
  if (code == 0) return "no key";
  const std::string_view game = KeyNames(code);
  for (const Plain& name : kPlainNames) {
    if (name.game == game) return name.plain;
  }
  if (game.starts_with(kNumpad)) return "Keypad " + std::string(game.substr(kNumpad.size()));
  if (game.ends_with(kNumSuffix)) return "Keypad " + std::string(game.substr(0, game.size() - kNumSuffix.size()));
  return std::string(game);
}

}  // namespace fl3
