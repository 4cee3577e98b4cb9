#pragma once
#include <QImage>
#include <functional>
#include <string>
#include <vector>

#include "core/LevelFile.h"

namespace fl3::art {

struct PictureFile {
  std::string fileName;
  std::function<QImage()> draw;  // 24-bit, colour keys exact
};

struct LevelFileAsset {
  std::string fileName;
  LevelData level;
};

// Every picture the game folder needs, in a fixed order.
std::vector<PictureFile> AllPictures();
// The levels shipped with the game.
std::vector<LevelFileAsset> AllLevels();

}  // namespace fl3::art
