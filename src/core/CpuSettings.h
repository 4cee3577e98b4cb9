#pragma once
#include <cstdint>
#include <string_view>

#include "IoResult.h"

namespace fl3 {

class GameFolder;

inline constexpr const char* kCpuSettingsFileName = "CPU.OPT";

// The computer players' strength: 0 Easy, 1 Normal, 2 Hard.
inline constexpr std::int32_t kCpuEasy = 0, kCpuNormal = 1, kCpuHard = 2;

// Normal when the file is missing, damaged or holds a number out of range.
std::int32_t ReadCpuStrengthSetting(const GameFolder& folder);
std::int32_t ParseCpuStrengthSetting(std::string_view text);
IoResult WriteCpuStrengthSetting(const GameFolder& folder, std::int32_t strength);

}  // namespace fl3
