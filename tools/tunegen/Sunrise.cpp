#include "Drums.h"
#include "Tune.h"
#include "Tunes.h"

namespace tunegen {
namespace {

// 24 bars at 100: guitar alone, the flute's tune, a fuller answer with
// strings and glockenspiel, and a coda that ends on D to lead home to G.
constexpr int kIntro = 0, kTheme = 4, kAnswer = 12, kCoda = 20, kBars = 24;

constexpr const char* kIntroChords = "G | D/F# | Em | C";
constexpr const char* kThemeChords = "G | D | Em | C | G | D | C | D";
constexpr const char* kAnswerChords = "Em | C | G | D | Em | C | Am | D";
constexpr const char* kCodaChords = "G | D/F# | C | D";

constexpr const char* kThemeNotes =
    "B4q D5q G5q. F#5e   A5h F#5q D5q   E5q G5q B5q A5e G5e   G5h E5h "
    "D5q G5q B5q. A5e    F#5q A5q D6q. C6e   B5q A5q G5q E5q   F#5h. rq";
constexpr const char* kAnswerNotes =
    "G5q. F#5e E5q B4q   C5q E5q G5h   B5q. A5e G5q D5q   F#5q A5q D6h "
    "E6q. D6e B5q G5q    C6q B5q A5q G5q   E5q A5q C6q B5q   A5h F#5h";
constexpr const char* kCodaNotes = "D6h B5h   A5h F#5h   G5q E5q C5q E5q   F#5h A5h";

void AddDrums(Tune& tune) {
  using namespace drum;
  Part& drums = tune.AddPart({"Drums", 9, 0, 92, 64, 50, 0});
  drums.Beat(kIntro, 4, {{kShaker, "o.x.o.x.o.x.o.x."}});
  drums.Beat(kTheme, 8, {{kKick, "x.......x.x....."}, {kSideStick, "....x.......x..."}, {kShaker, "o.x.o.x.o.x.o.x."}});
  drums.Beat(kAnswer, 8, {{kKick, "x.......x.x....."}, {kSnare, "....o.......o..."}, {kClosedHat, "x.x.x.x.x.x.x.x."},
                          {kTambourine, "....x.......x..."}});
  drums.Beat(kCoda, 4, {{kKick, "x.......x......."}, {kShaker, "o.x.o.x.o.x.o.x."}, {kSideStick, "....x.......x..."}});
  drums.Beat(kAnswer, 1, {{kCrash, "x..............."}});
}

void AddHarmony(Tune& tune) {
  Part& guitar = tune.AddPart({"Guitar", 0, 24, 100, 44, 60, 10});
  guitar.Arpeggio(kIntro, kIntroChords, "0e 1e 2e 3e 2e 1e 2e 1e", 55, 78);
  guitar.Arpeggio(kTheme, kThemeChords, "0e 1e 2e 3e 2e 1e 2e 1e", 55, 74);
  guitar.Arpeggio(kAnswer, kAnswerChords, "0e 2e 1e 3e 2e 4e 3e 2e", 55, 74);
  guitar.Arpeggio(kCoda, kCodaChords, "0e 1e 2e 3e 2e 1e 2e 1e", 55, 76);

  Part& bass = tune.AddPart({"Bass", 1, 32, 100, 64, 30, 0});
  bass.Bassline(kTheme, kThemeChords, "1h 5,q 1q", 36, 92);
  bass.Bassline(kAnswer, kAnswerChords, "1q. 1e 5,q 3q", 36, 94);
  bass.Bassline(kCoda, kCodaChords, "1h 5,q 1q", 36, 90);

  Part& strings = tune.AddPart({"Strings", 2, 48, 76, 84, 80, 30});
  strings.Strum(kAnswer, kAnswerChords, "x---------------", Voicing::Folded, 55, 70);
  strings.Strum(kCoda, kCodaChords, "x-------x-------", Voicing::Folded, 55, 66);
}

void AddMelodies(Tune& tune) {
  Part& flute = tune.AddPart({"Flute", 3, 73, 104, 64, 70, 0});
  flute.Melody(kTheme, kThemeNotes, 94);
  flute.Melody(kAnswer, kAnswerNotes, 98);
  flute.Melody(kCoda, kCodaNotes, 90);

  Part& glockenspiel = tune.AddPart({"Glockenspiel", 4, 9, 64, 96, 80, 0});
  glockenspiel.Melody(kAnswer + 4, "E6q. D6e B5q G5q   C6q B5q A5q G5q   E5q A5q C6q B5q   A5h F#5h", 80, 12);
}

}  // namespace

std::string ComposeSunrise() {
  Tune tune("Sunrise", 100, kBars);
  AddDrums(tune);
  AddHarmony(tune);
  AddMelodies(tune);
  return tune.Encode();
}

}  // namespace tunegen
