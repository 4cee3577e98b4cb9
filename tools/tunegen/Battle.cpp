#include "Drums.h"
#include "Tune.h"
#include "Tunes.h"

namespace tunegen {
namespace {

// 32 bars at 150: intro, theme, answer, theme with brass, rising bridge.
// The bridge ends on A, which leads straight back into the D minor intro.
constexpr int kIntro = 0, kTheme = 4, kAnswer = 12, kReprise = 20, kBridge = 28, kBars = 32;

constexpr const char* kIntroChords = "Dm | Bb | C | A";
constexpr const char* kThemeChords = "Dm | Bb | C | A | Dm | Bb | C | A";
constexpr const char* kAnswerChords = "Gm | Dm | Bb C | A | Gm | Dm | Bb C | A";
constexpr const char* kBridgeChords = "Bb | C | Dm | A";

constexpr const char* kThemeNotes =
    "D5q A4e D5e F5q E5e D5e   F5q. E5e D5q Bb4q   C5e D5e E5e G5e E5q C5q   A4e C#5e E5e A5e G5q E5q "
    "D5q A4e D5e F5q A5e G5e   F5e G5e F5e D5e Bb4h   C5e E5e G5e C6e Bb5q G5q   A5h. rq";
constexpr const char* kAnswerNotes =
    "G5q. F5e D5q Bb4q   A4q. D5e F5h   F5e G5e F5e D5e E5e F5e G5e E5e   C#5q E5q A5h "
    "Bb5q. A5e G5q D5q   F5q. E5e D5h   D5e F5e Bb5e F5e E5e G5e C6e G5e   A5e G5e E5e C#5e A4h";
constexpr const char* kBridgeLine = "D5h F5h   E5h G5h   F5h A5h   A5h C#6q E6q";

void AddDrums(Tune& tune) {
  using namespace drum;
  Part& drums = tune.AddPart({"Drums", 9, 0, 100, 64, 40, 0});
  drums.Beat(kIntro, 3, {{kKick, "x...x...x...x..."}, {kClosedHat, "x.o.x.o.x.o.x.o."}});
  drums.Beat(kIntro + 3, 1, {{kKick, "x...x...x...x..."}, {kSnare, "....o.o.x.x.xxXX"}});
  for (int section : {kTheme, kAnswer, kReprise}) {
    drums.Beat(section, 1, {{kCrash, "X..............."}});
    drums.Beat(section, 7, {{kKick, "x.....x.x.....x."}, {kSnare, "....X.......X..."}, {kClosedHat, "x.x.x.x.x.x.x.x."}});
    drums.Beat(section + 7, 1, {{kKick, "x.....x.x......."}, {kSnare, "....X.......X.xx"}, {kHighTom, "........x.x....."},
                                {kLowTom, "...........x..x."}});
  }
  drums.Beat(kBridge, 1, {{kCrash, "X..............."}});
  drums.Beat(kBridge, 3, {{kKick, "x...x...x...x..."}, {kLowFloorTom, "x.x.x.x.x.x.x.x."}, {kRide, "x.x.x.x.x.x.x.x."}});
  drums.Beat(kBridge + 3, 1, {{kKick, "x...x...x...x..."}, {kSnare, "o.o.x.x.xxxxXXXX"}});
}

void AddHarmony(Tune& tune) {
  Part& bass = tune.AddPart({"Bass", 1, 34, 96, 64, 20, 0});
  bass.Bassline(kIntro, kIntroChords, "1e 1e 1e 1e 1e 1e 8e 1e", 28, 96);
  bass.Bassline(kTheme, kThemeChords, "1e 1e 8e 1e 1e 1e 8e 5e", 28, 100);
  bass.Bassline(kAnswer, kAnswerChords, "1e 1e 8e 1e 5e 1e 8e 5e", 28, 100);
  bass.Bassline(kReprise, kThemeChords, "1e 1e 8e 1e 1e 1e 8e 5e", 28, 100);
  bass.Bassline(kBridge, kBridgeChords, "1q 1q 5q 8q", 28, 104);

  Part& guitar = tune.AddPart({"Rhythm guitar", 2, 30, 54, 34, 30, 0});
  guitar.Strum(kIntro, kIntroChords, "x.x.x.x.x.x.x.x.", Voicing::Power, 40, 84);
  guitar.Strum(kTheme, kThemeChords, "x.x.x.x.x.x.x-x-", Voicing::Power, 40, 84);
  guitar.Strum(kAnswer, kAnswerChords, "x---x.x.x---x.x.", Voicing::Power, 40, 84);
  guitar.Strum(kReprise, kThemeChords, "x.x.x.x.x.x.x-x-", Voicing::Power, 40, 88);
  guitar.Strum(kBridge, kBridgeChords, "x---------------", Voicing::Power, 40, 96);

  Part& strings = tune.AddPart({"Strings", 3, 48, 72, 88, 60, 20});
  strings.Strum(kAnswer, kAnswerChords, "x-------x-------", Voicing::Folded, 55, 76);
  strings.Strum(kReprise, kThemeChords, "x---------------", Voicing::Folded, 55, 80);
  strings.Strum(kBridge, kBridgeChords, "x---------------", Voicing::Folded, 57, 92);

  Part& brass = tune.AddPart({"Brass", 4, 61, 72, 96, 50, 0});
  brass.Strum(kAnswer, kAnswerChords, "x-.x-.x.........", Voicing::Folded, 58, 92);
  brass.Melody(kReprise, kThemeNotes, 86, -12);
  brass.Strum(kBridge + 3, "A", "x-.x-.x-.x-.x---", Voicing::Folded, 57, 100);
}

void AddLead(Tune& tune) {
  Part& lead = tune.AddPart({"Lead", 5, 80, 84, 64, 45, 10});
  lead.Melody(kTheme, kThemeNotes, 100);
  lead.Melody(kAnswer, kAnswerNotes, 100);
  lead.Melody(kReprise, kThemeNotes, 104);
  lead.Melody(kBridge, kBridgeLine, 108);
}

}  // namespace

std::string ComposeBattle() {
  Tune tune("Battle", 150, kBars);
  AddDrums(tune);
  AddHarmony(tune);
  AddLead(tune);
  return tune.Encode();
}

}  // namespace tunegen
