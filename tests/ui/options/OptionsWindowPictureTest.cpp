#include <QImage>
#include <cstdlib>

#include "OptionsWindowBench.h"

namespace fl3::testing {
namespace {

// Also the way to picture the window: with FUSELARK3_OPTIONS_PICTURE set to a
// file name, the grab is written there as PNG (scripts/options-window-picture.sh).
TEST(OptionsKeyClashes, AKeyChosenTwiceIsDrawnWarmAndNamedOnEveryListInvolvedUntilItIsMovedAway) {
  OptionsWindowBench bench;
  bench.temp.Write("0.FLK3", "203\r\n200\r\n205\r\n208\r\n157\r\n");
  bench.temp.Write("1.FLK3", "30\r\n17\r\n32\r\n31\r\n16\r\n");
  bench.temp.Write("2.FLK3", "75\r\n72\r\n77\r\n80\r\n157\r\n");
  bench.temp.Write("MISC.OPT", "15\r\n-35\r\n0\r\n");
  for (const char* tune : {"BATTLE.MID", "CAVERN.MID", "SUNRISE.MID"}) bench.temp.Write(tune, "x");
  bench.StartAndOpen();
  bench.Find<QComboBox>("listMusic")->setCurrentIndex(1);
  const QImage picture = bench.window->grab().toImage();
  if (const char* target = std::getenv("FUSELARK3_OPTIONS_PICTURE")) {
    EXPECT_TRUE(picture.save(QString::fromLocal8Bit(target), "PNG")) << target;
  }
  EXPECT_EQ(picture.size(), QSize(681, 394));  // nothing below the row of the buttons that leave it
  // Styles shade the warm colour, so no exact value; the grey of other
  // lists has none.
  const auto warmth = [&](int player, int slot) {
    QComboBox* list = bench.KeyList(player, slot);
    const QColor colour = picture.pixelColor(list->mapTo(bench.window.get(), QPoint(40, list->height() / 2)));
    return colour.red() - colour.blue();
  };
  EXPECT_GT(warmth(3, 4), 60);
  EXPECT_GT(warmth(1, 4), 60);
  EXPECT_LT(std::abs(warmth(3, 3)), 10);
  EXPECT_LT(std::abs(warmth(2, 4)), 10);

  const auto tip = [&](int player, int slot) { return bench.KeyList(player, slot)->toolTip().toStdString(); };
  const auto marked = [&](int player, int slot) { return bench.KeyList(player, slot)->property("keyClash").toBool(); };
  EXPECT_EQ(tip(1, 4), "Same key as: Player #3 Plant");
  EXPECT_EQ(tip(3, 4), "Same key as: Player #1 Plant");
  EXPECT_EQ(tip(1, 0), "");
  bench.Choose(3, 4, "Left");
  bench.Choose(3, 0, "Left");
  EXPECT_FALSE(marked(1, 4));
  EXPECT_TRUE(marked(1, 0));
  EXPECT_EQ(tip(1, 0), "Same key as: Player #3 Left, Player #3 Plant");
  EXPECT_EQ(tip(3, 0), "Same key as: Player #1 Left, Player #3 Plant");
  bench.Choose(3, 4, "Spacebar");
  bench.Choose(3, 0, "Tab");
  for (auto [player, slot] : {std::pair{1, 0}, std::pair{3, 0}, std::pair{3, 4}}) {
    EXPECT_FALSE(marked(player, slot));
    EXPECT_EQ(tip(player, slot), "");
  }
  EXPECT_EQ(bench.KeyList(1, 0)->palette().color(QPalette::Button),
            bench.KeyList(1, 1)->palette().color(QPalette::Button));
}

}  // namespace
}  // namespace fl3::testing
