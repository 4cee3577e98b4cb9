#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/Messages.h"
#include "media/MusicEngine.h"
#include "media/MusicSequencer.h"

typedef struct _fluid_audio_driver_t fluid_audio_driver_t;

namespace fl3 {

class FluidSynthErrorLog;
class MusicSynthesizer;

struct FluidSynthMusicOptions {
  // Render only on request (RenderOffline), never touching a sound device.
  bool offline = false;
  // FluidSynth audio drivers tried in turn for live output.
  std::vector<std::string> audioDrivers = {"pulseaudio", "alsa"};
  // Empty: the system's General MIDI sound font.
  std::filesystem::path soundFont;
};

// MIDI music through FluidSynth. Live, a sound device pulls the audio from
// FluidSynth's own thread; offline, RenderOffline pulls it, so tests can
// measure what would be heard. Without a sound device or sound font the game
// goes on silently: InitMusic says why, once a run, and from then on every
// call is a harmless no-op.
class FluidSynthMusic final : public MusicEngine {
 public:
  static constexpr int kSampleRate = 44100;

  explicit FluidSynthMusic(Messages& messages, FluidSynthMusicOptions options = {});
  ~FluidSynthMusic() override;
  FluidSynthMusic(const FluidSynthMusic&) = delete;
  FluidSynthMusic& operator=(const FluidSynthMusic&) = delete;

  bool InitMusic(int channelCount) override;
  MusicSegmentPtr LoadMusic(const std::filesystem::path& file, bool isMidi) override;
  void PlayMusic(MusicSegment* segment, int repeats) override;
  void StopMusic(MusicSegment* segment) override;
  void SetMusicTempo(float factor) override;
  void SetMusicVolume(std::int32_t hundredthsOfDecibel) override;
  void SetMusicGroove(std::int32_t level) override;
  void ReleaseMusic() override;

  bool IsReady() const;
  // A segment is playing (release tails after its end do not count).
  bool IsPlaying() const;
  // Kept as given; a standard MIDI file has no groove levels to shift.
  std::int32_t GrooveLevel() const;

  // Offline only: the next `frames` frames at kSampleRate, interleaved left,
  // right. Silence when the engine is not set up or plays to a device.
  std::vector<float> RenderOffline(int frames);

 private:
  // Empty when it started, else why not.
  std::string StartSynthesizer(const FluidSynthErrorLog& errors);
  bool OpenAudioOutput();
  bool GoOnWithout(const char* title, const std::string& text);
  void Render(float* left, float* right, int frames);
  static int FillDeviceBuffer(void* self, int frames, int effectCount, float* effects[], int outCount,
                              float* out[]);

  Messages& messages_;
  FluidSynthMusicOptions options_;
  bool failureShown_ = false;
  bool unavailable_ = false;  // the last set-up failed: stay quiet until the next

  mutable std::mutex mutex_;  // the sound device's thread renders while the game calls
  std::unique_ptr<MusicSynthesizer> synthesizer_;
  MusicSequencer sequencer_{kSampleRate};
  double gain_ = 1.0;
  // After a stop the synthesizer runs on unheard, so the reverb of the
  // stopped music has died away by the time the next one starts.
  bool muted_ = false;
  std::int32_t groove_ = 0;

  fluid_audio_driver_t* driver_ = nullptr;
};

}  // namespace fl3
