#include "quest/QuestFile.h"

#include <algorithm>
#include <set>
#include <stdexcept>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/FileAccess.h"
#include "core/GameFolder.h"
#include "core/LevelValues.h"
#include "quest/QuestFileFields.h"

namespace fl3 {
namespace {

using Json = nlohmann::ordered_json;
using quest_file::Place;
using quest_file::Refused;

constexpr int kMaxNesting = 8;

const char* StrengthKey(CpuStrength strength) {
  return strength == CpuStrength::Easy ? "easy" : strength == CpuStrength::Hard ? "hard" : "normal";
}

const char* RuleKey(StageRule rule) {
  return rule == StageRule::MostKills ? "most kills" : rule == StageRule::Outlast ? "outlast" : "defeat all";
}

Json OpponentJson(const QuestOpponent& opponent) {
  return {{"strength", StrengthKey(opponent.strength)}, {"lives", opponent.lives}, {"character", opponent.character}};
}

Json StageJson(const QuestStage& stage) {
  Json json = {{"level", stage.level}, {"rule", RuleKey(stage.rule)}, {"lives", stage.lives}};
  if (RuleHasTime(stage.rule)) json["seconds"] = stage.seconds;
  if (stage.rule == StageRule::MostKills && stage.kills != 0) json["kills"] = stage.kills;
  json["briefing"] = stage.briefing;
  json["opponents"] = Json::array();
  for (const QuestOpponent& opponent : stage.opponents) json["opponents"].push_back(OpponentJson(opponent));
  return json;
}

// A document nested deeper than any quest, or one repeating a key, is
// refused while it is parsed.
Json ParseStrictly(std::string_view text, const Place& place) {
  std::vector<std::set<std::string>> keysOfOpenObjects;
  const auto watch = [&](int depth, Json::parse_event_t event, Json& parsed) {
    if (depth > kMaxNesting) throw Refused(place.Say("the document is nested deeper than a quest file"));
    if (event == Json::parse_event_t::object_start) keysOfOpenObjects.emplace_back();
    if (event == Json::parse_event_t::object_end && !keysOfOpenObjects.empty()) keysOfOpenObjects.pop_back();
    if (event == Json::parse_event_t::key && !keysOfOpenObjects.empty() &&
        !keysOfOpenObjects.back().insert(parsed.get<std::string>()).second) {
      throw Refused(place.Say("the key \"" + parsed.get<std::string>() + "\" appears twice in one object"));
    }
    return true;
  };
  try {
    return Json::parse(text.begin(), text.end(), watch);
  } catch (const Json::parse_error& error) {
    // The library's message starts with its own error code; the position is what helps.
    std::string why = error.what();
    const std::size_t at = why.find("] ");
    throw Refused(place.Say("not a quest file (" + (at == std::string::npos ? why : why.substr(at + 2)) + ")"));
  }
}

QuestOpponent ReadOpponent(const Json& json, const Place& place) {
  quest_file::OnlyKeys(json, {"strength", "lives", "character"}, place);
  QuestOpponent opponent;
  opponent.strength = quest_file::Choice<CpuStrength>(
      json, "strength", {{"easy", CpuStrength::Easy}, {"normal", CpuStrength::Normal}, {"hard", CpuStrength::Hard}},
      place);
  opponent.lives = quest_file::Number(json, "lives", quest_limits::kMinLives, quest_limits::kMaxLives, place);
  opponent.character = quest_file::Number(json, "character", 0, quest_limits::kMaxCharacter, place);
  return opponent;
}

void CheckLevel(const QuestStage& stage, const QuestLevels& levels, const Place& place) {
  const std::optional<LevelData> level = levels ? levels(stage.level) : std::nullopt;
  if (!level) throw Refused(place.Say("the level \"" + stage.level + "\" is not in the game folder or cannot be played"));
  if (const std::optional<int> player = MissingStartCell(stage, *level)) {
    throw Refused(place.Say("the level \"" + stage.level + "\" has no start cell for player " +
                            std::to_string(*player) + ", whom this stage needs"));
  }
}

QuestStage ReadStage(const Json& json, const QuestLevels& levels, const Place& place) {
  quest_file::OnlyKeys(json, {"level", "rule", "lives", "seconds", "kills", "briefing", "opponents"}, place);
  QuestStage stage;
  stage.level = quest_file::LevelName(json, place);
  stage.rule = quest_file::Choice<StageRule>(
      json, "rule",
      {{"defeat all", StageRule::DefeatAll}, {"most kills", StageRule::MostKills}, {"outlast", StageRule::Outlast}},
      place);
  stage.lives = quest_file::Number(json, "lives", quest_limits::kMinLives, quest_limits::kMaxLives, place);
  if (RuleHasTime(stage.rule)) {
    stage.seconds = quest_file::Number(json, "seconds", quest_limits::kMinSeconds, quest_limits::kMaxSeconds, place);
  } else if (json.contains("seconds")) {
    throw Refused(place.Say("\"defeat all\" runs until one side is out and has no \"seconds\""));
  }
  if (json.contains("kills")) {
    if (stage.rule != StageRule::MostKills) throw Refused(place.Say("only \"most kills\" counts \"kills\""));
    stage.kills = quest_file::Number(json, "kills", 1, quest_limits::kMaxKills, place);
  }
  stage.briefing = quest_file::Line(json, "briefing", quest_limits::kBriefingCharacters, true, place);
  const Json& opponents = quest_file::List(json, "opponents", quest_limits::kMinOpponents,
                                           quest_limits::kMaxOpponents, place);
  for (std::size_t i = 0; i < opponents.size(); ++i) {
    stage.opponents.push_back(ReadOpponent(opponents[i], place.Opponent(static_cast<int>(i) + 1)));
  }
  CheckLevel(stage, levels, place);
  return stage;
}

Quest ReadQuest(const Json& json, const QuestLevels& levels, Place place) {
  if (!json.is_object()) throw Refused(place.Say("not a quest file (no JSON object)"));
  quest_file::OnlyKeys(json, {"format", "name", "about", "tries", "stages"}, place);
  if (!json.contains("format")) throw Refused(place.Say("not a quest file (no \"format\")"));
  if (const Json& format = json["format"]; format.is_number_integer() && format.get<std::int64_t>() > kQuestFormat) {
    throw Refused(place.Say("made by a newer version of the game (format " + format.dump() + ")"));
  }
  quest_file::Number(json, "format", kQuestFormat, kQuestFormat, place);
  Quest quest;
  quest.name = quest_file::Line(json, "name", quest_limits::kNameCharacters, false, place);
  place.quest = quest.name;
  quest.about = quest_file::Line(json, "about", quest_limits::kAboutCharacters, true, place);
  quest.tries = quest_file::Number(json, "tries", quest_limits::kMinTries, quest_limits::kMaxTries, place);
  const Json& stages = quest_file::List(json, "stages", quest_limits::kMinStages, quest_limits::kMaxStages, place);
  for (std::size_t i = 0; i < stages.size(); ++i) {
    quest.stages.push_back(ReadStage(stages[i], levels, place.Stage(static_cast<int>(i) + 1)));
  }
  return quest;
}

}  // namespace

std::string WriteQuestText(const Quest& quest) {
  Json json = {{"format", kQuestFormat}, {"name", quest.name}, {"about", quest.about},
               {"tries", quest.tries}, {"stages", Json::array()}};
  for (const QuestStage& stage : quest.stages) json["stages"].push_back(StageJson(stage));
  // Bytes that are not UTF-8 become U+FFFD rather than failing; the reader
  // then says what else is wrong with the quest.
  return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

IoResult ReadQuestText(std::string_view text, const std::string& fileName, const QuestLevels& levels, Quest& quest) {
  const Place place{fileName, {}, 0, 0};
  try {
    if (text.size() > kMaxQuestFileBytes) throw Refused(place.Say("larger than any quest file"));
    quest = ReadQuest(ParseStrictly(text, place), levels, place);
    return IoResult::Success();
  } catch (const Refused& refused) {
    return IoResult::Failure(refused.what());
  }
}

IoResult CheckQuest(const Quest& quest, const std::string& fileName, const QuestLevels& levels) {
  Quest again;
  return ReadQuestText(WriteQuestText(quest), fileName, levels, again);
}

// One player on seat 1 with the opponents from seat 2, or two players with
// the opponents from seat 3: a level must serve both.
std::optional<int> MissingStartCell(const QuestStage& stage, const LevelData& level) {
  const int seats = std::min<int>(FigureCount, static_cast<int>(stage.opponents.size()) + 2);
  for (int seat = 0; seat < seats; ++seat) {
    const FigureStart& start = level.Figures[static_cast<std::size_t>(seat)];
    if (!OnMap(start.X, start.Y)) return seat + 1;
  }
  return std::nullopt;
}

QuestLevels LevelsOf(const GameFolder& folder) {
  return [&folder](const std::string& name) -> std::optional<LevelData> {
    const auto path = folder.Find(name);
    LevelData level;
    if (!path || !MatchesPatternIgnoringCase(name, "*.FL3") || !ReadLevelFile(*path, level) || !CheckLevelValues(level)) {
      return std::nullopt;
    }
    return level;
  };
}

IoResult ReadQuestFile(const GameFolder& folder, const std::string& fileName, Quest& quest) {
  const auto path = folder.Find(fileName);
  if (!path) return IoResult::Failure(fileName + ": there is no such quest file in " + folder.SearchedFolders());
  std::string text;
  // One byte more than a quest may have, so that a larger file is told as such.
  if (IoResult read = ReadFileStart(*path, kMaxQuestFileBytes + 1, text); !read) return read;
  return ReadQuestText(text, fileName, LevelsOf(folder), quest);
}

IoResult WriteQuestFile(const GameFolder& folder, const std::string& fileName, const Quest& quest) {
  return folder.WriteAtomically(fileName, WriteQuestText(quest));
}

}  // namespace fl3
