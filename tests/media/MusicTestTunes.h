#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "media/FluidSynthMusic.h"
#include "media/MidiFileWriter.h"

// Tunes written for the music tests and the measurements made on what the
// engine renders from them.
namespace fl3::testing {

inline constexpr int kHighWoodBlock = 76;  // a dry click on the drum channel
inline constexpr int kTicksPerQuarter = 480;

// `clicks` wood-block strokes a quarter note apart at 120 beats a minute,
// so 0.5 s apart, with no reverb or chorus to blur their starts; the tune
// lasts exactly `clicks` quarter notes.
inline std::string ClickTune(int clicks) {
  MidiTrackWriter track;
  track.Tempo(0, 500000);
  track.Controller(0, 9, 91, 0);
  track.Controller(0, 9, 93, 0);
  for (int i = 0; i < clicks; ++i) track.Note(i * kTicksPerQuarter, kTicksPerQuarter / 4, 9, kHighWoodBlock, 100);
  return EncodeMidiFile(kTicksPerQuarter, {track}, clicks * kTicksPerQuarter);
}

// A held chord on strings for two seconds: a steady sound to measure level on.
inline std::string ChordTune() {
  MidiTrackWriter track;
  track.Program(0, 0, 48);
  for (int key : {60, 64, 67}) track.Note(0, 4 * kTicksPerQuarter, 0, key, 100);
  return EncodeMidiFile(kTicksPerQuarter, {track}, 4 * kTicksPerQuarter);
}

inline FluidSynthMusicOptions OfflineOptions() {
  FluidSynthMusicOptions options;
  options.offline = true;
  return options;
}

inline int Frames(double seconds) { return static_cast<int>(std::lround(seconds * FluidSynthMusic::kSampleRate)); }

inline float Peak(const std::vector<float>& interleaved) {
  float peak = 0.0f;
  for (float sample : interleaved) peak = std::max(peak, std::fabs(sample));
  return peak;
}

inline double Rms(const std::vector<float>& interleaved) {
  double sum = 0.0;
  for (float sample : interleaved) sum += double(sample) * sample;
  return interleaved.empty() ? 0.0 : std::sqrt(sum / interleaved.size());
}

// Start times in seconds of the strokes in a render: the first frame louder
// than a fifth of the loudest after at least 40 ms below that.
inline std::vector<double> Onsets(const std::vector<float>& interleaved) {
  const float threshold = 0.2f * Peak(interleaved);
  const long quietFrames = Frames(0.04);
  std::vector<double> onsets;
  long lastLoud = -quietFrames - 1;
  for (std::size_t frame = 0; frame < interleaved.size() / 2; ++frame) {
    const float level = std::max(std::fabs(interleaved[2 * frame]), std::fabs(interleaved[2 * frame + 1]));
    if (level <= threshold) continue;
    if (static_cast<long>(frame) - lastLoud > quietFrames) {
      onsets.push_back(static_cast<double>(frame) / FluidSynthMusic::kSampleRate);
    }
    lastLoud = static_cast<long>(frame);
  }
  return onsets;
}

}  // namespace fl3::testing
