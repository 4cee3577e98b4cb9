#pragma once
#include <array>
#include <cstdint>

#include "ai/CpuRandom.h"
#include "ai/DigDistance.h"
#include "match/FigureControls.h"

namespace fl3::arena {

// A simple, aggressive player: walks straight at the nearest figure (burning
// a box that bars the way), plants once that figure is in line within its
// reach, never walks into a bomb's line, and runs from a bomb only back along
// the way it came; so it plants only where that way leads out of the blast.
// Stuck at a box it cannot burn so, it takes a few steps aside.
class HunterBot : public FigureControlSource {
 public:
  explicit HunterBot(std::uint64_t seed) : random_(seed) {}

  FigureControls ControlsFor(const GameState& state, int figure) override;

 private:
  static constexpr int kTrailCells = 32;

  void Arrive(int cell);
  int Behind(int back) const;
  bool CanGetBack(const GameState& state, int here, int reach) const;
  FigureControls Retreat(int here);
  FigureControls Advance(const GameState& state, int figure, int here);
  FigureControls StepAside(const GameState& state, int here);

  ai::CpuRandom random_;
  ai::DigDistance dig_;
  // The cells it came through, the last one on top; the oldest drop out.
  std::array<std::int16_t, kTrailCells> trail_{};
  int trailTop_ = 0;
  int trailSize_ = 0;
  int cell_ = -1;
  int backingTo_ = -1;  // the trail's cell it is stepping back to
  int stuck_ = 0;       // decisions in a row it neither moved nor planted
  int asideLeft_ = 0;   // steps aside still to take
};

}  // namespace fl3::arena
