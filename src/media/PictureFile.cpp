#include "media/PictureFile.h"

#include <QImageReader>
#include <QString>

namespace fl3 {
namespace {

// The largest picture as 32-bit pixels, with room to spare; a backstop for
// decoders that cannot tell their size in advance.
constexpr int kAllocationLimitMegabytes = 8;

bool WithinBound(const QSize& size) {
  return size.width() <= kLargestPictureSide && size.height() <= kLargestPictureSide;
}

}  // namespace

PictureRead ReadPicture(const std::filesystem::path& file, const char* format) {
  QImageReader reader(QString::fromStdString(file.string()), format);
  reader.setAllocationLimit(kAllocationLimitMegabytes);
  if (!reader.canRead()) return {};
  const QSize declared = reader.size();
  if (declared.isValid() && !WithinBound(declared)) return {QImage(), PictureProblem::TooLarge};
  QImage image = reader.read();
  if (image.isNull()) return {};
  if (!WithinBound(image.size())) return {QImage(), PictureProblem::TooLarge};
  return {std::move(image), PictureProblem::None};
}

bool IsUsablePicture(const std::filesystem::path& file) { return ReadPicture(file).problem == PictureProblem::None; }

}  // namespace fl3
