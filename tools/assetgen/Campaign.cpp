#include "Campaign.h"

namespace fl3::art {
namespace {

constexpr auto Easy = CpuStrength::Easy;
constexpr auto Normal = CpuStrength::Normal;
constexpr auto Hard = CpuStrength::Hard;
constexpr auto DefeatAll = StageRule::DefeatAll;
constexpr auto MostKills = StageRule::MostKills;
constexpr auto Outlast = StageRule::Outlast;

QuestOpponent Rival(CpuStrength strength, std::int32_t lives, std::int32_t character) {
  return {strength, lives, character};
}

}  // namespace

Quest Campaign() {
  Quest quest;
  quest.name = "The Long Fuse";
  quest.about =
      "From a quiet garden to the last gauntlet: sixteen stages on sixteen fields against ever stronger rivals, "
      "who fight each other as hard as they fight you. Three tries; a lost stage is played again.";
  quest.tries = 3;
  // level, rule, players' lives, seconds, kills to score (0: more than every rival), briefing, opponents
  quest.stages = {
      {"GARDEN.FL3", DefeatAll, 5, 0, 0, "A sleepy gardener guards the hedges. Burn your way to him and send him home.",
       {Rival(Easy, 1, 2)}},
      {"ISLANDS.FL3", DefeatAll, 5, 0, 0, "The island keeper is tougher than he looks: two lives, and he knows the shallows.",
       {Rival(Easy, 2, 5)}},
      {"ARENA.FL3", MostKills, 3, 120, 2, "The crowd wants blood. Score two hits in two minutes on the open sand.",
       {Rival(Easy, 3, 3)}},
      {"RIVER.FL3", DefeatAll, 3, 0, 0, "Two ferrymen hold the fords. Cross the river and leave neither standing.",
       {Rival(Easy, 2, 6), Rival(Easy, 2, 7)}},
      {"CAVERN.FL3", Outlast, 3, 120, 0, "Deep in the cavern the miner waits. Last longer than him for two minutes.",
       {Rival(Normal, 3, 5)}},
      {"CHECKER.FL3", DefeatAll, 3, 0, 0, "Pillars everywhere and a robot that counts every step. Out-think it.",
       {Rival(Normal, 2, 4)}},
      {"SUNRISE.FL3", MostKills, 3, 120, 0, "At dawn the desert twins hunt. Hit them more often than either hits anyone.",
       {Rival(Easy, 3, 6), Rival(Normal, 3, 6)}},
      {"BRIDGES.FL3", DefeatAll, 3, 0, 0, "The bridge wardens will not let you pass. Make them.",
       {Rival(Normal, 2, 7), Rival(Easy, 2, 2)}},
      {"MAZE.FL3", Outlast, 4, 150, 0, "Two hunters in the maze. Keep more lives than either when the time runs out.",
       {Rival(Normal, 3, 3), Rival(Normal, 3, 5)}},
      {"CROSSFIRE.FL3", DefeatAll, 3, 0, 0, "Crossfire lives up to its name: two sharpshooters, one field.",
       {Rival(Normal, 2, 4), Rival(Normal, 2, 6)}},
      {"SPIRAL.FL3", MostKills, 3, 150, 0, "The spiral winds inwards. Out-score both of its guards.",
       {Rival(Normal, 3, 2), Rival(Normal, 3, 7)}},
      {"OASIS.FL3", DefeatAll, 3, 0, 0, "The master of the oasis has never lost a duel. There is a first time.",
       {Rival(Hard, 2, 3)}},
      {"FORTRESS.FL3", DefeatAll, 3, 0, 0, "Storm the keep: its captain and his guard stand ready.",
       {Rival(Hard, 2, 5), Rival(Normal, 2, 4)}},
      {"RING.FL3", Outlast, 4, 150, 0, "Round and round the ring. Two masters try to wear you down.",
       {Rival(Hard, 3, 6), Rival(Hard, 3, 2)}},
      {"DUEL.FL3", MostKills, 3, 150, 0, "The duellists' hall: three rivals, one count that matters.",
       {Rival(Hard, 3, 7), Rival(Normal, 3, 3), Rival(Normal, 3, 5)}},
      {"GAUNTLET.FL3", DefeatAll, 4, 0, 0, "The last run. Three masters wait in the gauntlet. Leave none of them standing.",
       {Rival(Hard, 2, 4), Rival(Hard, 2, 6), Rival(Hard, 2, 7)}},
  };
  return quest;
}

}  // namespace fl3::art
