#pragma once
#include <array>
#include <atomic>
#include <vector>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_audio_driver_t fluid_audio_driver_t;

namespace fl3 {

// The short blast heard when an arm of fire ends in the open: a sound made
// by the game itself, mixed on the audio thread so that triggering it never
// stalls a frame. Where no audio output can be opened it stays silent.
class ExplosionSound {
 public:
  ExplosionSound();
  ~ExplosionSound();
  ExplosionSound(const ExplosionSound&) = delete;
  ExplosionSound& operator=(const ExplosionSound&) = delete;

  bool Available() const { return driver_ != nullptr; }
  void Play(int count);

  // The blast's samples (mono, 44.1 kHz), exposed so tests can check its shape.
  static std::vector<float> Synthesize(int sampleRate);

 private:
  static int Mix(void* self, int length, int effectCount, float* effects[], int outputCount, float* outputs[]);
  void MixInto(int length, float* left, float* right);

  static constexpr int kVoices = 6;
  std::vector<float> samples_;
  std::array<int, kVoices> voicePositions_{};
  std::atomic<int> pendingTriggers_{0};
  fluid_settings_t* settings_ = nullptr;
  fluid_audio_driver_t* driver_ = nullptr;
};

}  // namespace fl3
