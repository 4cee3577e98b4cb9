#pragma once
#include <cstdint>

namespace fl3 {

// The three strengths of the computer player, numbered as stored.
enum class CpuStrength : std::int32_t { Easy = 0, Normal = 1, Hard = 2 };

inline constexpr CpuStrength kDefaultCpuStrength = CpuStrength::Normal;

inline bool IsCpuStrength(std::int64_t number) { return number >= 0 && number <= 2; }

}  // namespace fl3
