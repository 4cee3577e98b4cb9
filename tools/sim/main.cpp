#include <csignal>
#include <exception>
#include <iostream>

#include "SimRun.h"

// Plays one scripted match without a screen and prints what happened,
// frame by frame, as JSON lines.
int main(int argc, char** argv) {
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
