// Opens the start screen on the built game folder with its generated
// pictures, checks what it shows and keeps a picture of it for the docs.
#include <QImage>
#include <QTest>
#include <cstdlib>

#include "StartScreenFixture.h"

namespace fl3::testing {
namespace {

QImage ReadPicture(const GameFolder& folder, const char* name) {
  const auto path = folder.Find(name);
  return path ? QImage(QString::fromStdString(path->string())) : QImage();
}

// True when every pixel of `block` equals the area of `picture` at `origin`.
bool ShowsBlock(const QImage& picture, const QImage& block, QPoint origin) {
  for (int y = 0; y < block.height(); ++y) {
    for (int x = 0; x < block.width(); ++x) {
      if (picture.pixel(origin.x() + x, origin.y() + y) != block.pixel(x, y)) return false;
    }
  }
  return true;
}

TEST_F(StartScreenTest, ShowsTheGeneratedGameFolder) {
  const char* gameDir = std::getenv("FUSELARK3_GAME_DIR");
  if (gameDir == nullptr) GTEST_SKIP() << "FUSELARK3_GAME_DIR is not set";
  const GameFolder built{std::filesystem::path(gameDir)};
  const QImage sheet = ReadPicture(built, "C.BMP");
  if (sheet.isNull()) GTEST_SKIP() << "the game folder holds no generated pictures yet";

  frmStart screen(state, built, messages);
  EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text;
  ASSERT_TRUE(screen.CharacterSheetLoaded());
  EXPECT_GT(screen.listLevel()->count(), 1) << "no levels in the game folder";
  screen.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
  const QImage shot = screen.grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shot.size(), QSize(312, 296));

  const QImage rgbSheet = sheet.convertToFormat(QImage::Format_RGB32);
  const int columns[] = {4, 40, 76, 112};
  for (int i = 0; i < FigureCount; ++i) {
    EXPECT_TRUE(ShowsBlock(shot, rgbSheet.copy(288, 64 * i, 32, 64), QPoint(columns[i], 132))) << "portrait " << i;
  }
  const QImage title = ReadPicture(built, "TITLE.BMP");
  if (!title.isNull()) {
    EXPECT_TRUE(ShowsBlock(shot, title.convertToFormat(QImage::Format_RGB32).copy(0, 0, 312, 108), QPoint(0, 0)));
  }

  // Kept next to the game folder, in the build directory.
  const auto target = std::filesystem::path(gameDir).parent_path() / "start-screen.png";
  EXPECT_TRUE(shot.save(QString::fromStdString(target.string()), "PNG"));
}

}  // namespace
}  // namespace fl3::testing
