#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace fl3 {

class EditorModel;

inline constexpr int kPropertyCount = 18;

struct PropertyRow {
  const char* label;
  const char* hint;  // empty when the row has none
};
extern const std::array<PropertyRow, kPropertyCount> kPropertyRows;

inline constexpr const char* kNumericTitle = "Extended Level Properties (Numerical)";
inline constexpr const char* kNumericWarningTitle = "!!Something not numerical, all will fail if not fixed!!";

// The numeric property dialog without its window: eighteen boxes of text
// that are taken over all together, and only when every one is a number.
class NumericProperties {
 public:
  explicit NumericProperties(EditorModel& editor);

  // The boxes' texts as the dialog opens: each value in decimal.
  std::array<std::string, kPropertyCount> CurrentTexts() const;

  // Any box changed. Returns true when the values were taken over.
  bool TextsChanged(const std::array<std::string, kPropertyCount>& texts);

  // Once warned, the title stays warned until the dialog is opened again.
  const char* Title() const { return warned_ ? kNumericWarningTitle : kNumericTitle; }

  // True while the dialog fills its boxes; changes are then not taken over.
  bool NumericLoading = false;

 private:
  std::int32_t& Value(int row) const;

  EditorModel& editor_;
  bool warned_ = false;
};

}  // namespace fl3
