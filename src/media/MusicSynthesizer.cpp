#include "media/MusicSynthesizer.h"

#include <fluidsynth.h>

#include <algorithm>
#include <system_error>
#include <vector>

namespace fl3 {
namespace {

// Loud enough to sit beside the game's sounds, quiet enough that a full
// General MIDI arrangement stays clear of clipping.
constexpr double kNormalGain = 0.5;
// Voices sounding at once; the oldest give way beyond it, so no tune can
// make the synthesizer's work grow without end.
constexpr int kMostVoices = 256;

}  // namespace

std::optional<std::filesystem::path> FindGeneralMidiSoundFont(const std::filesystem::path& folder) {
  std::error_code error;
  const auto preferred = folder / "default-GM.sf2";
  if (std::filesystem::is_regular_file(preferred, error)) return preferred;
  std::vector<std::filesystem::path> others;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.path().extension() == ".sf2" && entry.is_regular_file(error)) others.push_back(entry.path());
  }
  if (others.empty()) return std::nullopt;
  return *std::min_element(others.begin(), others.end());
}

std::unique_ptr<MusicSynthesizer> MusicSynthesizer::Create(int sampleRate, const std::filesystem::path& soundFont) {
  fluid_settings_t* settings = new_fluid_settings();
  if (settings == nullptr) return nullptr;
  fluid_settings_setnum(settings, "synth.sample-rate", sampleRate);
  fluid_settings_setnum(settings, "synth.gain", kNormalGain);
  fluid_settings_setint(settings, "synth.polyphony", kMostVoices);
  fluid_synth_t* synth = new_fluid_synth(settings);
  if (synth == nullptr) {
    delete_fluid_settings(settings);
    return nullptr;
  }
  std::unique_ptr<MusicSynthesizer> made(new MusicSynthesizer(settings, synth));
  if (fluid_synth_sfload(synth, soundFont.c_str(), 1) == FLUID_FAILED) return nullptr;
  return made;
}

MusicSynthesizer::~MusicSynthesizer() {
  delete_fluid_synth(synth_);
  delete_fluid_settings(settings_);
}

void MusicSynthesizer::Send(const MidiEvent& event) {
  const int channel = event.Channel();
  switch (event.Kind()) {
    case 0x80: fluid_synth_noteoff(synth_, channel, event.data1); break;
    case 0x90: fluid_synth_noteon(synth_, channel, event.data1, event.data2); break;
    case 0xA0: fluid_synth_key_pressure(synth_, channel, event.data1, event.data2); break;
    case 0xB0: fluid_synth_cc(synth_, channel, event.data1, event.data2); break;
    case 0xC0: fluid_synth_program_change(synth_, channel, event.data1); break;
    case 0xD0: fluid_synth_channel_pressure(synth_, channel, event.data1); break;
    case 0xE0: fluid_synth_pitch_bend(synth_, channel, event.data1 | (event.data2 << 7)); break;
    default: break;
  }
}

void MusicSynthesizer::ReleaseNotes() { fluid_synth_all_notes_off(synth_, -1); }

// In this order: a system reset on its own lets the voices fade through their
// release instead of cutting them.
void MusicSynthesizer::Reset() {
  fluid_synth_system_reset(synth_);
  fluid_synth_all_sounds_off(synth_, -1);
}

void MusicSynthesizer::AddAudio(float* left, float* right, int frames) {
  float* dry[2] = {left, right};
  // Reverb and chorus go into the same pair, mixed with the dry sound.
  float* effects[2] = {left, right};
  fluid_synth_process(synth_, frames, 2, effects, 2, dry);
}

}  // namespace fl3
