#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "MachineClock.h"
#include "net/BadNetwork.h"
#include "net/InputDelay.h"

namespace fl3::netlab {

struct ToolOptions {
  enum class Mode { Host, Join, Watch, Soak, EnetSoak, Jumps } mode = Mode::Host;
  // The host's match.
  std::filesystem::path level;
  std::int32_t kind = 0;
  std::int32_t lives = 3;
  std::int32_t seconds = 60;
  std::array<std::string, 4> seats{"cpu", "net", "net", "net"};
  std::int32_t cpuStrength = 1;
  int maxFrames = 0;
  int waitSeconds = 60;  // for the network seats to be taken, and for a client to get in
  // Every machine.
  std::string host = "127.0.0.1";
  int port = -1;  // -1: the default; 0 (a host only): any free one
  std::string name;
  std::string password;
  int seatCount = 1;
  std::string play = "cpu";  // a client's figures: cpu, or script:FILE
  int inputDelay = 0;
  net::ShimSettings shim;
  MachineClock clock;            // this machine's clock, set apart from the real one
  std::filesystem::path seatKey; // a file that keeps the seats' key between runs
  std::filesystem::path folder;  // desync reports; empty: the player's folder
  // The in-memory soak.
  std::filesystem::path levels;
  std::filesystem::path replays;  // where the soak writes every host's replay; empty: nowhere
  int matches = 0;
  int minRoundTripMs = 0, maxRoundTripMs = 400;
  double minLoss = 0, maxLoss = 0.10;
  // The soak over real ENet.
  int parallel = 8;    // matches at once
  int firstMatch = 0;  // the soak's first match: to play one again
  // The jumps of the others' figures: drawn smoothed, or as the frames alone draw them.
  bool smooth = true;
};

// False with a one-line reason for a bad command line.
bool ReadToolOptions(int argc, char** argv, ToolOptions& options, std::string& error);

}  // namespace fl3::netlab
