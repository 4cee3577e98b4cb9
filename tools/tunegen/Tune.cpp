#include "Tune.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace tunegen {
namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  while (true) {
    const auto end = text.find(separator, start);
    pieces.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return pieces;
    start = end + 1;
  }
}

struct PatternWord {
  std::string_view head;  // tone index, degree or "r"
  std::uint32_t length;
};

// "2e." -> head "2", a dotted eighth. The head is everything before the
// first duration letter.
std::vector<PatternWord> ParsePattern(std::string_view pattern) {
  std::vector<PatternWord> words;
  for (std::string_view word : Words(pattern)) {
    const auto split = word.find_first_of("whqes");
    if (split == std::string_view::npos || split == 0) throw std::runtime_error("bad pattern word: " + std::string(word));
    words.push_back({word.substr(0, split), ParseDuration(word.substr(split))});
  }
  if (words.empty()) throw std::runtime_error("empty pattern");
  return words;
}

std::vector<int> VoicingOf(const Chord& chord, Voicing voicing, int low) {
  switch (voicing) {
    case Voicing::Folded: return FoldedVoicing(chord, low);
    case Voicing::Root: return RootVoicing(chord, low);
    case Voicing::Power: return RootVoicing(Chord{chord.root, {0, 7, 12}, chord.root}, low);
  }
  return {};
}

}  // namespace

Part::Part(const Tune& tune, const Instrument& instrument) : tune_(tune), channel_(instrument.channel) {
  track_.Name(instrument.name);
  track_.Program(0, channel_, instrument.program);
  track_.Controller(0, channel_, 7, instrument.volume);
  track_.Controller(0, channel_, 10, instrument.pan);
  track_.Controller(0, channel_, 91, instrument.reverb);
  track_.Controller(0, channel_, 93, instrument.chorus);
}

void Part::AddNote(std::uint32_t start, std::uint32_t length, int key, int velocity) {
  if (start >= tune_.EndTick()) return;
  track_.Note(start, std::min(length, tune_.EndTick() - start), channel_, key, std::clamp(velocity, 1, 127));
}

int Part::Accented(std::uint32_t tick, int velocity) const {
  const std::uint32_t inBar = tick % Tune::kTicksPerBar;
  if (inBar == 0) return velocity + 8;
  if (inBar % kTicksPerQuarter == 0) return velocity + 2;
  return velocity - 6;
}

std::vector<Part::ChordSpan> Part::Progression(int bar, std::string_view chords) const {
  std::vector<ChordSpan> spans;
  for (std::string_view barText : Split(chords, '|')) {
    const auto names = Words(barText);
    if (names.empty()) throw std::runtime_error("a bar without a chord: " + std::string(chords));
    const std::uint32_t share = Tune::kTicksPerBar / static_cast<std::uint32_t>(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
      spans.push_back({Tune::BarTick(bar) + static_cast<std::uint32_t>(i) * share, share, ParseChord(names[i])});
    }
    ++bar;
  }
  return spans;
}

void Part::Melody(int bar, std::string_view notes, int velocity, int transpose) {
  for (const TimedNote& note : ParseMelody(notes)) {
    const std::uint32_t start = Tune::BarTick(bar) + note.start;
    AddNote(start, note.length, note.key + transpose, Accented(start, velocity));
  }
}

void Part::Strum(int bar, std::string_view chords, std::string_view steps, Voicing voicing, int low, int velocity) {
  for (const ChordSpan& span : Progression(bar, chords)) {
    const auto keys = VoicingOf(span.chord, voicing, low);
    for (std::uint32_t tick = span.start; tick < span.start + span.length; tick += kTicksPerStep) {
      const std::size_t step = (tick % Tune::kTicksPerBar) / kTicksPerStep % steps.size();
      if (steps[step] != 'x') continue;
      std::uint32_t length = kTicksPerStep;
      for (std::size_t next = step + 1; next < steps.size() && steps[next] == '-'; ++next) length += kTicksPerStep;
      length = std::min(length, span.start + span.length - tick);
      for (int key : keys) AddNote(tick, length, key, Accented(tick, velocity));
    }
  }
}

void Part::Arpeggio(int bar, std::string_view chords, std::string_view pattern, int low, int velocity) {
  const auto words = ParsePattern(pattern);
  for (const ChordSpan& span : Progression(bar, chords)) {
    const auto keys = FoldedVoicing(span.chord, low);
    std::uint32_t tick = span.start;
    for (std::size_t i = 0; tick < span.start + span.length; ++i) {
      const PatternWord& word = words[i % words.size()];
      if (word.head != "r") {
        const int tone = std::stoi(std::string(word.head));
        const int key = keys[tone % keys.size()] + 12 * (tone / static_cast<int>(keys.size()));
        AddNote(tick, std::min(word.length, span.start + span.length - tick), key, Accented(tick, velocity));
      }
      tick += word.length;
    }
  }
}

void Part::Bassline(int bar, std::string_view chords, std::string_view pattern, int low, int velocity) {
  const auto words = ParsePattern(pattern);
  for (const ChordSpan& span : Progression(bar, chords)) {
    std::uint32_t tick = span.start;
    for (std::size_t i = 0; tick < span.start + span.length; ++i) {
      const PatternWord& word = words[i % words.size()];
      if (word.head != "r") {
        const int key = ChordDegree(span.chord, word.head, low);
        AddNote(tick, std::min(word.length, span.start + span.length - tick), key, Accented(tick, velocity));
      }
      tick += word.length;
    }
  }
}

void Part::Beat(int bar, int bars, std::initializer_list<std::pair<int, std::string_view>> lines) {
  for (const auto& [key, line] : lines) {
    for (std::uint32_t tick = Tune::BarTick(bar); tick < Tune::BarTick(bar + bars); tick += kTicksPerStep) {
      const char hit = line[(tick % Tune::kTicksPerBar) / kTicksPerStep % line.size()];
      const int velocity = hit == 'X' ? 112 : hit == 'x' ? 92 : hit == 'o' ? 58 : 0;
      if (velocity > 0) AddNote(tick, kTicksPerStep, key, velocity);
    }
  }
}

Tune::Tune(std::string_view title, int beatsPerMinute, int bars) : bars_(bars) {
  conductor_.Name(title);
  conductor_.TimeSignature(0, 4, 2);
  conductor_.Tempo(0, static_cast<std::uint32_t>(60000000 / beatsPerMinute));
}

Part& Tune::AddPart(const Instrument& instrument) { return parts_.emplace_back(*this, instrument); }

std::string Tune::Encode() const {
  std::vector<fl3::MidiTrackWriter> tracks{conductor_};
  for (const Part& part : parts_) tracks.push_back(part.Track());
  return fl3::EncodeMidiFile(kTicksPerQuarter, tracks, EndTick());
}

}  // namespace tunegen
