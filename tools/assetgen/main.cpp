// Draws every picture and writes every level and the campaign the game ships
// into the folder given on the command line; with --icons, the program's icons
// instead, in the <n>x<n>/apps layout of the desktop's icon theme.
#include <QBuffer>
#include <QByteArray>
#include <filesystem>
#include <exception>
#include <iostream>

#include "AppIcon.h"
#include "AssetCatalogue.h"
#include "Campaign.h"
#include "core/FileAccess.h"
#include "core/GameFolder.h"
#include "core/LevelFile.h"
#include "quest/QuestFile.h"

namespace {

fl3::IoResult WriteImage(const std::filesystem::path& path, const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, format)) return fl3::IoResult::Failure("Could not encode " + path.string());
  return fl3::WriteFileAtomically(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

int WriteIcons(const std::filesystem::path& folder) {
  for (const int size : fl3::art::AppIconSizes) {
    const std::string edge = std::to_string(size);
    const auto apps = folder / (edge + "x" + edge) / "apps";
    std::error_code error;
    std::filesystem::create_directories(apps, error);
    if (auto result = WriteImage(apps / "fuselark3.png", fl3::art::DrawAppIcon(size), "PNG"); !result) {
      std::cerr << result.reason << "\n";
      return 1;
    }
  }
  return 0;
}

// Checked against the levels just written as the game will read it, so that a
// stage the game would refuse fails the build instead.
int WriteCampaign(const std::filesystem::path& folder) {
  const fl3::Quest campaign = fl3::art::Campaign();
  const fl3::GameFolder written(folder);
  fl3::IoResult result = fl3::CheckQuest(campaign, fl3::kCampaignFileName, fl3::LevelsOf(written));
  if (result) result = fl3::WriteFileAtomically(folder / fl3::kCampaignFileName, fl3::WriteQuestText(campaign));
  if (!result) std::cerr << result.reason << "\n";
  return result ? 0 : 1;
}

int WriteAll(const std::filesystem::path& folder) {
  for (const auto& picture : fl3::art::AllPictures()) {
    if (auto result = WriteImage(folder / picture.fileName, picture.draw(), "BMP"); !result) {
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
  return WriteCampaign(folder);
}

}  // namespace

int main(int argc, char** argv) {
  const bool icons = argc == 3 && std::string_view(argv[1]) == "--icons";
  if (argc != 2 && !icons) {
    std::cerr << "usage: fuselark3-assetgen <game folder>\n"
                 "       fuselark3-assetgen --icons <icon folder>\n";
    return 2;
  }
  const std::filesystem::path folder = argv[icons ? 2 : 1];
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    std::cerr << "Cannot create " << folder << ": " << error.message() << "\n";
    return 1;
  }
  try {
    return icons ? WriteIcons(folder) : WriteAll(folder);
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
}
