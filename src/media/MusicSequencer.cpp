#include "media/MusicSequencer.h"

#include <algorithm>
#include <cmath>

namespace fl3 {

void MusicSequencer::Start(std::shared_ptr<const MidiSong> song, int repeats) {
  song_ = std::move(song);
  next_ = 0;
  position_ = 0.0;
  repeatsLeft_ = repeats;
  budget_.Reset();
}

double MusicSequencer::NextTime() const {
  return next_ < song_->events.size() ? song_->events[next_].seconds : song_->lengthSeconds;
}

double MusicSequencer::HalfFrame() const { return 0.5 * tempoFactor_ / sampleRate_; }

void MusicSequencer::SendEventsOfThisFrame(MusicSink& sink) {
  const auto& events = song_->events;
  while (next_ < events.size() && events[next_].seconds <= position_ + HalfFrame()) {
    const MidiEvent& event = events[next_++];
    if (budget_.Allow(event)) sink.Send(event);
  }
}

void MusicSequencer::SendDueEvents(MusicSink& sink) {
  SendEventsOfThisFrame(sink);
  if (next_ == song_->events.size() && song_->lengthSeconds <= position_ + HalfFrame()) FinishPass(sink);
}

void MusicSequencer::FinishPass(MusicSink& sink) {
  if (repeatsLeft_ == 0) {
    song_.reset();
    sink.ReleaseNotes();
    budget_.ForgetNotes();
    return;
  }
  if (repeatsLeft_ > 0) --repeatsLeft_;
  // Keep the overshoot, so the repeat is in step with the frame clock.
  position_ = std::max(0.0, position_ - song_->lengthSeconds);
  next_ = 0;
  SendEventsOfThisFrame(sink);
}

void MusicSequencer::Run(int frames, MusicSink& sink) {
  while (frames > 0) {
    if (song_) SendDueEvents(sink);
    if (!song_) {
      sink.Synthesize(frames);
      return;
    }
    // At least one frame each time round, so even a song of no length
    // cannot keep this loop from moving on.
    const double framesAway = (NextTime() - position_) * sampleRate_ / tempoFactor_;
    const int chunk = std::clamp(static_cast<int>(std::lround(std::min<double>(framesAway, frames))), 1, frames);
    sink.Synthesize(chunk);
    budget_.Refill(chunk);
    position_ += chunk * tempoFactor_ / sampleRate_;
    frames -= chunk;
  }
}

}  // namespace fl3
