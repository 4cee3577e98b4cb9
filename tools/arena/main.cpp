// fuselark3-arena: plays computer players against each other without a
// screen and prints one JSON summary.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "ai/CpuRandom.h"
#include "ArenaMatch.h"
#include "QuestTrial.h"
#include "core/GameFolder.h"
#include "quest/QuestFile.h"
#include "replay/ReplayShelf.h"

namespace fl3::arena {
namespace {

struct Options {
  std::filesystem::path levels;
  long long matches = 0;
  ArenaRules rules;
  std::vector<Seat> seats;
  std::uint64_t seed = 0;
  std::filesystem::path replays;  // empty: no replays written
  std::filesystem::path quest;    // a quest's stages instead of a tournament
  QuestTrialOptions trial;
  bool haveStandIn = false;
  bool help = false, version = false;
};

constexpr const char* kUsage =
    "usage: fuselark3-arena --levels DIR --matches N --kind K --seats SEATS --seed S\n"
    "                       [--lives L] [--seconds T] [--sync-test N] [--replays DIR]\n"
    "       fuselark3-arena --quest FILE --stand-in cpu:S --matches N [--seed S] [--players 1|2]\n"
    "       fuselark3-arena --help | --version\n"
    "  K: 0 Normal, 1 Most Kills, 2 Most Lives\n"
    "  SEATS: up to four of cpu:0|cpu:1|cpu:2 (Easy, Normal, Hard), baseline, still\n"
    "  (never moves), dodger (never plants, steps out of blasts), hunter (walks\n"
    "  straight at the nearest figure, plants when it is in line within reach and\n"
    "  escapes only back the way it came) or off\n"
    "  A life counts as lost to own fire only when no other figure's fire reached\n"
    "  the figure in the same frame; otherwise it counts as lost to others' fire.\n"
    "  --sync-test N: after every frame, rewind N frames (1..60), play them again from\n"
    "  the recorded controls and compare every frame; the first difference stops the run.\n"
    "  --replays DIR: write the replay of every match into DIR, numbered by match.\n"
    "  --quest FILE: play every stage of the quest N times with computer players of\n"
    "  strength S in the players' seats (the levels from the quest's folder, or --levels)\n"
    "  and print each stage's win share.\n";

bool ReadNumber(const std::string& text, long long low, long long high, long long& out) {
  if (text.empty() || !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); })) return false;
  if (text.size() > 12) return false;
  out = std::stoll(text);
  return out >= low && out <= high;
}

bool ReadOptions(int argc, char** argv, Options& options, std::string& error) {
  bool haveLevels = false, haveMatches = false, haveKind = false, haveSeats = false, haveSeed = false;
  for (int i = 1; i < argc; ++i) {
    const std::string name = argv[i];
    if (name == "--help" || name == "--version") {
      (name == "--help" ? options.help : options.version) = true;
      return true;
    }
    if (i + 1 >= argc) {
      error = "missing value after " + name;
      return false;
    }
    const std::string value = argv[++i];
    long long number = 0;
    if (name == "--levels") {
      options.levels = value;
      haveLevels = true;
    } else if (name == "--seats") {
      if (!ReadSeats(value, options.seats, error)) return false;
      haveSeats = true;
    } else if (name == "--matches" && ReadNumber(value, 1, 100'000'000, number)) {
      options.matches = number;
      haveMatches = true;
    } else if (name == "--kind" && ReadNumber(value, 0, 2, number)) {
      options.rules.kind = static_cast<std::int32_t>(number);
      haveKind = true;
    } else if (name == "--seed" && ReadNumber(value, 0, 999'999'999'999, number)) {
      options.seed = static_cast<std::uint64_t>(number);
      haveSeed = true;
    } else if (name == "--lives" && ReadNumber(value, 1, 99, number)) {
      options.rules.lives = static_cast<std::int32_t>(number);
    } else if (name == "--seconds" && ReadNumber(value, 1, 3600, number)) {
      options.rules.seconds = static_cast<std::int32_t>(number);
    } else if (name == "--replays" && !value.empty()) {
      options.replays = value;
      options.rules.recordReplays = true;
    } else if (name == "--quest" && !value.empty()) {
      options.quest = value;
    } else if (name == "--stand-in") {
      std::vector<Seat> standIn;
      if (!ReadSeats(value, standIn, error) || standIn.size() != 1 || standIn[0].kind != Seat::Computer) {
        error = "--stand-in takes one computer player, cpu:0, cpu:1 or cpu:2";
        return false;
      }
      options.trial.standIn = standIn[0].strength;
      options.haveStandIn = true;
    } else if (name == "--players" && ReadNumber(value, 1, 2, number)) {
      options.trial.players = static_cast<int>(number);
    } else if (name == "--sync-test" && ReadNumber(value, 1, 60, number)) {
      options.rules.syncDepth = static_cast<int>(number);
    } else {
      error = "bad option or value: " + name + " " + value;
      return false;
    }
  }
  if (!options.quest.empty()) {
    if (haveMatches && options.haveStandIn) return true;
    error = "--quest needs --stand-in and --matches";
    return false;
  }
  if (!(haveLevels && haveMatches && haveKind && haveSeats && haveSeed)) {
    error = "--levels, --matches, --kind, --seats and --seed are all needed";
    return false;
  }
  return true;
}

bool ReadLevels(const std::filesystem::path& folder, std::vector<LevelData>& levels, std::vector<std::string>& names,
                std::string& error) {
  std::vector<std::filesystem::path> files;
  std::error_code code;
  for (const auto& entry : std::filesystem::directory_iterator(folder, code)) {
    std::string extension = entry.path().extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) { return std::toupper(c); });
    if (entry.is_regular_file() && extension == ".FL3") files.push_back(entry.path());
  }
  if (code) {
    error = "cannot list the folder \"" + folder.string() + "\": " + code.message();
    return false;
  }
  std::sort(files.begin(), files.end());
  for (const auto& file : files) {
    LevelData level;
    if (const IoResult read = ReadLevelFile(file, level); !read) {
      error = "cannot read the level " + read.reason;
      return false;
    }
    levels.push_back(level);
    names.push_back(file.filename().string());
  }
  if (levels.empty()) error = "no level files (*.FL3) in \"" + folder.string() + "\"";
  return !levels.empty();
}

// The rollback test found a frame that played differently the second time.
struct SyncMismatch : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct ReplayNotWritten : std::runtime_error {
  using std::runtime_error::runtime_error;
};

void WriteReplay(const Options& options, Replay replay, const std::string& levelName, long long match) {
  replay.start.levelName = levelName;
  const IoResult written = ReplayShelf(options.replays).Add(replay, static_cast<int>(match), false);
  if (!written) throw ReplayNotWritten(written.reason);
}

double Median(std::vector<int> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

nlohmann::json RunTournament(const Options& options, const std::vector<LevelData>& levels,
                             const std::vector<std::string>& levelNames) {
  ArenaRules rules = options.rules;
  const int threeMinutes = 180'000 / rules.frameMs;
  const int seatCount = static_cast<int>(options.seats.size());
  // A match that has not ended after ten minutes of game time is stopped.
  rules.maxFrames = 600'000 / rules.frameMs;
  ai::CpuRandom dice(options.seed);
  DecisionTimes times;
  std::vector<long long> wins(options.seats.size(), 0), quickWins(options.seats.size(), 0),
      ownBySeat(options.seats.size(), 0);
  std::vector<int> frames;
  long long noWinner = 0, cutShort = 0, withinThreeMinutes = 0, own = 0, others = 0;
  for (long long m = 0; m < options.matches; ++m) {
    std::array<int, FigureCount> figures{0, 1, 2, 3};
    for (int i = FigureCount - 1; i > 0; --i) std::swap(figures[static_cast<std::size_t>(i)], figures[static_cast<std::size_t>(dice.Below(i + 1))]);
    std::array<int, FigureCount> seatOfFigure{-1, -1, -1, -1};
    for (int s = 0; s < seatCount; ++s) seatOfFigure[static_cast<std::size_t>(figures[static_cast<std::size_t>(s)])] = s;
    const LevelData& level = levels[static_cast<std::size_t>(m % static_cast<long long>(levels.size()))];
    const ArenaMatchReport report =
        PlayArenaMatch(level, rules, options.seats, seatOfFigure, options.seed * 1'000'003 + static_cast<std::uint64_t>(m), times);
    if (report.mismatch) {
      throw SyncMismatch("match " + std::to_string(m + 1) + " (level file " +
                         std::to_string(m % static_cast<long long>(levels.size()) + 1) + " in name order), frame " +
                         std::to_string(report.mismatch->frame) + ": " + report.mismatch->field);
    }
    if (report.replay) WriteReplay(options, *report.replay, levelNames[static_cast<std::size_t>(m % static_cast<long long>(levels.size()))], m + 1);
    const bool quick = !report.cutShort && report.frames <= threeMinutes;
    if (report.winnerSeat >= 0) {
      ++wins[static_cast<std::size_t>(report.winnerSeat)];
      quickWins[static_cast<std::size_t>(report.winnerSeat)] += quick ? 1 : 0;
    } else {
      ++noWinner;
    }
    cutShort += report.cutShort ? 1 : 0;
    withinThreeMinutes += quick ? 1 : 0;
    for (int i = 0; i < FigureCount; ++i) {
      const auto figure = static_cast<std::size_t>(i);
      own += report.ownFireLosses[figure];
      others += report.othersFireLosses[figure];
      if (seatOfFigure[figure] >= 0) ownBySeat[static_cast<std::size_t>(seatOfFigure[figure])] += report.ownFireLosses[figure];
    }
    frames.push_back(report.frames);
  }
  nlohmann::json seats = nlohmann::json::array();
  for (std::size_t s = 0; s < options.seats.size(); ++s) {
    seats.push_back({{"seat", options.seats[s].name}, {"wins", wins[s]},
                     {"win_share", static_cast<double>(wins[s]) / static_cast<double>(options.matches)},
                     {"wins_within_3_minutes", quickWins[s]},
                     {"lives_lost_own_fire", ownBySeat[s]}});
  }
  const long long lost = own + others;
  return {{"matches", options.matches},
          {"kind", rules.kind},
          {"lives", rules.lives},
          {"levels", levels.size()},
          {"seed", options.seed},
          {"seats", seats},
          {"no_winner", noWinner},
          {"stopped_after_10_minutes", cutShort},
          {"lives_lost_own_fire", own},
          {"lives_lost_others_fire", others},
          {"own_fire_share", lost == 0 ? 0.0 : static_cast<double>(own) / static_cast<double>(lost)},
          {"frames_per_match", {{"median", Median(frames)}, {"max", *std::max_element(frames.begin(), frames.end())}}},
          {"frame_ms", rules.frameMs},
          {"ended_within_3_minutes", static_cast<double>(withinThreeMinutes) / static_cast<double>(options.matches)},
          {"decision_us", {{"median", times.MedianAllUs()}, {"median_standing", times.MedianStandingUs()},
                           {"count", times.Count()}}}};
}

// The quest is read as the game reads it, its levels from its own folder
// unless --levels names another.
int RunQuest(Options& options) {
  const std::filesystem::path folderPath = options.levels.empty() ? options.quest.parent_path() : options.levels;
  const GameFolder folder(folderPath.empty() ? std::filesystem::path(".") : folderPath);
  const GameFolder questFolder(options.quest.parent_path().empty() ? std::filesystem::path(".") : options.quest.parent_path());
  std::string text;
  Quest quest;
  const std::string fileName = options.quest.filename().string();
  IoResult read = questFolder.ReadAll(fileName, text);
  if (read) read = ReadQuestText(text, fileName, LevelsOf(folder), quest);
  if (!read) {
    std::cerr << "fuselark3-arena: " << read.reason << "\n";
    return 1;
  }
  options.trial.questName = fileName;
  options.trial.matches = options.matches;
  options.trial.seed = options.seed;
  const QuestLevels levels = LevelsOf(folder);
  std::cout << RunQuestTrial(quest, [&](const std::string& name) { return *levels(name); }, options.trial).dump(2)
            << "\n";
  return 0;
}

}  // namespace
}  // namespace fl3::arena

int main(int argc, char** argv) {
  using namespace fl3::arena;
  Options options;
  std::string error;
  if (!ReadOptions(argc, argv, options, error)) {
    std::cerr << "fuselark3-arena: " << error << "\n" << kUsage;
    return 2;
  }
  if (options.help || options.version) {
    std::cout << (options.help ? kUsage : "fuselark3-arena " FUSELARK3_VERSION "\n");
    return 0;
  }
  if (!options.quest.empty()) return RunQuest(options);
  std::vector<fl3::LevelData> levels;
  std::vector<std::string> levelNames;
  if (!ReadLevels(options.levels, levels, levelNames, error)) {
    std::cerr << "fuselark3-arena: " << error << "\n";
    return 1;
  }
  try {
    std::cout << RunTournament(options, levels, levelNames).dump(2) << "\n";
  } catch (const SyncMismatch& mismatch) {
    std::cerr << "fuselark3-arena: rollback mismatch in " << mismatch.what() << " (first run / played again)\n";
    return 1;
  } catch (const ReplayNotWritten& failure) {
    std::cerr << "fuselark3-arena: cannot write a replay: " << failure.what() << "\n";
    return 1;
  }
  return 0;
}
