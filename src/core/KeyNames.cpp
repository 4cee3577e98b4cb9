#include "KeyNames.h"

#include <array>
#include <initializer_list>

namespace fl3 {
namespace {

using NameTable = std::array<std::string, 256>;

void Put(NameTable& table, int first, std::initializer_list<const char*> names) {
  for (const char* name : names) table[static_cast<std::size_t>(first++)] = name;
}

NameTable BuildTable() {
  NameTable table;
  table.fill("Unknoun Key");
  Put(table, 1, {"Escape", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "-", "=", "Bckspace", "Tab"});
  Put(table, 16, {"Q", "W", "E", "R", "T", "Y", "U", "I", "O", "P", "[", "]", "Enter", "Left CTRL"});
  Put(table, 30, {"A", "S", "D", "F", "G", "H", "J", "K", "L", ";", "'", "`", "Left SHIFT", "\\"});
  Put(table, 44, {"Z", "X", "C", "V", "B", "N", "M", ",", ".", "/", "Right SHIFT", "* (num)", "Left ALT",
                  "Spacebar", "CAPS LOCK"});
  Put(table, 59, {"F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "NUMLOCK", "SCROLL LOCK"});
  Put(table, 71, {"NUMPAD7", "NUMPAD8", "NUMPAD9", "- (num)", "NUMPAD4", "NUMPAD5", "NUMPAD6", "+ (num)",
                  "NUMPAD1", "NUMPAD2", "NUMPAD3", "NUMPAD0", ". (num)"});
  Put(table, 84, {"F14", "F15", "F13", "F11", "F12"});
  Put(table, 91, {", (num) NEC PC98 numeric keypad"});
  Put(table, 116, {"Pause"});
  Put(table, 156, {"Enter (num)", "Right CTRL key"});
  Put(table, 181, {"/ (num)"});
  Put(table, 183, {"PrintScrn", "Right ALT"});
  Put(table, 199, {"Home", "Up", "Page Up"});
  Put(table, 203, {"Left"});
  Put(table, 205, {"Right"});
  Put(table, 207, {"End", "Down", "Page Down", "Insert", "Delete"});
  Put(table, 219, {"Left Win", "Right Win", "Application"});
  return table;
}

}  // namespace

const std::string& KeyNames(int iNum) {
  static const NameTable table = BuildTable();
  if (iNum < 0 || iNum > 255) return table[0];
  return table[static_cast<std::size_t>(iNum)];
}

}  // namespace fl3
