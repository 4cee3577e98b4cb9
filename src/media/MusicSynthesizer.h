#pragma once
#include <filesystem>
#include <memory>
#include <optional>

#include "media/MidiSong.h"

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;

namespace fl3 {

// The General MIDI sound font of the system: "default-GM.sf2" in the standard
// folder, otherwise the first other ".sf2" there by name.
std::optional<std::filesystem::path> FindGeneralMidiSoundFont(const std::filesystem::path& folder);
inline constexpr const char* kSystemSoundFontFolder = "/usr/share/sounds/sf2";

// One FluidSynth synthesizer with its sound font loaded: takes channel
// messages and renders stereo audio with reverb and chorus mixed in.
class MusicSynthesizer {
 public:
  // Null when the synthesizer cannot be made or the sound font not loaded.
  static std::unique_ptr<MusicSynthesizer> Create(int sampleRate, const std::filesystem::path& soundFont);
  ~MusicSynthesizer();
  MusicSynthesizer(const MusicSynthesizer&) = delete;
  MusicSynthesizer& operator=(const MusicSynthesizer&) = delete;

  // The settings an audio driver for this synthesizer is made from.
  fluid_settings_t* Settings() { return settings_; }

  void Send(const MidiEvent& event);
  // Lets every note go through its release, as a note-off would.
  void ReleaseNotes();
  // Every voice cut at once and every channel back to its power-on state,
  // ready for another song. Reverb and chorus still ring out.
  void Reset();
  // Adds `frames` frames of audio to the two buffers.
  void AddAudio(float* left, float* right, int frames);

 private:
  MusicSynthesizer(fluid_settings_t* settings, fluid_synth_t* synth) : settings_(settings), synth_(synth) {}

  fluid_settings_t* settings_;
  fluid_synth_t* synth_;
};

}  // namespace fl3
