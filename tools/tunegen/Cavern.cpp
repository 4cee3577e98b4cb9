#include "Drums.h"
#include "Tune.h"
#include "Tunes.h"

namespace tunegen {
namespace {

// 20 bars at 76: drips over a pad, the flute's theme, a brighter middle on
// vibraphone, and a return that settles on E to fall back into A minor.
constexpr int kIntro = 0, kTheme = 4, kMiddle = 12, kReturn = 16, kBars = 20;

constexpr const char* kIntroChords = "Am | Fmaj7 | Am | Fmaj7";
constexpr const char* kThemeChords = "Am | Fmaj7 | Dm | E | Am | Fmaj7 | Dm | E";
constexpr const char* kMiddleChords = "F | G | Em | Am";
constexpr const char* kReturnChords = "Dm | Am | Fmaj7 | E";
constexpr const char* kAllChords =
    "Am | Fmaj7 | Am | Fmaj7 | Am | Fmaj7 | Dm | E | Am | Fmaj7 | Dm | E | F | G | Em | Am | Dm | Am | Fmaj7 | E";

constexpr const char* kThemeNotes =
    "rq E5q A5q. B5e   C6h. B5e A5e   A5q F5q D5h   G#5h E5h "
    "rq E5q A5q C6q    B5q. A5e G5q E5q   F5q E5q D5q F5q   E5h. rq";
constexpr const char* kMiddleNotes = "A5q C6q F6h   D6q. C6e B5h   G5q B5q E6q. D6e   C6w";
constexpr const char* kReturnNotes = "F5h A5h   E5h C5h   A4q C5q E5q A5q   G#5h. E5q";

void AddDrums(Tune& tune) {
  using namespace drum;
  Part& drums = tune.AddPart({"Percussion", 9, 0, 104, 64, 90, 0});
  drums.Beat(kIntro, kMiddle, {{kLowFloorTom, "x..o............"}, {kHighWoodBlock, "......o.......o."},
                               {kLowWoodBlock, "..........o....."}});
  drums.Beat(kMiddle, 4, {{kLowFloorTom, "x.......x......."}, {kCabasa, "o.o.o.o.o.o.o.o."}, {kRideBell, "x.......x.....o."}});
  drums.Beat(kReturn, 4, {{kLowFloorTom, "x..o............"}, {kHighWoodBlock, "...o......o....."}});
  for (int section : {kTheme, kMiddle, kReturn}) drums.Beat(section, 1, {{kTriangle, "x..............."}});
}

void AddHarmony(Tune& tune) {
  Part& pad = tune.AddPart({"Pad", 0, 89, 96, 64, 100, 40});
  pad.Strum(kIntro, kAllChords, "x---------------", Voicing::Folded, 52, 70);

  Part& celesta = tune.AddPart({"Celesta", 1, 8, 88, 40, 110, 20});
  celesta.Arpeggio(kIntro, kIntroChords, "0e 1e 2e 3e 2e 1e 3e 2e", 69, 62);
  celesta.Arpeggio(kTheme, kThemeChords, "3q 2q 1q 2q", 69, 50);
  celesta.Arpeggio(kReturn, kReturnChords, "0e 1e 2e 3e 2e 1e 3e 2e", 69, 58);

  Part& harp = tune.AddPart({"Harp", 2, 46, 92, 88, 90, 0});
  harp.Arpeggio(kMiddle, kMiddleChords, "0e 1e 2e 3e 4e 3e 2e 1e", 55, 70);

  Part& bass = tune.AddPart({"Bass", 3, 35, 110, 64, 50, 0});
  bass.Bassline(kIntro, kIntroChords, "1h 5,h", 36, 84);
  bass.Bassline(kTheme, kThemeChords, "1h 5,h", 36, 90);
  bass.Bassline(kMiddle, kMiddleChords, "1q. 5,e 1h", 36, 92);
  bass.Bassline(kReturn, kReturnChords, "1h 5,h", 36, 88);
}

void AddMelodies(Tune& tune) {
  Part& flute = tune.AddPart({"Pan flute", 4, 75, 110, 60, 100, 0});
  flute.Melody(kTheme, kThemeNotes, 92);
  flute.Melody(kReturn, kReturnNotes, 88);

  Part& vibes = tune.AddPart({"Vibraphone", 5, 11, 104, 72, 100, 20});
  vibes.Melody(kMiddle, kMiddleNotes, 96);
}

}  // namespace

std::string ComposeCavern() {
  Tune tune("Cavern", 76, kBars);
  AddDrums(tune);
  AddHarmony(tune);
  AddMelodies(tune);
  return tune.Encode();
}

}  // namespace tunegen
