#include "MusicSettings.h"

#include <algorithm>

#include "FileAccess.h"
#include "GameFolder.h"
#include "TextNumbers.h"

namespace fl3 {

MusicSettings ParseMusicSettings(std::string_view text) {
  const auto values = ReadNumberLines(text, 3);
  const auto usable = [](const std::optional<std::int32_t>& value, std::int32_t fallback, std::int32_t low,
                         std::int32_t high) { return value ? std::clamp(*value, low, high) : fallback; };
  MusicSettings settings;
  settings.MusicTempo = usable(values[0], MusicSettings::kTempoDefault, MusicSettings::kTempoMin,
                               MusicSettings::kTempoMax);
  settings.MusicVolume = usable(values[1], MusicSettings::kVolumeDefault, MusicSettings::kVolumeMin,
                                MusicSettings::kVolumeMax);
  settings.MusicGroove = usable(values[2], MusicSettings::kGrooveDefault, MusicSettings::kGrooveMin,
                                MusicSettings::kGrooveMax);
  return settings;
}

MusicSettings ReadMusicSettings(const GameFolder& folder) {
  const auto path = folder.Find(kSettingsFileName);
  std::string text;
  if (!path || !ReadFileStart(*path, kNumberFileReadLimit, text)) return MusicSettings{};
  return ParseMusicSettings(text);
}

std::string MusicSettingsFileText(const MusicSettings& settings) {
  return WriteNumberLines({settings.MusicTempo, settings.MusicVolume, settings.MusicGroove});
}

IoResult WriteMusicSettings(const GameFolder& folder, const MusicSettings& settings) {
  return folder.WriteAtomically(kSettingsFileName, MusicSettingsFileText(settings));
}

}  // namespace fl3
