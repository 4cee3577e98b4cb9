#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "IoResult.h"

namespace fl3 {

class GameFolder;

inline constexpr const char* kSettingsFileName = "MISC.OPT";

// Tempo in tenths of normal speed, volume in hundredths of a decibel, groove
// level offset.
struct MusicSettings {
  static constexpr std::int32_t kTempoMin = 1, kTempoMax = 100, kTempoDefault = 10;
  static constexpr std::int32_t kVolumeMin = -200, kVolumeMax = 20, kVolumeDefault = 0;
  static constexpr std::int32_t kGrooveMin = -99, kGrooveMax = 99, kGrooveDefault = 0;

  std::int32_t MusicTempo = kTempoDefault;
  std::int32_t MusicVolume = kVolumeDefault;
  std::int32_t MusicGroove = kGrooveDefault;

  // The factor handed to the music engine.
  float TempoFactor() const { return static_cast<float>(static_cast<double>(MusicTempo) / 10.0); }

  friend bool operator==(const MusicSettings&, const MusicSettings&) = default;
};

// Missing file: the defaults. A missing or unusable value takes its default;
// a value outside the options screen's range is clamped into it.
MusicSettings ReadMusicSettings(const GameFolder& folder);
MusicSettings ParseMusicSettings(std::string_view text);
std::string MusicSettingsFileText(const MusicSettings& settings);
IoResult WriteMusicSettings(const GameFolder& folder, const MusicSettings& settings);

}  // namespace fl3
