// fuselark3-net: one machine of a network match without a screen, or the
// in-memory soak of many, or the jumps of the others' figures on a screen.
#include <csignal>
#include <exception>
#include <iostream>

#include "EnetRun.h"
#include "EnetSoak.h"
#include "Jumps.h"
#include "Soak.h"
#include "ToolOptions.h"
#include "core/ProgramOptions.h"

namespace {

constexpr const char* kUsage =
    "usage: fuselark3-net host --level FILE [--kind K] [--lives L] [--seconds T]\n"
    "                          [--seats S,S,S,S] [--cpu-strength 0|1|2] [--password P] [--max-frames N]\n"
    "       fuselark3-net join --host ADDRESS[:PORT] --name NAME [--seats 1|2] [--play cpu|script:FILE] [--password P]\n"
    "       fuselark3-net watch --host ADDRESS[:PORT] --name NAME\n"
    "       fuselark3-net soak --levels DIR --matches N [--max-rtt MS] [--max-loss PCT]\n"
    "       fuselark3-net enet-soak --levels DIR --matches N [--seconds T] [--parallel P]\n"
    "                               [--first-match M] [--max-rtt MS] [--max-loss PCT]\n"
    "       fuselark3-net jumps --levels DIR --matches N [--min-rtt MS] [--max-rtt MS]\n"
    "                           [--min-loss PCT] [--max-loss PCT] [--smooth on|off]\n"
    "  every mode: [--port P] [--delay 0..3|auto] [--wait SECONDS] [--folder DIR] [--seat-key FILE]\n"
    "              [--clock-offset MS] [--clock-rate PPM]\n"
    "              [--latency MS] [--jitter MS] [--loss PCT] [--duplicate PCT] [--reorder PCT] [--seed S]\n"
    "  S: cpu, net (a player on another machine), off, or script:FILE (lines \"COUNT CONTROLS\",\n"
    "  controls of l u r d p or -). A host whose seats are all net or off is a dedicated host.\n"
    "  The default port is 61513 (UDP); network play is IPv4 only. Prints one JSON summary.\n";

}  // namespace

int main(int argc, char** argv) {
  std::signal(SIGPIPE, SIG_IGN);
  if (const auto answered = fl3::AnswerHelpOrVersion(argc, argv, "fuselark3-net", kUsage, std::cout)) return *answered;
  fl3::netlab::ToolOptions options;
  std::string error;
  if (!fl3::netlab::ReadToolOptions(argc, argv, options, error)) {
    std::cerr << "fuselark3-net: " << error << "\n" << kUsage;
    return 2;
  }
  try {
    switch (options.mode) {
      case fl3::netlab::ToolOptions::Mode::Host: return fl3::netlab::RunHost(options, std::cout, std::cerr);
      case fl3::netlab::ToolOptions::Mode::Soak: return fl3::netlab::RunSoak(options, std::cout, std::cerr);
      case fl3::netlab::ToolOptions::Mode::EnetSoak: return fl3::netlab::RunEnetSoak(options, std::cout, std::cerr);
      case fl3::netlab::ToolOptions::Mode::Jumps: return fl3::netlab::RunJumps(options, std::cout, std::cerr);
      default: return fl3::netlab::RunClient(options, std::cout, std::cerr);
    }
  } catch (const std::exception& failure) {
    std::cerr << "fuselark3-net: " << failure.what() << "\n";
    return 1;
  }
}
