#include "SimRun.h"

#include <cerrno>
#include <exception>
#include <memory>
#include <ostream>
#include <system_error>

#include <nlohmann/json.hpp>

#include "MessageText.h"
#include "SimTrace.h"
#include "core/FileAccess.h"
#include "ai/ComputerSeats.h"
#include "core/LevelFile.h"
#include "core/Rounding.h"
#include "match/MatchFrame.h"

namespace fl3::sim {
namespace {

// The start screen's share of a match: the level, the kind and time, lives
// for figures in play and off the map for the others.
bool PrepareMatch(const SimScript& script, GameState& state, std::int32_t& tileSet, std::int32_t& background,
                  std::ostream& err) {
  if (script.afterMatch) ResetAfterMatch(state);
  for (std::size_t i = 0; i < FigureCount; ++i) {
    Character& figure = state.Characters[i];
    figure.Cont = script.cont[i];
    const auto& k = script.keys[i];
    figure.Keys = KeyLayout{k[0], k[1], k[2], k[3], k[4]};
  }
  state.Random.Skip(static_cast<std::uint64_t>(script.rngSkip));
  if (const IoResult loaded = LoadLevel(script.level, state, tileSet, background); !loaded) {
    err << "fuselark3-sim: cannot play the level \"" << EchoedName(script.level)
        << "\": " << WithEchoedNames(loaded.reason) << "\n";
    return false;
  }
  state.MatchKind = script.kind;
  state.TimeLeft = RoundHalfEven(script.seconds * 1000.0);
  for (std::size_t i = 0; i < FigureCount; ++i) {
    Character& figure = state.Characters[i];
    if (figure.Cont == ContOff) {
      figure.X = OffMapPos;
      figure.Y = OffMapPos;
    } else if (script.kind == MatchNormal) {
      figure.Lives = script.lives[i];
    } else {
      figure.Lives = script.kind == MatchMostKills ? 0 : 99;
    }
  }
  return true;
}

// Far beyond any match a script can describe; a bigger file is not a script.
constexpr std::size_t kLargestScript = 64u << 20;

KeyState HeldKeys(const ScriptFrame& frame) {
  KeyState keys{};
  for (const std::int32_t code : frame.down) keys[static_cast<std::size_t>(code)] = 0x80;
  return keys;
}

}  // namespace

int TraceWriteFailed(std::ostream& err, int error) {
  err << "fuselark3-sim: cannot write the trace";
  if (error != 0) err << ": " << std::generic_category().message(error);
  err << "\n";
  return 1;
}

int RunScript(const SimScript& script, std::ostream& out, std::ostream& err) {
  auto state = std::make_unique<GameState>();
  std::int32_t tileSet = 0;
  std::int32_t background = 0;
  if (!PrepareMatch(script, *state, tileSet, background, err)) return 1;
  errno = 0;
  out << HeaderLine(tileSet, background).dump() << "\n";

  MatchEngine engine(*state, background);
  std::unique_ptr<ComputerSeats> computers;
  if (script.cpuPlay) {
    computers = std::make_unique<ComputerSeats>(*state, static_cast<CpuStrength>(script.cpuStrength),
                                                static_cast<std::uint64_t>(script.cpuSeed));
    computers->SeatOn(engine);
  }
  DrawList draws;
  for (std::size_t k = 0; k < script.frames.size() && out; ++k) {
    const FrameOutcome outcome = engine.RunFrame(script.frames[k].ms, HeldKeys(script.frames[k]),
                                                 script.draw ? &draws : nullptr);
    out << FrameLine(static_cast<int>(k), *state, outcome, script.draw ? &draws : nullptr).dump() << "\n";
    if (outcome.end != MatchEnd::Running) break;
  }
  out.flush();
  if (!out) return TraceWriteFailed(err, errno);
  return 0;
}

int RunScriptFile(const std::string& scriptPath, std::ostream& out, std::ostream& err) {
  // Read whole before parsing, and only from a regular file: a folder, a pipe
  // or a device would fail oddly or block for ever.
  std::string text;
  if (const IoResult read = ReadFileStart(scriptPath, kLargestScript + 1, text); !read) {
    err << "fuselark3-sim: cannot open the script \"" << EchoedName(scriptPath) << "\": "
        << WithEchoedNames(read.reason) << "\n";
    return 1;
  }
  if (text.size() > kLargestScript) {
    err << "fuselark3-sim: the script \"" << EchoedName(scriptPath) << "\" is too large\n";
    return 1;
  }
  const nlohmann::json json = nlohmann::json::parse(text, nullptr, false);
  if (json.is_discarded()) {
    err << "fuselark3-sim: the script \"" << EchoedName(scriptPath) << "\" is not valid JSON\n";
    return 1;
  }
  SimScript script;
  std::string error;
  if (!ReadSimScript(json, script, error)) {
    err << "fuselark3-sim: bad script: " << error << "\n";
    return 1;
  }
  return RunScript(script, out, err);
}

}  // namespace fl3::sim
