#include "match/ControlFrame.h"

namespace fl3 {

std::uint32_t PackFigure(const FigureControls& controls) {
  return static_cast<std::uint32_t>(controls.left) | static_cast<std::uint32_t>(controls.up) << 1 |
         static_cast<std::uint32_t>(controls.right) << 2 | static_cast<std::uint32_t>(controls.down) << 3 |
         static_cast<std::uint32_t>(controls.plant) << 4;
}

FigureControls UnpackFigure(std::uint32_t bits) {
  return {(bits & 1u) != 0, (bits & 2u) != 0, (bits & 4u) != 0, (bits & 8u) != 0, (bits & 16u) != 0};
}

std::uint32_t ControlFrame::Pack() const {
  std::uint32_t bits = 0;
  for (int i = 0; i < FigureCount; ++i) bits |= PackFigure(figures[static_cast<std::size_t>(i)]) << (5 * i);
  if (escape) bits |= 1u << (5 * FigureCount);
  return bits;
}

ControlFrame ControlFrame::Unpack(std::uint32_t bits, std::int32_t frameTimeMs) {
  ControlFrame frame;
  for (int i = 0; i < FigureCount; ++i) frame.figures[static_cast<std::size_t>(i)] = UnpackFigure(bits >> (5 * i));
  frame.escape = (bits >> (5 * FigureCount) & 1u) != 0;
  frame.frameTimeMs = frameTimeMs;
  return frame;
}

}  // namespace fl3
