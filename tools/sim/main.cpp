#include <csignal>
#include <exception>
#include <iostream>

#include "SimRun.h"
#include "core/ProgramOptions.h"

namespace {

constexpr const char* kHelp =
    "usage: fuselark3-sim SCRIPT.json\n"
    "Plays the scripted match without a screen and prints one JSON line per frame\n"
    "(the script's keys are told in fuselark3-sim(1)). A bad script, an unreadable\n"
    "level or a failed write: one line on standard error and exit status 1.\n";

}  // namespace

// Plays one scripted match without a screen and prints what happened,
// frame by frame, as JSON lines.
int main(int argc, char** argv) {
  if (const auto answered = fl3::AnswerHelpOrVersion(argc, argv, "fuselark3-sim", kHelp, std::cout)) return *answered;
  if (argc != 2) {
    std::cerr << "usage: fuselark3-sim SCRIPT.json\n";
    return 1;
  }
  std::ios::sync_with_stdio(false);
  // A reader that goes away is a failed write to report, not a silent death.
  std::signal(SIGPIPE, SIG_IGN);
  try {
    return fl3::sim::RunScriptFile(argv[1], std::cout, std::cerr);
  } catch (const std::exception& error) {
    std::cerr << "fuselark3-sim: " << error.what() << "\n";
    return 1;
  }
}
