#include "ui/start/StartCharacterSheet.h"

#include "core/GameFolder.h"
#include "media/PictureFile.h"

namespace fl3 {

bool StartCharacterSheet::Load(const GameFolder& folder) {
  sheet_ = QImage();
  const auto path = folder.Find("C.BMP");
  if (!path) return false;
  QImage image = ReadPicture(*path, "BMP").image;
  if (image.isNull() || image.width() < kMinimumWidth || image.height() / kRowHeight < kMinimumRows) return false;
  sheet_ = std::move(image);
  return true;
}

QPixmap StartCharacterSheet::Portrait(int row) const {
  return QPixmap::fromImage(sheet_.copy(kPortraitX, kRowHeight * row, kPortraitWidth, kRowHeight));
}

}  // namespace fl3
