#include "media/FluidSynthMusic.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>

#include "media/FluidSynthErrorLog.h"
#include "media/MusicSynthesizer.h"
#include "media/PlayableSong.h"

namespace fl3 {
namespace {

// The range the original engine accepted for its master values.
constexpr float kSlowestTempo = 0.01f, kFastestTempo = 100.0f;
constexpr std::int32_t kQuietestVolume = -20000, kLoudestVolume = 2000;

class MidiSegment final : public MusicSegment {
 public:
  explicit MidiSegment(MidiSong song) : song_(std::make_shared<const MidiSong>(std::move(song))) {}
  const std::shared_ptr<const MidiSong>& Song() const { return song_; }

 private:
  std::shared_ptr<const MidiSong> song_;
};

const MidiSegment* AsMidiSegment(const MusicSegment* segment) { return dynamic_cast<const MidiSegment*>(segment); }

// Writes the sequencer's audio into a pair of buffers, one stretch after another.
class BufferSink final : public MusicSink {
 public:
  BufferSink(MusicSynthesizer& synthesizer, float* left, float* right)
      : synthesizer_(synthesizer), left_(left), right_(right) {}
  void Send(const MidiEvent& event) override { synthesizer_.Send(event); }
  void ReleaseNotes() override { synthesizer_.ReleaseNotes(); }
  void Synthesize(int frames) override {
    synthesizer_.AddAudio(left_ + written_, right_ + written_, frames);
    written_ += frames;
  }

 private:
  MusicSynthesizer& synthesizer_;
  float* left_;
  float* right_;
  int written_ = 0;
};

std::string ReasonOrUnknown(const std::string& reason) {
  return reason.empty() ? "FluidSynth gave no reason." : reason;
}

}  // namespace

FluidSynthMusic::FluidSynthMusic(Messages& messages, FluidSynthMusicOptions options)
    : messages_(messages), options_(std::move(options)) {}

FluidSynthMusic::~FluidSynthMusic() { ReleaseMusic(); }

// A standard MIDI file addresses 16 channels, all that FluidSynth needs,
// whatever count the caller asks for.
bool FluidSynthMusic::InitMusic(int /*channelCount*/) {
  if (IsReady()) return true;
  const FluidSynthErrorLog errors;
  if (const std::string reason = StartSynthesizer(errors); !reason.empty()) {
    return GoOnWithout("No music", "The music synthesizer could not start:\n" + reason +
                                        "\n\nThe game goes on without music.");
  }
  if (!options_.offline && !OpenAudioOutput()) {
    return GoOnWithout("No sound", "No sound device could be opened:\n" + ReasonOrUnknown(errors.Text()) +
                                        "\n\nThe game goes on without music and sounds.");
  }
  unavailable_ = false;
  return true;
}

std::string FluidSynthMusic::StartSynthesizer(const FluidSynthErrorLog& errors) {
  auto soundFont = options_.soundFont.empty() ? FindGeneralMidiSoundFont(kSystemSoundFontFolder)
                                              : std::optional(options_.soundFont);
  if (!soundFont) return std::string("No General MIDI sound font (.sf2) was found in ") + kSystemSoundFontFolder + ".";
  auto synthesizer = MusicSynthesizer::Create(kSampleRate, *soundFont);
  if (!synthesizer) return ReasonOrUnknown(errors.Text());
  std::lock_guard lock(mutex_);
  synthesizer_ = std::move(synthesizer);
  return {};
}

bool FluidSynthMusic::OpenAudioOutput() {
  fluid_settings_t* settings = synthesizer_->Settings();
  for (const std::string& name : options_.audioDrivers) {
    if (fluid_settings_setstr(settings, "audio.driver", name.c_str()) != FLUID_OK) continue;
    driver_ = new_fluid_audio_driver2(settings, &FluidSynthMusic::FillDeviceBuffer, this);
    if (driver_ != nullptr) return true;
  }
  return false;
}

// The game goes on silently, so the player hears of it once a run, not at
// every window that would play music.
bool FluidSynthMusic::GoOnWithout(const char* title, const std::string& text) {
  ReleaseMusic();
  unavailable_ = true;
  if (!failureShown_) {
    failureShown_ = true;
    messages_.Show(text, title, MessageIcon::Information);
  }
  return false;
}

MusicSegmentPtr FluidSynthMusic::LoadMusic(const std::filesystem::path& file, bool /*isMidi*/) {
  if (unavailable_) return nullptr;
  // Standard MIDI files are the only music the game knows, so every file is
  // read as one.
  auto song = ReadMidiFile(file);
  if (!song || !IsPlayableSong(*song)) {
    messages_.Show("Couldn't load this segment", "Couldn't load", MessageIcon::Critical);
    return nullptr;
  }
  std::lock_guard lock(mutex_);
  sequencer_.SetTempoFactor(1.0);
  return std::make_shared<MidiSegment>(std::move(*song));
}

void FluidSynthMusic::PlayMusic(MusicSegment* segment, int repeats) {
  const MidiSegment* midi = AsMidiSegment(segment);
  std::lock_guard lock(mutex_);
  if (midi == nullptr || !synthesizer_) return;
  synthesizer_->Reset();
  muted_ = false;
  sequencer_.Start(midi->Song(), repeats);
}

void FluidSynthMusic::StopMusic(MusicSegment* segment) {
  const MidiSegment* midi = AsMidiSegment(segment);
  std::lock_guard lock(mutex_);
  if (midi == nullptr || !synthesizer_ || !sequencer_.IsPlaying(midi->Song().get())) return;
  sequencer_.Stop();
  synthesizer_->Reset();
  muted_ = true;
}

void FluidSynthMusic::SetMusicTempo(float factor) {
  if (!(factor >= kSlowestTempo && factor <= kFastestTempo)) return;  // NaN too
  std::lock_guard lock(mutex_);
  sequencer_.SetTempoFactor(factor);
}

void FluidSynthMusic::SetMusicVolume(std::int32_t hundredthsOfDecibel) {
  const std::int32_t volume = std::clamp(hundredthsOfDecibel, kQuietestVolume, kLoudestVolume);
  std::lock_guard lock(mutex_);
  gain_ = std::pow(10.0, volume / 2000.0);
}

void FluidSynthMusic::SetMusicGroove(std::int32_t level) {
  std::lock_guard lock(mutex_);
  groove_ = level;
}

std::int32_t FluidSynthMusic::GrooveLevel() const {
  std::lock_guard lock(mutex_);
  return groove_;
}

void FluidSynthMusic::ReleaseMusic() {
  // Closing the driver waits for its thread, which may be waiting for the
  // lock: so close it first, without holding the lock.
  if (driver_ != nullptr) {
    delete_fluid_audio_driver(driver_);
    driver_ = nullptr;
  }
  std::lock_guard lock(mutex_);
  sequencer_.Stop();
  synthesizer_.reset();
}

bool FluidSynthMusic::IsReady() const {
  std::lock_guard lock(mutex_);
  return synthesizer_ != nullptr;
}

bool FluidSynthMusic::IsPlaying() const {
  std::lock_guard lock(mutex_);
  return synthesizer_ != nullptr && sequencer_.IsPlaying();
}

std::vector<float> FluidSynthMusic::RenderOffline(int frames) {
  const int count = std::max(frames, 0);
  std::vector<float> left(count), right(count), interleaved(2 * static_cast<std::size_t>(count));
  if (driver_ == nullptr) Render(left.data(), right.data(), count);
  for (int i = 0; i < count; ++i) {
    interleaved[2 * i] = left[i];
    interleaved[2 * i + 1] = right[i];
  }
  return interleaved;
}

// Expects zeroed buffers.
void FluidSynthMusic::Render(float* left, float* right, int frames) {
  std::lock_guard lock(mutex_);
  if (!synthesizer_) return;
  BufferSink sink(*synthesizer_, left, right);
  sequencer_.Run(frames, sink);
  const float gain = muted_ ? 0.0f : static_cast<float>(gain_);
  for (int i = 0; i < frames; ++i) {
    left[i] *= gain;
    right[i] *= gain;
  }
}

int FluidSynthMusic::FillDeviceBuffer(void* self, int frames, int /*effectCount*/, float* /*effects*/[],
                                      int outCount, float* out[]) {
  // The device hands over zeroed buffers; anything but a stereo pair stays silent.
  if (outCount >= 2) static_cast<FluidSynthMusic*>(self)->Render(out[0], out[1], frames);
  return FLUID_OK;
}

}  // namespace fl3
