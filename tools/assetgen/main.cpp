// Draws every picture and writes every level the game ships into the folder
// given on the command line.
#include <QBuffer>
#include <QByteArray>
#include <filesystem>
#include <exception>
#include <iostream>

#include "AssetCatalogue.h"
#include "core/FileAccess.h"
#include "core/LevelFile.h"

namespace {

fl3::IoResult WriteBmp(const std::filesystem::path& path, const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "BMP")) return fl3::IoResult::Failure("Could not encode " + path.string());
  return fl3::WriteFileAtomically(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

int WriteAll(const std::filesystem::path& folder) {
  for (const auto& picture : fl3::art::AllPictures()) {
    if (auto result = WriteBmp(folder / picture.fileName, picture.draw()); !result) {
      std::cerr << result.reason << "\n";
      return 1;
    }
  }
  for (const auto& level : fl3::art::AllLevels()) {
    if (auto result = fl3::WriteLevelFile(folder / level.fileName, level.level); !result) {
      std::cerr << result.reason << "\n";
      return 1;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: fuselark3-assetgen <game folder>\n";
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    std::cerr << "Cannot create " << folder << ": " << error.message() << "\n";
    return 1;
  }
  try {
    return WriteAll(folder);
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
}
