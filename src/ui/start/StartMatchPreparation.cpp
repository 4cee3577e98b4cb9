#include "ui/start/StartMatchPreparation.h"

#include <algorithm>

#include "core/GameFolder.h"
#include "core/LevelFile.h"
#include "core/Messages.h"
#include "core/Rounding.h"
#include "media/PictureFile.h"
#include "ui/start/StartEntryNumber.h"
#include "ui/start/StartLevelList.h"

namespace fl3 {
namespace {

bool IsMatchKind(std::int32_t kind) { return kind >= MatchNormal && kind <= MatchMostLives; }

bool Refuse(Messages& messages, const std::string& text, const std::string& title, MessageIcon icon) {
  messages.Show(text, title, icon, MessageButtons::Ok);
  return false;
}

bool CheckFigures(const StartChoices& choices, const GameState& state, Messages& messages) {
  const auto& figures = state.Characters;
  const bool allOff = std::all_of(figures.begin(), figures.end(), [](const Character& c) { return c.Cont == ContOff; });
  if (allOff) {
    return Refuse(messages, "You cannot have all the characters being on OFF", "All OFFs", MessageIcon::Critical);
  }
  int playing = 0;
  for (std::size_t i = 0; i < figures.size(); ++i) {
    if (figures[i].Cont != ContMan && figures[i].Cont != ContCpu) continue;
    if (choices.kind == MatchNormal && EntryNumber(choices.livesEntries[i]) <= 0.0) {
      return Refuse(messages, "You cannot have a character on MAN or CPU with no lives.",
                    "Character " + std::to_string(i) + " has no lives", MessageIcon::Information);
    }
    ++playing;
  }
  if (playing == 1) {
    return Refuse(messages, "You cannot play this game alone.", "Only one MAN/CPU??", MessageIcon::Information);
  }
  return true;
}

bool CheckTimeAndLevels(const StartChoices& choices, const GameFolder& folder, Messages& messages) {
  if (choices.kind != MatchNormal && EntryNumber(choices.timeEntry) < 1.0) {
    return Refuse(messages, "You cannot play this game for less than 1 second.", "Time less than 1!",
                  MessageIcon::Information);
  }
  return CheckLevelsListed(choices.levelEntries, folder, messages);
}

std::string ChosenLevel(const StartChoices& choices, RandomSource& random) {
  std::size_t position = choices.selectedEntry;
  if (position >= choices.levelEntries.size() || choices.levelEntries[position] == kRandomLevelEntry) {
    position = PickRandomLevel(choices.levelEntries, random);
  }
  return choices.levelEntries[position];
}

}  // namespace

bool CheckLevelsListed(const std::vector<std::string>& levelEntries, const GameFolder& folder, Messages& messages) {
  if (levelEntries.size() >= 2) return true;
  return Refuse(messages,
                "You do not have any levels to play.  Please create some, or put some in " + folder.Directory().string(),
                "No FL3's...", MessageIcon::Critical);
}

// A picture that is there but cannot serve counts as missing.
std::string MissingLevelPicture(const GameFolder& folder, std::int32_t tileSetNumber, std::int32_t backgroundNumber) {
  const auto usable = [&](const std::string& name) {
    const auto path = folder.Find(name);
    return path && IsUsablePicture(*path);
  };
  const std::string tileSet = "A" + std::to_string(tileSetNumber) + ".BMP";
  if (!usable(tileSet)) return tileSet;
  const std::string background = "B" + std::to_string(backgroundNumber) + ".BMP";
  if (backgroundNumber >= 0 && !usable(background)) return background;
  return {};
}

bool CheckLevelPictures(const MatchLevel& level, const GameFolder& folder, Messages& messages) {
  const std::string missing = MissingLevelPicture(folder, level.tileSetNumber, level.backgroundNumber);
  if (missing.empty()) return true;
  if (missing.front() == 'A') {
    return Refuse(messages,
                  "The map you have selected refers to the missing file \\" + missing + "\n" +
                      "Either get that file or change the Map's TileSet to a valid one.",
                  "Map Error", MessageIcon::Critical);
  }
  return Refuse(messages,
                "The map you have selected refers to the missing file \\" + missing + "\n" +
                    "Either get that file, change the Map's Background to a valid one or change the Map's "
                    "Background to none (-1).",
                "Map Error", MessageIcon::Critical);
}

namespace {

void PrepareFigures(const StartChoices& choices, GameState& state) {
  state.MatchKind = choices.kind;
  if (choices.kind != MatchNormal) state.TimeLeft = RoundHalfEven(EntryNumber(choices.timeEntry) * 1000.0);
  for (std::size_t i = 0; i < state.Characters.size(); ++i) {
    Character& figure = state.Characters[i];
    if (figure.Cont == ContOff) {
      figure.X = OffMapPos;
      figure.Y = OffMapPos;
    } else if (choices.kind == MatchNormal) {
      figure.Lives = RoundHalfEven(EntryNumber(choices.livesEntries[i]));
    } else {
      figure.Lives = choices.kind == MatchMostKills ? 0 : 99;
    }
  }
}

}  // namespace

std::optional<MatchLevel> PrepareMatch(const StartChoices& choices, GameState& state, const GameFolder& folder,
                                       Messages& messages) {
  if (!IsMatchKind(choices.kind)) return std::nullopt;
  if (!CheckFigures(choices, state, messages) || !CheckTimeAndLevels(choices, folder, messages)) return std::nullopt;

  const std::string name = ChosenLevel(choices, state.Random);
  MatchLevel level;
  const auto found = folder.Find(name);
  const IoResult loaded =
      LoadLevel(found ? *found : folder.Directory() / name, state, level.tileSetNumber, level.backgroundNumber);
  if (!loaded) {
    messages.Show("The map you have selected cannot be played.\n" + loaded.reason, "Map Error", MessageIcon::Critical,
                  MessageButtons::Ok);
    return std::nullopt;
  }
  if (!CheckLevelPictures(level, folder, messages)) return std::nullopt;
  level.name = name;
  PrepareFigures(choices, state);
  return level;
}

}  // namespace fl3
