// fuselark3-level: shows a level file as JSON and makes a level file from
// JSON, for level makers who prefer a text editor to the game's editor.
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <string_view>

#include "core/FileAccess.h"
#include "core/LevelFile.h"
#include "core/LevelValues.h"
#include "core/ProgramOptions.h"
#include "level/LevelJson.h"

namespace {

constexpr const char* kUsage = "usage: fuselark3-level show FILE | fuselark3-level make JSON_FILE LEVEL_FILE";
constexpr const char* kHelp =
    "usage: fuselark3-level show FILE | fuselark3-level make JSON_FILE LEVEL_FILE\n"
    "  show  prints the level file as one JSON object on standard output\n"
    "  make  writes the level file from such an object, refusing values the game cannot play\n"
    "On any error: one line on standard error, exit status 1, no file written.\n";

// Every failure is one line on standard error and exit status 1.
int Fail(std::string message) {
  for (char& c : message) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  std::cerr << "fuselark3-level: " << message << std::endl;
  return 1;
}

int Show(const std::string& levelPath) {
  fl3::LevelData level;
  if (fl3::IoResult read = fl3::ReadLevelFile(levelPath, level); !read) return Fail(read.reason);
  std::cout << fl3::FormatLevelJson(level) << std::flush;
  if (!std::cout) return Fail("the level cannot be written to standard output");
  return 0;
}

int Make(const std::string& jsonPath, const std::string& levelPath) {
  std::string text;
  if (fl3::IoResult read = fl3::ReadWholeFile(jsonPath, text); !read) return Fail(read.reason);
  fl3::LevelData level;
  fl3::IoResult parsed = fl3::LevelFromJsonText(text, level);
  if (parsed) parsed = fl3::CheckLevelValues(level);
  if (!parsed) return Fail("\"" + jsonPath + "\": " + parsed.reason + "; nothing written");
  if (fl3::IoResult written = fl3::WriteLevelFile(levelPath, level); !written) return Fail(written.reason);
  return 0;
}

int Run(int argc, char** argv) {
  if (const auto answered = fl3::AnswerHelpOrVersion(argc, argv, "fuselark3-level", kHelp, std::cout)) return *answered;
  const std::string_view command = argc > 1 ? argv[1] : "";
  if (command == "show" && argc == 3) return Show(argv[2]);
  if (command == "make" && argc == 4) return Make(argv[2], argv[3]);
  return Fail(kUsage);
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& error) {
    return Fail(error.what());
  }
}
