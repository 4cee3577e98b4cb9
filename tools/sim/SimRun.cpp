#include "SimRun.h"

#include <fstream>
#include <memory>
#include <ostream>

#include <nlohmann/json.hpp>

#include "SimTrace.h"
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
  for (std::int64_t i = 0; i < script.rngSkip; ++i) state.Random.Next();
  if (const IoResult loaded = LoadLevel(script.level, state, tileSet, background); !loaded) {
    err << "fuselark3-sim: cannot read the level \"" << script.level << "\": " << loaded.reason << "\n";
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

KeyState HeldKeys(const ScriptFrame& frame) {
  KeyState keys{};
  for (const std::int32_t code : frame.down) keys[static_cast<std::size_t>(code)] = 0x80;
  return keys;
}

}  // namespace

int RunScript(const SimScript& script, std::ostream& out, std::ostream& err) {
  auto state = std::make_unique<GameState>();
  std::int32_t tileSet = 0;
  std::int32_t background = 0;
  if (!PrepareMatch(script, *state, tileSet, background, err)) return 1;
  out << HeaderLine(tileSet, background).dump() << "\n";

  MatchEngine engine(*state, background);
  std::unique_ptr<ComputerSeats> computers;
  if (script.cpuPlay) {
    computers = std::make_unique<ComputerSeats>(*state, static_cast<CpuStrength>(script.cpuStrength),
                                                static_cast<std::uint64_t>(script.cpuSeed));
    computers->SeatOn(engine);
  }
  DrawList draws;
  for (std::size_t k = 0; k < script.frames.size(); ++k) {
    const FrameOutcome outcome = engine.RunFrame(script.frames[k].ms, HeldKeys(script.frames[k]),
                                                 script.draw ? &draws : nullptr);
    out << FrameLine(static_cast<int>(k), *state, outcome, script.draw ? &draws : nullptr).dump() << "\n";
    if (outcome.end != MatchEnd::Running) break;
  }
  out.flush();
  return 0;
}

int RunScriptFile(const std::string& scriptPath, std::ostream& out, std::ostream& err) {
  std::ifstream file(scriptPath, std::ios::binary);
  if (!file) {
    err << "fuselark3-sim: cannot open the script \"" << scriptPath << "\"\n";
    return 1;
  }
  const nlohmann::json json = nlohmann::json::parse(file, nullptr, false);
  if (json.is_discarded()) {
    err << "fuselark3-sim: the script \"" << scriptPath << "\" is not valid JSON\n";
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
