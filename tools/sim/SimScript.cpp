#include "SimScript.h"

#include <cmath>
#include <limits>

#include <nlohmann/json.hpp>

namespace fl3::sim {
namespace {

// Thrown inside the reader only, turned into the one-line reason.
struct BadField {
  std::string reason;
};

const nlohmann::json& Field(const nlohmann::json& object, const char* name) {
  const auto it = object.find(name);
  if (it == object.end()) throw BadField{std::string("missing field \"") + name + "\""};
  return *it;
}

BadField OutOfRange(const std::string& what, std::int64_t low, std::int64_t high) {
  return BadField{what + " must lie between " + std::to_string(low) + " and " + std::to_string(high)};
}

// Accepts 7 and 7.0 alike; anything else that is not a whole number in
// [low, high] is refused.
std::int64_t WholeNumber(const nlohmann::json& value, const std::string& what, std::int64_t low, std::int64_t high) {
  if (value.is_number_unsigned() && value.get<std::uint64_t>() > static_cast<std::uint64_t>(high)) {
    throw OutOfRange(what, low, high);
  }
  if (value.is_number_integer()) {
    const auto n = value.get<std::int64_t>();
    if (n < low || n > high) throw OutOfRange(what, low, high);
    return n;
  }
  if (value.is_number_float()) {
    const double d = value.get<double>();
    if (!std::isfinite(d) || std::floor(d) != d) throw BadField{what + " must be a whole number"};
    if (d < static_cast<double>(low) || d > static_cast<double>(high)) throw OutOfRange(what, low, high);
    return static_cast<std::int64_t>(d);
  }
  throw BadField{what + " must be a whole number"};
}

std::int32_t Int32(const nlohmann::json& value, const std::string& what) {
  return static_cast<std::int32_t>(WholeNumber(value, what, std::numeric_limits<std::int32_t>::min(),
                                               std::numeric_limits<std::int32_t>::max()));
}

std::int32_t KeyCode(const nlohmann::json& value, const std::string& what) {
  return static_cast<std::int32_t>(WholeNumber(value, what, 0, 255));
}

const nlohmann::json& ArrayOf(const nlohmann::json& value, const std::string& what, std::size_t size) {
  if (!value.is_array() || value.size() != size) {
    throw BadField{what + " must be a list of " + std::to_string(size) + " entries"};
  }
  return value;
}

bool OptionalFlag(const nlohmann::json& object, const char* name) {
  const auto it = object.find(name);
  if (it == object.end()) return false;
  if (!it->is_boolean()) throw BadField{std::string("\"") + name + "\" must be true or false"};
  return it->get<bool>();
}

ScriptFrame ReadFrame(const nlohmann::json& value, std::size_t index) {
  const std::string where = "frame " + std::to_string(index);
  if (!value.is_object()) throw BadField{where + " must be an object"};
  ScriptFrame frame;
  frame.ms = Int32(Field(value, "ms"), where + " \"ms\"");
  const nlohmann::json& down = Field(value, "down");
  if (!down.is_array()) throw BadField{where + " \"down\" must be a list of key codes"};
  for (const nlohmann::json& code : down) frame.down.push_back(KeyCode(code, where + " key code"));
  return frame;
}

void ReadAll(const nlohmann::json& json, SimScript& script) {
  if (!json.is_object()) throw BadField{"the script must be a JSON object"};
  const nlohmann::json& level = Field(json, "level");
  if (!level.is_string()) throw BadField{"\"level\" must be a file name"};
  script.level = level.get<std::string>();
  // The system would read the name only up to the NUL: another file.
  if (script.level.find('\0') != std::string::npos) throw BadField{"\"level\" must not hold a NUL character"};
  script.kind = static_cast<std::int32_t>(WholeNumber(Field(json, "kind"), "\"kind\"", 0, 2));
  const nlohmann::json& lives = ArrayOf(Field(json, "lives"), "\"lives\"", 4);
  const nlohmann::json& cont = ArrayOf(Field(json, "cont"), "\"cont\"", 4);
  const nlohmann::json& keys = ArrayOf(Field(json, "keys"), "\"keys\"", 4);
  for (std::size_t i = 0; i < 4; ++i) {
    script.lives[i] = Int32(lives[i], "\"lives\" entry");
    script.cont[i] = static_cast<std::int32_t>(WholeNumber(cont[i], "\"cont\" entry", 0, 2));
    const nlohmann::json& five = ArrayOf(keys[i], "each \"keys\" entry", 5);
    for (std::size_t k = 0; k < 5; ++k) script.keys[i][k] = KeyCode(five[k], "\"keys\" code");
  }
  const nlohmann::json& seconds = Field(json, "seconds");
  if (!seconds.is_number()) throw BadField{"\"seconds\" must be a number"};
  script.seconds = seconds.get<double>();
  if (const auto it = json.find("rng_skip"); it != json.end()) {
    script.rngSkip = WholeNumber(*it, "\"rng_skip\"", 0, std::numeric_limits<std::int32_t>::max());
  }
  script.afterMatch = OptionalFlag(json, "after_match");
  script.draw = OptionalFlag(json, "draw");
  script.cpuPlay = OptionalFlag(json, "cpu_play");
  if (const auto it = json.find("cpu_strength"); it != json.end()) {
    script.cpuStrength = static_cast<std::int32_t>(WholeNumber(*it, "\"cpu_strength\"", 0, 2));
  }
  if (const auto it = json.find("cpu_seed"); it != json.end()) {
    script.cpuSeed = WholeNumber(*it, "\"cpu_seed\"", 0, std::numeric_limits<std::int64_t>::max());
  }
  const nlohmann::json& frames = Field(json, "frames");
  if (!frames.is_array()) throw BadField{"\"frames\" must be a list"};
  for (std::size_t i = 0; i < frames.size(); ++i) script.frames.push_back(ReadFrame(frames[i], i));
}

}  // namespace

bool ReadSimScript(const nlohmann::json& json, SimScript& script, std::string& error) {
  try {
    SimScript read;
    ReadAll(json, read);
    script = std::move(read);
    return true;
  } catch (const BadField& bad) {
    error = bad.reason;
    return false;
  }
}

}  // namespace fl3::sim
