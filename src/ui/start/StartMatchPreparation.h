#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/GameState.h"
#include "ui/start/StartControllerButton.h"
#include "ui/start/StartKinds.h"

namespace fl3 {

class GameFolder;
class Messages;

// What the start screen shows at the moment Start is pressed.
struct StartChoices {
  std::int32_t kind = 0;  // value of the kind spinner, 0..6
  std::array<std::string, FigureCount> livesEntries;
  std::string timeEntry;
  std::vector<std::string> levelEntries;  // the level list, "~Random" included
  std::size_t selectedEntry = 0;
};

struct MatchLevel {
  std::int32_t tileSetNumber = 0;
  std::int32_t backgroundNumber = 0;
  std::string name;  // the level file's name
};

// What the host of a network match has chosen once the level is loaded.
struct NetHostChoices {
  MatchLevel level;
  std::array<std::int32_t, FigureCount> characters{};  // picture rows
  std::array<SeatChoice, FigureCount> seats{};
};

// What a quest starts with: how many play (players 1 and 2, allies), their
// pictures, and for a Normal Quest the level list and its choice.
struct QuestStartChoices {
  QuestKind kind = QuestKind::Game;
  int players = 1;
  std::array<std::int32_t, 2> characters{};
  std::vector<std::string> levelEntries;  // "~Random" included
  std::size_t selectedEntry = 0;
};

// The level's tileset or background picture that the folder lacks (or
// holds unusable), tileset first; empty when both can serve.
std::string MissingLevelPicture(const GameFolder& folder, std::int32_t tileSetNumber, std::int32_t backgroundNumber);

// Checks the choices in their fixed order; the first problem is explained in
// a message and nothing comes back. Otherwise the chosen level is loaded and
// the kind, time, lives and positions of OFF figures are set, ready for the
// match. Nothing in the state changes before the level is loaded.
std::optional<MatchLevel> PrepareMatch(const StartChoices& choices, GameState& state, const GameFolder& folder,
                                       Messages& messages);

// Whether the list holds a level besides "~Random"; if not, the message says
// where levels belong.
bool CheckLevelsListed(const std::vector<std::string>& levelEntries, const GameFolder& folder, Messages& messages);

// Whether the level's tileset and background pictures are there and usable;
// the first missing one is explained in a message.
bool CheckLevelPictures(const MatchLevel& level, const GameFolder& folder, Messages& messages);

}  // namespace fl3
