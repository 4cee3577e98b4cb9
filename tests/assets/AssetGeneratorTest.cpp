#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "GameFolderPictures.h"
#include "TempFolder.h"

namespace fl3::testing {
namespace {

int RunGenerator(const QStringList& arguments) {
  QProcess generator;
  generator.start(QStringLiteral(FUSELARK3_ASSETGEN), arguments);
  if (!generator.waitForFinished(120000)) return -1;
  return generator.exitStatus() == QProcess::NormalExit ? generator.exitCode() : -1;
}

std::map<std::string, std::string> Contents(const TempFolder& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    const std::string name = entry.path().filename().string();
    files[name] = folder.Read(name);
  }
  return files;
}

TEST(AssetGenerator, DrawsTheSameBytesEveryTime) {
  TempFolder first, second;
  ASSERT_EQ(RunGenerator({QString::fromStdString(first.Path().string())}), 0);
  ASSERT_EQ(RunGenerator({QString::fromStdString(second.Path().string())}), 0);
  const auto a = Contents(first), b = Contents(second);
  EXPECT_GE(a.size(), 32u);
  ASSERT_EQ(a.size(), b.size());
  for (const auto& [name, bytes] : a) {
    ASSERT_TRUE(b.count(name)) << name;
    EXPECT_TRUE(bytes == b.at(name)) << name << " differs between runs";
  }
  // And it is what the build put into the game folder.
  for (const auto& [name, bytes] : a) {
    std::ifstream in(GameDir() / name, std::ios::binary);
    const std::string built((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(bytes == built) << name << " in the game folder is out of date";
  }
}

TEST(AssetGenerator, ReportsWhatItCannotDo) {
  EXPECT_EQ(RunGenerator({}), 2);
  // A plain file where the folder should be: it stops with an error.
  TempFolder folder;
  const auto blocker = folder.Write("NOT A FOLDER", "x");
  EXPECT_EQ(RunGenerator({QString::fromStdString(blocker.string())}), 1);
  EXPECT_EQ(folder.Read("NOT A FOLDER"), "x");
}

}  // namespace
}  // namespace fl3::testing
