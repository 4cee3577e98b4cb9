#pragma once
#include <array>
#include <cstdint>

#include "core/GameState.h"
#include "match/FigureControls.h"

namespace fl3 {

// Everything from outside that one frame of a match depends on: what each
// figure held, whether Escape was held, and how long the frame took. Replays
// store these and the network carries them; the keyboard, pads and computer
// players all end up here before the rules see them.
struct ControlFrame {
  static constexpr std::int32_t kNetworkFrameMs = 51;
  // Bits used by Pack: five a figure, then Escape.
  static constexpr int kPackedBits = FigureCount * 5 + 1;

  std::array<FigureControls, FigureCount> figures{};
  bool escape = false;
  std::int32_t frameTimeMs = kNetworkFrameMs;

  // The controls and Escape as bits: figure i's left, up, right, down, plant
  // at bits 5i..5i+4, Escape at bit 20. The frame time is not packed.
  std::uint32_t Pack() const;
  // The inverse of Pack; bits above kPackedBits are ignored.
  static ControlFrame Unpack(std::uint32_t bits, std::int32_t frameTimeMs);

  friend bool operator==(const ControlFrame&, const ControlFrame&) = default;
};

// One figure's five controls as the five bits Pack uses for it.
std::uint32_t PackFigure(const FigureControls& controls);
FigureControls UnpackFigure(std::uint32_t bits);

// Plays back one control frame: every figure holds what the frame says.
class RecordedControls : public FigureControlSource {
 public:
  explicit RecordedControls(const ControlFrame& frame) : frame_(frame) {}
  FigureControls ControlsFor(const GameState&, int figure) override {
    return frame_.figures[static_cast<std::size_t>(figure)];
  }

 private:
  const ControlFrame& frame_;
};

}  // namespace fl3
