#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

// A small text notation for writing the tunes by hand. Everything fails
// loudly (std::runtime_error naming the token), so a typo stops the build
// instead of shipping a wrong note.
namespace tunegen {

inline constexpr std::uint32_t kTicksPerQuarter = 480;
inline constexpr std::uint32_t kTicksPerStep = kTicksPerQuarter / 4;  // a sixteenth

// "C4" is middle C (60); '#' sharpens, 'b' flattens: "F#5", "Bb3".
int ParsePitch(std::string_view text);

// Letters add up: w whole, h half, q quarter, e eighth, s sixteenth; a '.'
// after a letter makes it half as long again. "q." is three eighths, "hq"
// three quarters.
std::uint32_t ParseDuration(std::string_view letters);

struct TimedNote {
  std::uint32_t start;  // from the start of the phrase
  std::uint32_t length;
  int key;
};

// Notes one after another: "D5q A4e r e F5h" (r is a rest).
std::vector<TimedNote> ParseMelody(std::string_view text);

struct Chord {
  int root;                    // pitch class 0..11, C = 0
  std::vector<int> intervals;  // from the root, in semitones
  int bass;                    // pitch class of the lowest note ("D/F#": F#)
};

// "Dm", "Bb", "A7", "Fmaj7", "Esus4", "D/F#", "E5" (power chord) and the like.
Chord ParseChord(std::string_view name);

// Each chord tone folded into the octave from `low`: close voicings that
// move little from chord to chord.
std::vector<int> FoldedVoicing(const Chord& chord, int low);
// Root in the octave from `low`, the other tones stacked above it.
std::vector<int> RootVoicing(const Chord& chord, int low);

// A chord tone by degree, for bass lines: "1" bass note, "3", "5", "7",
// "8" the octave; a trailing ',' lowers it an octave.
int ChordDegree(const Chord& chord, std::string_view degree, int low);

// Splits on blanks.
std::vector<std::string_view> Words(std::string_view text);

}  // namespace tunegen
