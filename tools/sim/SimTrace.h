#pragma once
#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

#include "core/GameState.h"
#include "match/DrawList.h"
#include "match/MatchFrame.h"

namespace fl3::sim {

// The trace's first line.
nlohmann::ordered_json HeaderLine(std::int32_t tileSet, std::int32_t background);

// What the match looks like after frame `frame`; with `draws` also the
// frame's draw list.
nlohmann::ordered_json FrameLine(int frame, const GameState& state, const FrameOutcome& outcome,
                                 const DrawList* draws);

// "tile:N", "background", "font", "char:I:S:D", "win:I".
std::string PictureName(const PictureRef& picture);
// Upper-case "RRGGBB".
std::string ColourText(std::uint32_t colour);

}  // namespace fl3::sim
