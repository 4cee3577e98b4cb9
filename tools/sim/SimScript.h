#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <nlohmann/json_fwd.hpp>

namespace fl3::sim {

struct ScriptFrame {
  std::int32_t ms = 0;
  std::vector<std::int32_t> down;  // key codes held in this frame
};

// One match to simulate, as the script file describes it.
struct SimScript {
  std::string level;
  std::int32_t kind = 0;
  std::array<std::int32_t, 4> lives{};
  double seconds = 0;
  std::array<std::int32_t, 4> cont{};
  std::array<std::array<std::int32_t, 5>, 4> keys{};  // left, up, right, down, plant
  std::int64_t rngSkip = 0;
  bool afterMatch = false;
  bool draw = false;
  bool cpuPlay = false;         // figures on CPU play; otherwise they stand still
  std::int32_t cpuStrength = 1;  // 0 Easy, 1 Normal, 2 Hard
  std::int64_t cpuSeed = 0;
  std::vector<ScriptFrame> frames;
};

// Reads a parsed script; on a missing field or a wrong type returns false
// with a one-line reason naming the field.
bool ReadSimScript(const nlohmann::json& json, SimScript& script, std::string& error);

}  // namespace fl3::sim
