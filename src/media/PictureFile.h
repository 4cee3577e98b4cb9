#pragma once
#include <QImage>
#include <filesystem>

namespace fl3 {

// No picture the game ships or expects is larger than this on either side;
// a file declaring more is not one of ours, however small it is on disk.
inline constexpr int kLargestPictureSide = 1024;

enum class PictureProblem {
  None,
  Unreadable,  // missing, not a picture, or damaged
  TooLarge,    // its header declares more than kLargestPictureSide
};

struct PictureRead {
  QImage image;  // null unless problem is None
  PictureProblem problem = PictureProblem::Unreadable;
};

// Reads a picture file (BMP, or anything Qt reads). The size its header
// declares is checked before any pixel is decoded, so a tiny file cannot make
// the game allocate hundreds of megabytes. `format` forces a decoder ("BMP").
PictureRead ReadPicture(const std::filesystem::path& file, const char* format = nullptr);

// Whether the file can serve as a picture: the same test ReadPicture makes.
bool IsUsablePicture(const std::filesystem::path& file);

}  // namespace fl3
