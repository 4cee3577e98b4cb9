#include "ToolOptions.h"

#include <charconv>
#include <map>
#include <string_view>

namespace fl3::netlab {
namespace {

bool Number(std::string_view text, long long low, long long high, long long& out) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
  return error == std::errc() && end == text.data() + text.size() && out >= low && out <= high;
}

bool Percent(std::string_view text, double& share) {
  long long tenths = 0;
  std::string digits(text);
  const auto dot = digits.find('.');
  if (dot != std::string::npos) {
    if (digits.size() != dot + 2) return false;
    digits.erase(dot, 1);
  } else {
    digits += '0';
  }
  if (!Number(digits, 0, 1000, tenths)) return false;
  share = static_cast<double>(tenths) / 1000.0;
  return true;
}

bool Seats(std::string_view text, std::array<std::string, 4>& seats) {
  std::size_t at = 0;
  for (std::string& seat : seats) {
    const auto comma = text.find(',', at);
    seat = std::string(text.substr(at, comma == std::string_view::npos ? std::string_view::npos : comma - at));
    if (seat != "cpu" && seat != "net" && seat != "off" && seat.rfind("script:", 0) != 0) return false;
    if (comma == std::string_view::npos) return &seat == &seats.back();
    at = comma + 1;
  }
  return false;
}

bool HostAndPort(std::string_view text, std::string& host, int& port) {
  const auto colon = text.rfind(':');
  long long number = 0;
  if (colon != std::string_view::npos) {
    if (!Number(text.substr(colon + 1), 1, 65535, number)) return false;
    port = static_cast<int>(number);
    text = text.substr(0, colon);
  }
  host = std::string(text);
  return !host.empty();
}

}  // namespace

bool ReadToolOptions(int argc, char** argv, ToolOptions& options, std::string& error) {
  if (argc < 2) return error = "a mode first: host, join, watch, soak, enet-soak or jumps", false;
  const std::map<std::string_view, ToolOptions::Mode> modes{{"host", ToolOptions::Mode::Host},
      {"join", ToolOptions::Mode::Join}, {"watch", ToolOptions::Mode::Watch}, {"soak", ToolOptions::Mode::Soak},
      {"enet-soak", ToolOptions::Mode::EnetSoak}, {"jumps", ToolOptions::Mode::Jumps}};
  const auto mode = modes.find(argv[1]);
  if (mode == modes.end()) return error = std::string("unknown mode ") + argv[1], false;
  options.mode = mode->second;
  for (int i = 2; i < argc; ++i) {
    const std::string_view name = argv[i];
    if (i + 1 >= argc) return error = "missing value after " + std::string(name), false;
    const std::string_view value = argv[++i];
    long long n = 0;
    bool good = true;
    if (name == "--level") options.level = value;
    else if (name == "--levels") options.levels = value;
    else if (name == "--replays") options.replays = value;
    else if (name == "--folder") options.folder = value;
    else if (name == "--name") good = !value.empty() && value.size() <= 24, options.name = value;
    else if (name == "--password") options.password = value;
    else if (name == "--play") good = value == "cpu" || value.rfind("script:", 0) == 0, options.play = value;
    else if (name == "--seats" && options.mode == ToolOptions::Mode::Host) good = Seats(value, options.seats);
    else if (name == "--seats") good = Number(value, 1, 2, n), options.seatCount = static_cast<int>(n);
    else if (name == "--host") good = HostAndPort(value, options.host, options.port);
    else if (name == "--port") good = Number(value, options.mode == ToolOptions::Mode::Host ? 0 : 1, 65535, n), options.port = static_cast<int>(n);
    else if (name == "--kind") good = Number(value, 0, 2, n), options.kind = static_cast<std::int32_t>(n);
    else if (name == "--lives") good = Number(value, 1, 99, n), options.lives = static_cast<std::int32_t>(n);
    else if (name == "--seconds") good = Number(value, 1, 3600, n), options.seconds = static_cast<std::int32_t>(n);
    else if (name == "--cpu-strength") good = Number(value, 0, 2, n), options.cpuStrength = static_cast<std::int32_t>(n);
    else if (name == "--max-frames") good = Number(value, 1, 10'000'000, n), options.maxFrames = static_cast<int>(n);
    else if (name == "--wait") good = Number(value, 1, 3600, n), options.waitSeconds = static_cast<int>(n);
    else if (name == "--delay" && value == "auto") options.inputDelay = net::kAutomaticDelay;
    else if (name == "--delay") good = Number(value, 0, 3, n), options.inputDelay = static_cast<int>(n);
    else if (name == "--latency") good = Number(value, 0, 5000, n), options.shim.latencyMs = static_cast<int>(n);
    else if (name == "--jitter") good = Number(value, 0, 5000, n), options.shim.jitterMs = static_cast<int>(n);
    else if (name == "--loss") good = Percent(value, options.shim.loss);
    else if (name == "--duplicate") good = Percent(value, options.shim.duplicate);
    else if (name == "--reorder") good = Percent(value, options.shim.reorder);
    else if (name == "--seed") good = Number(value, 0, 999'999'999'999, n), options.shim.seed = static_cast<std::uint64_t>(n);
    else if (name == "--matches") good = Number(value, 1, 1'000'000, n), options.matches = static_cast<int>(n);
    else if (name == "--min-rtt") good = Number(value, 0, 2000, n), options.minRoundTripMs = static_cast<int>(n);
    else if (name == "--min-loss") good = Percent(value, options.minLoss);
    else if (name == "--max-rtt") good = Number(value, 0, 2000, n), options.maxRoundTripMs = static_cast<int>(n);
    else if (name == "--max-loss") good = Percent(value, options.maxLoss);
    else if (name == "--first-match") good = Number(value, 0, 1'000'000, n), options.firstMatch = static_cast<int>(n);
    else if (name == "--parallel") good = Number(value, 1, 64, n), options.parallel = static_cast<int>(n);
    else if (name == "--clock-offset") good = Number(value, -1'000'000'000'000, 1'000'000'000'000, n), options.clock.offsetMs = n;
    else if (name == "--clock-rate") good = Number(value, -1000, 1000, n), options.clock.ratePpm = static_cast<double>(n);
    else if (name == "--seat-key") options.seatKey = value;
    else if (name == "--smooth") good = value == "on" || value == "off", options.smooth = value == "on";
    else return error = "unknown option " + std::string(name), false;
    if (!good) return error = "bad value for " + std::string(name) + ": " + std::string(value), false;
  }
  if (options.mode == ToolOptions::Mode::Host && options.level.empty()) return error = "host needs --level FILE", false;
  const bool soak = options.mode == ToolOptions::Mode::Soak || options.mode == ToolOptions::Mode::EnetSoak ||
                    options.mode == ToolOptions::Mode::Jumps;
  if (soak && (options.levels.empty() || options.matches == 0)) return error = "soak and jumps need --levels DIR and --matches N", false;
  if ((options.mode == ToolOptions::Mode::Join || options.mode == ToolOptions::Mode::Watch) && options.name.empty()) {
    return error = "join and watch need --name NAME", false;
  }
  return true;
}

}  // namespace fl3::netlab
