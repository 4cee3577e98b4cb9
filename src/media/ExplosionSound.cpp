#include "media/ExplosionSound.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace fl3 {
namespace {

constexpr int kSampleRate = 44100;
constexpr double kLengthSeconds = 0.35;
constexpr int kIdle = -1;

}  // namespace

std::vector<float> ExplosionSound::Synthesize(int sampleRate) {
  // Low-passed noise over a falling thump, with a fast attack and an
  // exponential decay: reads as a muffled bang at any volume.
  const int count = static_cast<int>(kLengthSeconds * sampleRate);
  std::vector<float> samples(static_cast<std::size_t>(count));
  std::uint32_t noiseState = 0x2545F491u;
  double lowPass = 0.0;
  double phase = 0.0;
  for (int i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / sampleRate;
    noiseState = noiseState * 1664525u + 1013904223u;
    const double noise = static_cast<double>(noiseState >> 8) / static_cast<double>(1u << 24) * 2.0 - 1.0;
    const double cutoff = 0.05 + 0.25 * std::exp(-t * 18.0);
    lowPass += cutoff * (noise - lowPass);
    const double thumpFrequency = 40.0 + 90.0 * std::exp(-t * 25.0);
    phase += 2.0 * M_PI * thumpFrequency / sampleRate;
    const double attack = std::min(1.0, t / 0.004);
    const double decay = std::exp(-t * 11.0);
    const double value = attack * decay * (0.75 * lowPass * 2.5 + 0.45 * std::sin(phase));
    samples[static_cast<std::size_t>(i)] = static_cast<float>(std::clamp(value, -1.0, 1.0) * 0.6);
  }
  return samples;
}

ExplosionSound::ExplosionSound() : samples_(Synthesize(kSampleRate)) {
  voicePositions_.fill(kIdle);
  settings_ = new_fluid_settings();
  if (settings_ == nullptr) return;
  fluid_settings_setnum(settings_, "synth.sample-rate", kSampleRate);
  driver_ = new_fluid_audio_driver2(settings_, &ExplosionSound::Mix, this);
}

ExplosionSound::~ExplosionSound() {
  if (driver_ != nullptr) delete_fluid_audio_driver(driver_);
  if (settings_ != nullptr) delete_fluid_settings(settings_);
}

void ExplosionSound::Play(int count) {
  if (driver_ != nullptr && count > 0) pendingTriggers_.fetch_add(count, std::memory_order_relaxed);
}

int ExplosionSound::Mix(void* self, int length, int, float*[], int outputCount, float* outputs[]) {
  if (outputCount < 2) return FLUID_OK;
  static_cast<ExplosionSound*>(self)->MixInto(length, outputs[0], outputs[1]);
  return FLUID_OK;
}

void ExplosionSound::MixInto(int length, float* left, float* right) {
  // Many arms end in one frame; a few overlapping blasts say "big" well enough.
  int triggers = pendingTriggers_.exchange(0, std::memory_order_relaxed);
  for (int& position : voicePositions_) {
    if (triggers == 0) break;
    if (position == kIdle) {
      position = 0;
      --triggers;
    }
  }
  const int total = static_cast<int>(samples_.size());
  for (int& position : voicePositions_) {
    if (position == kIdle) continue;
    const int frames = std::min(length, total - position);
    for (int i = 0; i < frames; ++i) {
      const float value = samples_[static_cast<std::size_t>(position + i)] * 0.5f;
      left[i] += value;
      right[i] += value;
    }
    position += frames;
    if (position >= total) position = kIdle;
  }
}

}  // namespace fl3
