#include <QImage>
#include <QPixmap>
#include <cstdlib>

#include "OptionsWindowTestSupport.h"

namespace fl3::testing {
namespace {

using OptionsPicture = OptionsWindowFixture;

// Also the way to picture the window: with FUSELARK3_OPTIONS_PICTURE set to a
// file name, the grab is written there as PNG (scripts/options-window-picture.sh).
TEST_F(OptionsPicture, WindowDrawsItsWholeClientAreaWithClashingKeysInAWarmColour) {
  folder.Write("0.FLK3", "203\r\n200\r\n205\r\n208\r\n157\r\n");
  folder.Write("1.FLK3", "30\r\n17\r\n32\r\n31\r\n16\r\n");
  folder.Write("2.FLK3", "75\r\n72\r\n77\r\n80\r\n157\r\n");
  folder.Write("MISC.OPT", "15\r\n-35\r\n0\r\n");
  for (const char* tune : {"BATTLE.MID", "CAVERN.MID", "SUNRISE.MID"}) folder.Write(tune, "x");
  StartAndOpen();
  Find<QComboBox>("listMusic")->setCurrentIndex(1);

  const QImage picture = window->grab().toImage();
  EXPECT_EQ(picture.size(), QSize(453, 443));
  // The clash of player 1's and player 3's plant keys shows in a warm colour
  // (styles shade it, so no exact value); the grey of other lists has none.
  const auto warmth = [&](int player, int slot) {
    QComboBox* list = KeyList(player, slot);
    const QPoint inside = list->mapTo(window.get(), QPoint(40, list->height() / 2));
    const QColor colour = picture.pixelColor(inside);
    return colour.red() - colour.blue();
  };
  EXPECT_GT(warmth(3, 4), 60);
  EXPECT_GT(warmth(1, 4), 60);
  EXPECT_LT(std::abs(warmth(3, 3)), 10);
  EXPECT_LT(std::abs(warmth(2, 4)), 10);

  if (const char* target = std::getenv("FUSELARK3_OPTIONS_PICTURE")) {
    EXPECT_TRUE(picture.save(QString::fromLocal8Bit(target), "PNG")) << target;
  }
}

}  // namespace
}  // namespace fl3::testing
