#include "LevelJson.h"

#include <cstdint>
#include <limits>
#include <optional>

#include "core/CodePage1252.h"

namespace fl3 {
namespace {

using nlohmann::json;

std::optional<std::int32_t> AsInt32(const json& value) {
  constexpr std::int64_t kLow = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kHigh = std::numeric_limits<std::int32_t>::max();
  if (value.is_number_unsigned()) {
    const auto number = value.get<std::uint64_t>();
    if (number <= static_cast<std::uint64_t>(kHigh)) return static_cast<std::int32_t>(number);
  } else if (value.is_number_integer()) {
    const auto number = value.get<std::int64_t>();
    if (number >= kLow && number <= kHigh) return static_cast<std::int32_t>(number);
  }
  return std::nullopt;
}

IoResult Missing(const std::string& where) { return IoResult::Failure("missing key \"" + where + "\""); }

IoResult NotWholeNumber(const std::string& where) {
  return IoResult::Failure("\"" + where + "\" must be a whole number from -2147483648 to 2147483647");
}

IoResult ReadNumber(const json& object, const char* key, const std::string& where, std::int32_t& out) {
  const auto found = object.find(key);
  if (found == object.end()) return Missing(where);
  const auto number = AsInt32(*found);
  if (!number) return NotWholeNumber(where);
  out = *number;
  return IoResult::Success();
}

IoResult ReadFigure(const json& figure, const std::string& where, FigureStart& out) {
  if (!figure.is_object()) return IoResult::Failure("\"" + where + "\" must be an object");
  if (IoResult r = ReadNumber(figure, "x", where + ".x", out.X); !r) return r;
  if (IoResult r = ReadNumber(figure, "y", where + ".y", out.Y); !r) return r;
  if (IoResult r = ReadNumber(figure, "bombs", where + ".bombs", out.PowerBombs); !r) return r;
  return ReadNumber(figure, "fire", where + ".fire", out.PowerFire);
}

IoResult ReadFigures(const json& object, LevelData& level) {
  const auto found = object.find("figures");
  if (found == object.end()) return Missing("figures");
  if (!found->is_array() || found->size() != level.Figures.size()) {
    return IoResult::Failure("\"figures\" must be an array of 4 objects");
  }
  for (std::size_t i = 0; i < level.Figures.size(); ++i) {
    if (IoResult r = ReadFigure((*found)[i], "figures[" + std::to_string(i) + "]", level.Figures[i]); !r) return r;
  }
  return IoResult::Success();
}

IoResult ReadGrid(const json& object, const char* key, CellGrid& grid) {
  const auto found = object.find(key);
  if (found == object.end()) return Missing(key);
  if (!found->is_array() || found->size() != grid.size()) {
    std::string what = "\"" + std::string(key) + "\" must be an array of 375 whole numbers";
    if (found->is_array()) what += " (it has " + std::to_string(found->size()) + ")";
    return IoResult::Failure(what);
  }
  for (std::size_t i = 0; i < grid.size(); ++i) {
    const auto number = AsInt32((*found)[i]);
    if (!number) return NotWholeNumber(std::string(key) + "[" + std::to_string(i) + "]");
    grid[i] = *number;
  }
  return IoResult::Success();
}

IoResult ReadMusic(const json& object, std::string& music) {
  const auto found = object.find("music");
  if (found == object.end()) return Missing("music");
  if (!found->is_string()) return IoResult::Failure("\"music\" must be a string");
  const auto& name = found->get_ref<const std::string&>();
  if (Cp1252ToUtf8(Utf8ToCp1252(name)) != name) {
    return IoResult::Failure("\"music\" holds a character that a level file cannot store (Windows-1252 only)");
  }
  music = name;
  return IoResult::Success();
}

std::string NumberList(const CellGrid& grid) {
  std::string text;
  for (std::size_t i = 0; i < grid.size(); ++i) {
    text += i % MapWidth == 0 ? "\n    " : " ";
    text += std::to_string(grid[i]);
    if (i + 1 < grid.size()) text += ",";
  }
  return text + "\n  ";
}

}  // namespace

json LevelToJson(const LevelData& level) {
  json figures = json::array();
  for (const FigureStart& figure : level.Figures) {
    figures.push_back({{"x", figure.X}, {"y", figure.Y}, {"bombs", figure.PowerBombs}, {"fire", figure.PowerFire}});
  }
  return {{"figures", figures},
          {"tiles", level.TileMap},
          {"items", level.ItemMap},
          {"tileset", level.TileSetNumber},
          {"background", level.BackgroundNumber},
          {"music", level.LevelMusic}};
}

std::string FormatLevelJson(const LevelData& level) {
  std::string text = "{\n  \"figures\": [";
  for (std::size_t i = 0; i < level.Figures.size(); ++i) {
    const FigureStart& figure = level.Figures[i];
    text += "\n    {\"x\": " + std::to_string(figure.X) + ", \"y\": " + std::to_string(figure.Y) +
            ", \"bombs\": " + std::to_string(figure.PowerBombs) + ", \"fire\": " + std::to_string(figure.PowerFire) + "}";
    if (i + 1 < level.Figures.size()) text += ",";
  }
  text += "\n  ],\n  \"tiles\": [" + NumberList(level.TileMap) + "],\n";
  text += "  \"items\": [" + NumberList(level.ItemMap) + "],\n";
  text += "  \"tileset\": " + std::to_string(level.TileSetNumber) + ",\n";
  text += "  \"background\": " + std::to_string(level.BackgroundNumber) + ",\n";
  text += "  \"music\": " + json(level.LevelMusic).dump(-1, ' ', false, json::error_handler_t::replace) + "\n}\n";
  return text;
}

IoResult LevelFromJson(const json& object, LevelData& level) {
  if (!object.is_object()) return IoResult::Failure("the JSON must be one object");
  LevelData read;
  if (IoResult r = ReadFigures(object, read); !r) return r;
  if (IoResult r = ReadGrid(object, "tiles", read.TileMap); !r) return r;
  if (IoResult r = ReadGrid(object, "items", read.ItemMap); !r) return r;
  if (IoResult r = ReadNumber(object, "tileset", "tileset", read.TileSetNumber); !r) return r;
  if (IoResult r = ReadNumber(object, "background", "background", read.BackgroundNumber); !r) return r;
  if (IoResult r = ReadMusic(object, read.LevelMusic); !r) return r;
  level = std::move(read);
  return IoResult::Success();
}

IoResult LevelFromJsonText(std::string_view text, LevelData& level) {
  json parsed;
  try {
    parsed = json::parse(text);
  } catch (const json::exception& error) {
    std::string what = error.what();
    // Drop the library's "[json.exception.parse_error.101] " tag.
    if (const auto tagEnd = what.find("] "); !what.empty() && what.front() == '[' && tagEnd != std::string::npos) {
      what.erase(0, tagEnd + 2);
    }
    return IoResult::Failure("not valid JSON: " + what);
  }
  return LevelFromJson(parsed, level);
}

}  // namespace fl3
