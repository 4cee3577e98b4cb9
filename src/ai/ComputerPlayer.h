#pragma once
#include <array>
#include <cstdint>

#include "ai/CpuRandom.h"
#include "ai/CpuStrength.h"
#include "ai/DangerMap.h"
#include "ai/DigDistance.h"
#include "ai/NetPlanner.h"
#include "ai/PathSearch.h"
#include "match/FigureControls.h"

namespace fl3 {

// A computer player for one figure. It sees what a player sees on screen and
// decides, each frame, the same five controls a player holds. Its chance
// choices come from its own dice, so a match repeats from its seed and inputs.
class ComputerPlayer : public FigureControlSource {
 public:
  ComputerPlayer(CpuStrength strength, std::uint64_t seed);

  FigureControls ControlsFor(const GameState& state, int figure) override;

 private:
  // What a bomb on `cell` would do.
  struct PlantView {
    int boxes = 0;  // worth of the fresh boxes it burns
    int line = 0;   // worth of the figures it catches
    // Steps to the nearest other figure from beside the nearest box it burns.
    int way = ai::DigDistance::kUnreachable;
  };

  void WatchOthers(const GameState& state);
  FigureControls Decide(const GameState& state, int figure);
  bool PlanNet(const GameState& state, int figure, FigureControls& controls);
  FigureControls Flee(const GameState& state, int figure);
  FigureControls Wander();
  int Jitter(int cell) const;
  bool SurvivesAnswer(const GameState& state, int figure);
  bool TryPlant(const GameState& state, int figure, bool fleeing, bool atGoal, FigureControls& controls);
  PlantView ViewPlant(const GameState& state, int figure, int cell) const;
  int PressureWorth(const GameState& state, int figure);
  bool Trapped(const GameState& state, int victim);
  int WayOut(const GameState& state, int figure, int cell, int frame);
  int ChooseGoal(const GameState& state, int figure);
  int GoalValue(const GameState& state, int figure, int cell, bool bombReady) const;
  int BombsInHand(const GameState& state, int figure) const;
  bool Hunting() const;

  CpuStrength strength_;
  ai::CpuRandom random_;
  ai::DangerSight sight_;
  ai::DangerSight plainSight_;  // the same, without the wariness
  ai::DangerMap danger_;
  ai::DangerMap trial_;
  ai::PathSearch paths_;
  ai::PathSearch escape_;
  ai::PathSearch victim_;
  ai::DigDistance dig_;
  ai::NetPlanner nets_;
  ai::NetSearch answer_;

  int goal_ = -1;
  int wanderGoal_ = -1;
  int wanderLeft_ = 0;     // decisions left to wander
  int standingStill_ = 0;  // decisions in a row that chose to stand
  int idleFrames_ = 0;
  int noPlantCell_ = -1;   // a plant here had no way out last time
  int framesSinceNoPlant_ = 0;
  int framesSincePlant_ = 0;
  int calmFrames_ = 0;     // frames since any figure lost a life
  int livesSeen_ = -1;
  std::uint32_t jitter_ = 0;
  // Cells it last aimed at another figure from since a life was lost.
  std::array<std::int16_t, 4> aimedFrom_{-1, -1, -1, -1};
  int aimedNext_ = 0;
  std::array<int, FigureCount> lastCell_{-1, -1, -1, -1};
  std::array<int, FigureCount> stillFrames_{};  // frames each figure has kept its cell
  std::array<bool, CellCount> strongerLines_{};  // the hard player keeps out of these
};

}  // namespace fl3
