#include "EnetRun.h"

#include <arpa/inet.h>
#include <netdb.h>

#include <ctime>
#include <fstream>
#include <iostream>
#include <sstream>

#include "EnetMachine.h"
#include "MachineSummary.h"
#include "ScriptSeat.h"
#include "SeatPlayers.h"
#include "core/GameFolder.h"
#include "core/GameFolderChoice.h"
#include "core/LevelFile.h"
#include "net/DesyncReport.h"
#include "net/NetReplay.h"
#include "net/PasswordProof.h"
#include "replay/ReplayShelf.h"

namespace fl3::netlab {
namespace {

bool Resolve(const std::string& host, std::uint16_t port, sockaddr_in& address) {
  addrinfo hints{};
  hints.ai_family = AF_INET;  // ENet speaks IPv4 only
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) return false;
  address = *reinterpret_cast<const sockaddr_in*>(found->ai_addr);
  address.sin_port = htons(port);
  freeaddrinfo(found);
  return true;
}

std::uint16_t PortOf(const ToolOptions& options) {
  return options.port >= 0 ? static_cast<std::uint16_t>(options.port) : net::kDefaultPort;
}

std::filesystem::path ReportFolder(const ToolOptions& options) {
  if (!options.folder.empty()) return options.folder;
  const char* xdg = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  return PlayersDirectory(xdg ? xdg : "", home ? home : "");
}

// `play` is "script:FILE".
std::unique_ptr<FigureControlSource> ScriptFrom(const std::string& play, std::string& error) {
  std::ifstream file(play.substr(7));
  std::stringstream text;
  text << file.rdbuf();
  std::vector<FigureControls> frames;
  if (!file || !ReadControlScript(text.str(), frames, error)) {
    if (error.empty()) error = "cannot read " + play.substr(7);
    return nullptr;
  }
  return std::make_unique<ScriptSeat>(std::move(frames));
}

// Every machine keeps the network match as a normal replay.
void KeepReplay(const ToolOptions& options, const net::NetMatch& match, const net::Lobby& lobby, bool watched,
                MachineSummary& summary, std::ostream& errors) {
  const ReplayShelf shelf(ReportFolder(options) / "replays");
  std::error_code error;
  std::filesystem::create_directories(shelf.Directory(), error);
  Replay replay = net::ReplayOf(match, std::time(nullptr));
  net::NameNetworkReplay(replay, lobby, watched);
  if (const IoResult added = shelf.Add(replay, 0, false); !added) {
    errors << "fuselark3-net: the replay could not be kept: " << added.reason << "\n";
    return;
  }
  summary.replays = shelf.Directory().string();
}

void WriteReports(const ToolOptions& options, const std::vector<net::DesyncEvidence>& reports, MachineSummary& summary,
                  std::ostream& errors) {
  for (const net::DesyncEvidence& evidence : reports) {
    std::string written;
    const IoResult result = net::WriteDesyncReport(ReportFolder(options), evidence, std::time(nullptr), written);
    if (result) {
      summary.desyncReport = written;
    } else {
      errors << "fuselark3-net: the desync report could not be written: " << result.reason << "\n";
    }
  }
}

// The seats' key as 32 hexadecimal digits in a file of its own (0600),
// written as a temporary file and renamed.
net::SeatKey ReadSeatKey(const std::filesystem::path& file) {
  net::SeatKey key{};
  std::ifstream in(file);
  std::string hex;
  if (!(in >> hex) || hex.size() != 2 * key.size()) return {};
  for (std::size_t i = 0; i < key.size(); ++i) {
    unsigned value = 0;
    if (std::sscanf(hex.c_str() + 2 * i, "%2x", &value) != 1) return {};
    key[i] = static_cast<std::uint8_t>(value);
  }
  return key;
}

void WriteSeatKey(const std::filesystem::path& file, const net::SeatKey& key, std::ostream& errors) {
  std::string hex;
  char digits[3];
  for (const std::uint8_t byte : key) std::snprintf(digits, sizeof digits, "%02x", byte), hex += digits;
  const GameFolder folder(file.has_parent_path() ? file.parent_path() : std::filesystem::path("."));
  if (const IoResult written = folder.WriteAtomically(file.filename().string(), hex + "\n"); !written) {
    errors << "fuselark3-net: the seat key could not be kept: " << written.reason << "\n";
    return;
  }
  std::error_code ignored;
  std::filesystem::permissions(file, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write, ignored);
}

bool HostConfigFrom(const ToolOptions& options, net::HostConfig& config,
                    std::array<std::unique_ptr<FigureControlSource>, FigureCount>& sources, std::ostream& errors) {
  LevelData level;
  if (const IoResult read = ReadLevelFile(options.level, level); !read) {
    errors << "fuselark3-net: " << options.level.string() << ": " << read.reason << "\n";
    return false;
  }
  config.start.level = EncodeLevel(level);
  config.start.levelName = options.level.filename().string();
  config.start.kind = options.kind;
  config.start.timeLeftMs = options.seconds * 1000;
  config.start.cpuStrength = options.cpuStrength;
  config.start.cpuSeed = options.shim.seed;
  config.start.random = static_cast<std::uint32_t>(options.shim.seed % (1u << 24));
  config.password = options.password;
  config.inputDelay = options.inputDelay;
  config.maxFrames = options.maxFrames;
  for (int i = 0; i < FigureCount; ++i) {
    const auto index = static_cast<std::size_t>(i);
    const std::string& seat = options.seats[index];
    MatchStart::Figure& figure = config.start.figures[index];
    figure.lives = options.kind == MatchNormal ? options.lives : options.kind == MatchMostKills ? 0 : 99;
    figure.cont = seat == "off" ? ContOff : seat == "cpu" ? ContCpu : ContMan;
    config.seats[index] = seat == "off" ? net::HostSeat::Off : seat == "cpu" ? net::HostSeat::Computer
                          : seat == "net" ? net::HostSeat::Network : net::HostSeat::Local;
    std::string error;
    if (seat == "cpu") sources[index] = PlayerFor(config.start, i);
    if (seat.rfind("script:", 0) == 0 && !(sources[index] = ScriptFrom(seat, error))) {
      errors << "fuselark3-net: " << error << "\n";
      return false;
    }
    config.sources[index] = sources[index].get();
  }
  return true;
}

}  // namespace

int RunHost(const ToolOptions& options, std::ostream& out, std::ostream& errors) {
  net::HostConfig config;
  std::array<std::unique_ptr<FigureControlSource>, FigureCount> sources;
  if (!HostConfigFrom(options, config, sources, errors)) return 1;
  net::SystemNonces nonces;
  config.nonces = &nonces;
  GameState state;
  EnetHostMachine host(state, config, PortOf(options), options.shim, options.clock, options.waitSeconds);
  if (host.Port() == 0) {
    errors << "fuselark3-net: " << host.Error() << "\n";
    return 1;
  }
  errors << "fuselark3-net: listening on UDP port " << host.Port() << std::endl;
  const std::int64_t matchMs = (options.kind == MatchNormal ? 600 : options.seconds + 60) * 1000LL;
  RunMachines({&host}, SteadyMs() + options.waitSeconds * 1000LL + matchMs);
  MachineSummary summary = host.Summary();
  WriteReports(options, host.OutOfStep(), summary, errors);
  if (const net::NetMatch* match = host.Session().Match()) {
    KeepReplay(options, *match, host.Session().LobbyView(), false, summary, errors);
  }
  WriteSummary(summary, out);
  return summary.end.reason == net::EndReason::Over && host.Done() ? 0 : 1;
}

int RunClient(const ToolOptions& options, std::ostream& out, std::ostream& errors) {
  const bool watching = options.mode == ToolOptions::Mode::Watch;
  sockaddr_in address{};
  if (!Resolve(options.host, PortOf(options), address)) {
    errors << "fuselark3-net: the host " << options.host << " was not found (IPv4)\n";
    return 1;
  }
  std::array<std::unique_ptr<FigureControlSource>, FigureCount> sources;
  net::ClientConfig config;
  config.name = options.name;
  config.role = watching ? net::Role::Spectator : net::Role::Player;
  config.seats = options.seatCount;
  config.password = options.password;
  config.inputDelay = options.inputDelay;
  if (!options.seatKey.empty()) config.seatKey = ReadSeatKey(options.seatKey);
  std::string scriptError;
  config.seatFor = [&](int figure, int, const MatchStart& start) {
    auto& source = sources[static_cast<std::size_t>(figure)];
    if (options.play == "cpu") {
      source = PlayerFor(start, figure);
      return net::LocalSeat{source.get(), true};
    }
    source = ScriptFrom(options.play, scriptError);
    return net::LocalSeat{source.get(), false};
  };
  GameState state;
  EnetClientMachine client(state, config, address, options.shim, options.clock, watching);
  if (!client.Error().empty()) {
    errors << "fuselark3-net: " << client.Error() << "\n";
    return 1;
  }
  if (!options.seatKey.empty()) {
    client.onSeatKey = [&](const net::SeatKey& key) { WriteSeatKey(options.seatKey, key, errors); };
  }
  RunMachines({&client}, SteadyMs() + (options.waitSeconds + 3700) * 1000LL);
  if (!scriptError.empty()) errors << "fuselark3-net: " << scriptError << "\n";
  MachineSummary summary = client.Summary();
  WriteReports(options, client.OutOfStep(), summary, errors);
  if (const net::NetMatch* match = client.Session().Match()) {
    KeepReplay(options, *match, client.Session().LobbyView(), watching, summary, errors);
  }
  WriteSummary(summary, out);
  return summary.end.reason == net::EndReason::Over && client.Done() ? 0 : 1;
}

}  // namespace fl3::netlab
