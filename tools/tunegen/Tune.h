#pragma once
#include <cstdint>
#include <deque>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Notation.h"
#include "media/MidiFileWriter.h"

namespace tunegen {

struct Instrument {
  std::string name;
  int channel;  // 9 is the General MIDI drum channel (channel 10 to a musician)
  int program;
  int volume;
  int pan;     // 64 centre
  int reverb;
  int chorus;
};

// Folded: close chords that move little (FoldedVoicing); Root: root
// position (RootVoicing); Power: root, fifth and octave whatever the chord.
enum class Voicing { Folded, Root, Power };

class Tune;

// One instrument's track. Bars count from 0 and every line of notes is
// cut at the tune's end, so nothing hangs over the loop point.
class Part {
 public:
  Part(const Tune& tune, const Instrument& instrument);

  // Notes one after another from the start of `bar`.
  void Melody(int bar, std::string_view notes, int velocity, int transpose = 0);
  // Chords bar by bar ("Dm | Bb C | A"; chords sharing a bar share it
  // evenly), struck at each 'x' of `steps` and held through the '-' after
  // it; one character a sixteenth, the line repeated through each bar.
  void Strum(int bar, std::string_view chords, std::string_view steps, Voicing voicing, int low, int velocity);
  // Words "<tone><duration>" picking the chord's folded tones from the
  // bottom ("0e 2e 1e"; past the top they continue an octave up), repeated
  // through each bar.
  void Arpeggio(int bar, std::string_view chords, std::string_view pattern, int low, int velocity);
  // Words "<degree><duration>" (degrees as ChordDegree reads them, "r" a
  // rest), repeated through each bar.
  void Bassline(int bar, std::string_view chords, std::string_view pattern, int low, int velocity);
  // One line of sixteenths per drum key: 'X' accent, 'x' hit, 'o' soft,
  // anything else nothing; repeated through `bars` bars.
  void Beat(int bar, int bars, std::initializer_list<std::pair<int, std::string_view>> lines);

  const fl3::MidiTrackWriter& Track() const { return track_; }

 private:
  struct ChordSpan {
    std::uint32_t start;
    std::uint32_t length;
    Chord chord;
  };
  std::vector<ChordSpan> Progression(int bar, std::string_view chords) const;
  void AddNote(std::uint32_t start, std::uint32_t length, int key, int velocity);
  // A little weight on the first beat of a bar and less on off-beats, so
  // repeated figures breathe.
  int Accented(std::uint32_t tick, int velocity) const;

  const Tune& tune_;
  int channel_;
  fl3::MidiTrackWriter track_;
};

// A tune in 4/4 of a whole number of bars at one tempo.
class Tune {
 public:
  Tune(std::string_view title, int beatsPerMinute, int bars);

  static constexpr std::uint32_t kTicksPerBar = 4 * kTicksPerQuarter;
  static std::uint32_t BarTick(int bar) { return static_cast<std::uint32_t>(bar) * kTicksPerBar; }
  std::uint32_t EndTick() const { return BarTick(bars_); }

  Part& AddPart(const Instrument& instrument);
  // The standard MIDI file: a tempo track, then one track per part.
  std::string Encode() const;

 private:
  int bars_;
  fl3::MidiTrackWriter conductor_;
  std::deque<Part> parts_;  // parts hand out references to themselves
};

}  // namespace tunegen
