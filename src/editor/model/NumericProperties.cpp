#include "editor/model/NumericProperties.h"

#include <optional>

#include "core/GameState.h"
#include "editor/model/EditorModel.h"
#include "editor/model/PropertyNumber.h"

namespace fl3 {

const std::array<PropertyRow, kPropertyCount> kPropertyRows = {{
    {"Level TileSet : ", "A*.BMP"},
    {"Level Background :", "B*.BMP  -1 = none (faster)"},
    {"P#1 Starting X Pos. :", "0 ~ 24"},
    {"P#1 Starting Y Pos. :", "0 ~ 24"},
    {"P#2 Starting X Pos. :", "0 ~ 24"},
    {"P#2 Starting Y Pos. :", "0 ~ 24"},
    {"P#3 Starting X Pos. :", "0 ~ 24  50 = can't play"},
    {"P#3 Starting Y Pos. :", "0 ~ 24  50 = can't play"},
    {"P#4 Starting X Pos. :", "0 ~ 24  50 = can't play"},
    {"P#4 Starting Y Pos. :", "0 ~ 24  50 = can't play"},
    {"P#1 Starting Fire :", ""},
    {"P#1 Starting Bombs :", ""},
    {"P#2 Starting Fire :", ""},
    {"P#2 Starting Bombs :", ""},
    {"P#3 Starting Fire :", ""},
    {"P#3 Starting Bombs :", ""},
    {"P#4 Starting Fire :", ""},
    {"P#4 Starting Bombs :", ""},
}};

NumericProperties::NumericProperties(EditorModel& editor) : editor_(editor) {}

std::int32_t& NumericProperties::Value(int row) const {
  if (row == 0) return editor_.TileSetNumber;
  if (row == 1) return editor_.BackgroundNumber;
  // Rows 2..9: X and Y of each figure; rows 10..17: fire and bombs of each.
  if (row < 10) {
    Character& figure = editor_.State().Characters[static_cast<std::size_t>((row - 2) / 2)];
    return row % 2 == 0 ? figure.X : figure.Y;
  }
  Character& figure = editor_.State().Characters[static_cast<std::size_t>((row - 10) / 2)];
  return row % 2 == 0 ? figure.PowerFire : figure.PowerBombs;
}

std::array<std::string, kPropertyCount> NumericProperties::CurrentTexts() const {
  std::array<std::string, kPropertyCount> texts;
  for (int row = 0; row < kPropertyCount; ++row) texts[static_cast<std::size_t>(row)] = std::to_string(Value(row));
  return texts;
}

bool NumericProperties::TextsChanged(const std::array<std::string, kPropertyCount>& texts) {
  if (NumericLoading) return false;
  std::array<std::int32_t, kPropertyCount> values{};
  for (std::size_t row = 0; row < texts.size(); ++row) {
    const std::optional<std::int32_t> value = ParsePropertyNumber(texts[row]);
    if (!value) {
      warned_ = true;
      return false;
    }
    values[row] = *value;
  }
  // All or nothing: every box is taken over, changed or not.
  for (int row = 0; row < kPropertyCount; ++row) Value(row) = values[static_cast<std::size_t>(row)];
  editor_.FileChanged = true;
  return true;
}

}  // namespace fl3
