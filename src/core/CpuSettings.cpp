#include "CpuSettings.h"

#include "FileAccess.h"
#include "GameFolder.h"
#include "TextNumbers.h"

namespace fl3 {

std::int32_t ParseCpuStrengthSetting(std::string_view text) {
  const auto value = ReadNumberLines(text, 1)[0];
  return value && *value >= kCpuEasy && *value <= kCpuHard ? *value : kCpuNormal;
}

std::int32_t ReadCpuStrengthSetting(const GameFolder& folder) {
  const auto path = folder.Find(kCpuSettingsFileName);
  std::string text;
  if (!path || !ReadFileStart(*path, kNumberFileReadLimit, text)) return kCpuNormal;
  return ParseCpuStrengthSetting(text);
}

IoResult WriteCpuStrengthSetting(const GameFolder& folder, std::int32_t strength) {
  return folder.WriteAtomically(kCpuSettingsFileName, WriteNumberLines({strength}));
}

}  // namespace fl3
