#include "Notation.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <string>

namespace tunegen {
namespace {

[[noreturn]] void Reject(std::string_view what, std::string_view token) {
  throw std::runtime_error(std::string(what) + ": \"" + std::string(token) + "\"");
}

// Reads a letter name with its accidental from the front of `text`: -1 (Cb)
// to 12 (B#), so that octaves count as written.
int TakeLetter(std::string_view& text, std::string_view whole) {
  static constexpr std::string_view kLetters = "CDEFGAB";
  static constexpr int kClasses[] = {0, 2, 4, 5, 7, 9, 11};
  const auto letter = text.empty() ? std::string_view::npos : kLetters.find(text.front());
  if (letter == std::string_view::npos) Reject("no note name", whole);
  int pitchClass = kClasses[letter];
  text.remove_prefix(1);
  if (!text.empty() && (text.front() == '#' || text.front() == 'b')) {
    pitchClass += text.front() == '#' ? 1 : -1;
    text.remove_prefix(1);
  }
  return pitchClass;
}

int TakePitchClass(std::string_view& text, std::string_view whole) { return (TakeLetter(text, whole) + 12) % 12; }

// The pitch token of a melody word: everything up to the duration letters.
std::size_t PitchEnd(std::string_view word) {
  if (word.front() == 'r') return 1;
  std::size_t end = 1;
  if (end < word.size() && (word[end] == '#' || word[end] == 'b')) ++end;
  while (end < word.size() && (std::isdigit(static_cast<unsigned char>(word[end])) || word[end] == '-')) ++end;
  return end;
}

std::vector<int> IntervalsOf(std::string_view quality, std::string_view whole) {
  if (quality.empty()) return {0, 4, 7};
  if (quality == "m") return {0, 3, 7};
  if (quality == "7") return {0, 4, 7, 10};
  if (quality == "m7") return {0, 3, 7, 10};
  if (quality == "maj7") return {0, 4, 7, 11};
  if (quality == "6") return {0, 4, 7, 9};
  if (quality == "m6") return {0, 3, 7, 9};
  if (quality == "sus2") return {0, 2, 7};
  if (quality == "sus4") return {0, 5, 7};
  if (quality == "dim") return {0, 3, 6};
  if (quality == "add9") return {0, 4, 7, 14};
  if (quality == "madd9") return {0, 3, 7, 14};
  if (quality == "5") return {0, 7, 12};
  Reject("unknown chord", whole);
}

int OctaveStart(int pitchClass, int low) { return low + ((pitchClass - low) % 12 + 12) % 12; }

}  // namespace

int ParsePitch(std::string_view text) {
  std::string_view rest = text;
  const int pitchClass = TakeLetter(rest, text);
  if (rest.empty()) Reject("no octave", text);
  int octave = 0;
  try {
    octave = std::stoi(std::string(rest));
  } catch (const std::exception&) {
    Reject("bad octave", text);
  }
  const int key = 12 * (octave + 1) + pitchClass;  // octave 4 begins at middle C
  if (key < 0 || key > 127) Reject("pitch out of range", text);
  return key;
}

std::uint32_t ParseDuration(std::string_view letters) {
  std::uint32_t total = 0;
  for (std::size_t i = 0; i < letters.size(); ++i) {
    std::uint32_t part = 0;
    switch (letters[i]) {
      case 'w': part = 4 * kTicksPerQuarter; break;
      case 'h': part = 2 * kTicksPerQuarter; break;
      case 'q': part = kTicksPerQuarter; break;
      case 'e': part = kTicksPerQuarter / 2; break;
      case 's': part = kTicksPerQuarter / 4; break;
      default: Reject("bad duration", letters);
    }
    if (i + 1 < letters.size() && letters[i + 1] == '.') {
      part += part / 2;
      ++i;
    }
    total += part;
  }
  if (total == 0) Reject("no duration", letters);
  return total;
}

std::vector<TimedNote> ParseMelody(std::string_view text) {
  std::vector<TimedNote> notes;
  std::uint32_t time = 0;
  for (std::string_view word : Words(text)) {
    const std::size_t pitchEnd = PitchEnd(word);
    const std::uint32_t length = ParseDuration(word.substr(pitchEnd));
    if (word.front() != 'r') notes.push_back({time, length, ParsePitch(word.substr(0, pitchEnd))});
    time += length;
  }
  return notes;
}

Chord ParseChord(std::string_view name) {
  std::string_view rest = name;
  Chord chord;
  chord.root = TakePitchClass(rest, name);
  const auto slash = rest.find('/');
  chord.intervals = IntervalsOf(rest.substr(0, slash), name);
  chord.bass = chord.root;
  if (slash != std::string_view::npos) {
    std::string_view bass = rest.substr(slash + 1);
    chord.bass = TakePitchClass(bass, name);
    if (!bass.empty()) Reject("bad bass note", name);
  }
  return chord;
}

std::vector<int> FoldedVoicing(const Chord& chord, int low) {
  std::vector<int> keys;
  for (int interval : chord.intervals) {
    const int key = OctaveStart((chord.root + interval) % 12, low);
    if (std::find(keys.begin(), keys.end(), key) == keys.end()) keys.push_back(key);
  }
  std::sort(keys.begin(), keys.end());
  return keys;
}

std::vector<int> RootVoicing(const Chord& chord, int low) {
  const int root = OctaveStart(chord.root, low);
  std::vector<int> keys;
  for (int interval : chord.intervals) keys.push_back(root + interval);
  return keys;
}

int ChordDegree(const Chord& chord, std::string_view degree, int low) {
  std::string_view number = degree;
  int octaveShift = 0;
  while (!number.empty() && number.back() == ',') {
    octaveShift -= 12;
    number.remove_suffix(1);
  }
  const auto has = [&](int interval) {
    return std::find(chord.intervals.begin(), chord.intervals.end(), interval) != chord.intervals.end();
  };
  const int root = OctaveStart(chord.root, low);
  int key = 0;
  if (number == "1") {
    key = OctaveStart(chord.bass, low);
  } else if (number == "3") {
    key = root + (has(3) ? 3 : has(4) ? 4 : has(5) ? 5 : 2);
  } else if (number == "5") {
    key = root + (has(6) ? 6 : 7);
  } else if (number == "7") {
    key = root + (has(11) ? 11 : 10);
  } else if (number == "8") {
    key = OctaveStart(chord.bass, low) + 12;
  } else {
    Reject("bad degree", degree);
  }
  return key + octaveShift;
}

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const auto start = text.find_first_not_of(" \t\n", pos);
    if (start == std::string_view::npos) break;
    const auto end = std::min(text.find_first_of(" \t\n", start), text.size());
    words.push_back(text.substr(start, end - start));
    pos = end;
  }
  return words;
}

}  // namespace tunegen
