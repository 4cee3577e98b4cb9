#include <csignal>
#include <exception>
#include <iostream>
#include <string>

#include "SimReplay.h"
#include "SimRun.h"
#include "core/ProgramOptions.h"

namespace {

constexpr const char* kHelp =
    "usage: fuselark3-sim SCRIPT.json | fuselark3-sim --replay FILE [--trace]\n"
    "Plays the scripted match without a screen and prints one JSON line per frame\n"
    "(the script's keys are told in fuselark3-sim(1)). With --replay it plays a\n"
    "replay file and compares every state hash stored in it. A bad script or\n"
    "replay, an unreadable level or a failed write: one line on standard error\n"
    "and exit status 1.\n";

}  // namespace

// Plays one scripted match without a screen and prints what happened,
// frame by frame, as JSON lines.
int main(int argc, char** argv) {
  if (const auto answered = fl3::AnswerHelpOrVersion(argc, argv, "fuselark3-sim", kHelp, std::cout)) return *answered;
  const std::string first = argc > 1 ? argv[1] : "";
  const bool replay = first == "--replay" && (argc == 3 || (argc == 4 && std::string(argv[3]) == "--trace"));
  if ((argc != 2 || first == "--replay") && !replay) {
    std::cerr << "usage: fuselark3-sim SCRIPT.json | fuselark3-sim --replay FILE [--trace]\n";
    return 1;
  }
  std::ios::sync_with_stdio(false);
  // A reader that goes away is a failed write to report, not a silent death.
  std::signal(SIGPIPE, SIG_IGN);
  try {
    if (replay) return fl3::sim::CheckReplayFile(argv[2], argc == 4, std::cout, std::cerr);
    return fl3::sim::RunScriptFile(argv[1], std::cout, std::cerr);
  } catch (const std::exception& error) {
    std::cerr << "fuselark3-sim: " << error.what() << "\n";
    return 1;
  }
}
