#pragma once
#include <cstddef>
#include <memory>

#include "media/EventBudget.h"
#include "media/MidiSong.h"

namespace fl3 {

// Where the sequencer's output goes: events, and stretches of audio between
// them, in the order they happen.
class MusicSink {
 public:
  virtual ~MusicSink() = default;
  virtual void Send(const MidiEvent& event) = 0;
  // The song ran out: release whatever it still holds.
  virtual void ReleaseNotes() = 0;
  virtual void Synthesize(int frames) = 0;
};

// Plays one song at a time against a clock counted in audio frames, so the
// same code drives a sound device and an offline render. Events land on the
// frame nearest to their time; the tempo factor changes the speed of what is
// playing from the next frame on, and a repeat starts exactly where the song
// ends, with no gap. An event budget keeps the synthesizer's work bounded
// whatever the song holds.
class MusicSequencer {
 public:
  explicit MusicSequencer(int sampleRate) : sampleRate_(sampleRate), budget_(sampleRate) {}

  // From the beginning; repeats counts the extra passes, negative = for ever.
  void Start(std::shared_ptr<const MidiSong> song, int repeats);
  void Stop() { song_.reset(); }
  bool IsPlaying() const { return song_ != nullptr; }
  bool IsPlaying(const MidiSong* song) const { return song_ && song_.get() == song; }

  // 1.0 is the song's own speed; the caller keeps it positive.
  void SetTempoFactor(double factor) { tempoFactor_ = factor; }
  double TempoFactor() const { return tempoFactor_; }

  void Run(int frames, MusicSink& sink);

 private:
  double NextTime() const;
  // Half a frame of song time: an event within it belongs to the current frame.
  double HalfFrame() const;
  void SendEventsOfThisFrame(MusicSink& sink);
  void SendDueEvents(MusicSink& sink);
  void FinishPass(MusicSink& sink);

  int sampleRate_;
  std::shared_ptr<const MidiSong> song_;
  std::size_t next_ = 0;
  double position_ = 0.0;  // seconds into the song at its own speed
  long long repeatsLeft_ = 0;  // negative = for ever
  double tempoFactor_ = 1.0;
  EventBudget budget_;
};

}  // namespace fl3
