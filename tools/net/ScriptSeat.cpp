#include "ScriptSeat.h"

#include <sstream>

namespace fl3::netlab {

bool ReadControlScript(std::string_view text, std::vector<FigureControls>& frames, std::string& error) {
  constexpr long kMostFrames = 1'000'000;
  std::istringstream lines{std::string(text)};
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    long count = 0;
    std::string held, rest;
    if (!(words >> count)) {
      if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
      error = "line " + std::to_string(number) + ": a frame count first";
      return false;
    }
    if (!(words >> held) || (words >> rest) || count < 1 || count + static_cast<long>(frames.size()) > kMostFrames) {
      error = "line " + std::to_string(number) + ": COUNT CONTROLS, e.g. \"20 rp\"";
      return false;
    }
    FigureControls controls;
    for (const char c : held == "-" ? std::string() : held) {
      bool* control = c == 'l' ? &controls.left : c == 'u' ? &controls.up : c == 'r' ? &controls.right
                     : c == 'd' ? &controls.down : c == 'p' ? &controls.plant : nullptr;
      if (control == nullptr) {
        error = "line " + std::to_string(number) + ": unknown control '" + std::string(1, c) + "'";
        return false;
      }
      *control = true;
    }
    frames.insert(frames.end(), static_cast<std::size_t>(count), controls);
  }
  return true;
}

}  // namespace fl3::netlab
