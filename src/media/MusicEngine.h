#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>

#include "core/MusicSettings.h"

namespace fl3 {

// One loaded music file, held by whoever loaded it.
class MusicSegment {
 public:
  virtual ~MusicSegment() = default;
};
using MusicSegmentPtr = std::shared_ptr<MusicSegment>;

// The MIDI player: FluidSynth in the game, fakes in window tests. Failure
// messages ("No sound", "Couldn't load this segment") go through the Messages
// given to the implementation.
class MusicEngine {
 public:
  virtual ~MusicEngine() = default;
  // False (after its message) when no audio output can be opened; the game
  // then goes on without music.
  virtual bool InitMusic(int channelCount) = 0;
  // Null after the failure message. Loading resets the tempo factor to 1.0.
  virtual MusicSegmentPtr LoadMusic(const std::filesystem::path& file, bool isMidi) = 0;
  // repeats -1 plays for ever; a null segment does nothing.
  virtual void PlayMusic(MusicSegment* segment, int repeats) = 0;
  virtual void StopMusic(MusicSegment* segment) = 0;
  virtual void SetMusicTempo(float factor) = 0;
  virtual void SetMusicVolume(std::int32_t hundredthsOfDecibel) = 0;
  virtual void SetMusicGroove(std::int32_t level) = 0;
  virtual void ReleaseMusic() = 0;
};

// Tempo, then volume, then groove, as every caller applies them.
inline void ApplyMusicSettings(MusicEngine& engine, const MusicSettings& settings) {
  engine.SetMusicTempo(settings.TempoFactor());
  engine.SetMusicVolume(settings.MusicVolume);
  engine.SetMusicGroove(settings.MusicGroove);
}

}  // namespace fl3
