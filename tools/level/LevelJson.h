#pragma once
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "core/IoResult.h"
#include "core/LevelFile.h"

namespace fl3 {

// The level as level makers read and write it: one JSON object with
// "figures" (four objects of "x", "y", "bombs", "fire"), "tiles" and "items"
// (375 whole numbers each, cell (x, y) at element 25y + x), "tileset",
// "background" and "music".
nlohmann::json LevelToJson(const LevelData& level);

// The same object laid out for reading: one figure per line and the grids
// in rows of 25, as they stand on the field.
std::string FormatLevelJson(const LevelData& level);

// Refuses a missing key, a wrong type, a grid of the wrong size, a number
// beyond 32 bits or a music name with characters a level file cannot hold;
// `level` is changed only on success. A longer music name is cut to 256
// characters when the level is written.
IoResult LevelFromJson(const nlohmann::json& json, LevelData& level);
IoResult LevelFromJsonText(std::string_view text, LevelData& level);

}  // namespace fl3
