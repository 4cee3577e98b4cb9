#pragma once
#include <array>
#include <string>
#include <string_view>

#include "IoResult.h"

namespace fl3 {

class GameFolder;

inline constexpr const char* kPadChoicesFileName = "PADS.OPT";

// A gamepad as it is known again when plugged in later: the device's GUID
// (32 hex digits) and its name. Empty: no pad, the keyboard only.
struct PadIdentity {
  std::string guid;
  std::string name;

  bool Empty() const { return guid.empty(); }
  friend bool operator==(const PadIdentity&, const PadIdentity&) = default;
};

// The pad each of the four players steers with besides the keys.
using PadChoices = std::array<PadIdentity, 4>;

// One line per player, ended by CR LF: empty for the keyboard only,
// otherwise the GUID, a space and the name. A line that is not of this form,
// like a missing or unreadable file, stands for the keyboard only.
PadChoices ParsePadChoices(std::string_view text);
bool AnyPadChosen(const PadChoices& choices);
std::string PadChoicesFileText(const PadChoices& choices);
PadChoices ReadPadChoices(const GameFolder& folder);
IoResult WritePadChoices(const GameFolder& folder, const PadChoices& choices);

}  // namespace fl3
