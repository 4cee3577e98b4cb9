#pragma once
#include <QImage>
#include <QPixmap>

namespace fl3 {

class GameFolder;

// The character sheet "C.BMP": one character per row of 64 pixels, its
// portrait the 32 x 64 block at x = 288 of the row.
class StartCharacterSheet {
 public:
  static constexpr int kRowHeight = 64;
  static constexpr int kPortraitX = 288;
  static constexpr int kPortraitWidth = 32;
  // Every figure needs a row of its own and the portrait block must exist.
  static constexpr int kMinimumRows = 4;
  static constexpr int kMinimumWidth = kPortraitX + kPortraitWidth;

  // False when the file is missing, unreadable or too small to serve four
  // figures; the sheet then stays empty.
  bool Load(const GameFolder& folder);
  bool Loaded() const { return !sheet_.isNull(); }
  int Rows() const { return sheet_.height() / kRowHeight; }
  QPixmap Portrait(int row) const;

 private:
  QImage sheet_;
};

}  // namespace fl3
