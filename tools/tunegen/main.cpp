// Writes the game's tunes into the folder given as the only argument.
#include <exception>
#include <filesystem>
#include <iostream>

#include "Tunes.h"
#include "core/FileAccess.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: fuselark3-tunegen <game folder>\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  try {
    const struct {
      const char* name;
      std::string (*compose)();
    } tunes[] = {{"BATTLE.MID", tunegen::ComposeBattle},
                 {"CAVERN.MID", tunegen::ComposeCavern},
                 {"SUNRISE.MID", tunegen::ComposeSunrise}};
    for (const auto& tune : tunes) {
      const fl3::IoResult written = fl3::WriteFileAtomically(folder / tune.name, tune.compose());
      if (!written) {
        std::cerr << written.reason << "\n";
        return 1;
      }
    }
  } catch (const std::exception& error) {
    std::cerr << "tunegen: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
