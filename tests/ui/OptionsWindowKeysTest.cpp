#include <QGroupBox>

#include "OptionsWindowTestSupport.h"

namespace fl3::testing {
namespace {

using OptionsKeys = OptionsWindowFixture;

// Arrows and Right Ctrl, as a player would save them.
constexpr const char* kArrowKeys = "203\r\n200\r\n205\r\n208\r\n157\r\n";

TEST_F(OptionsKeys, FirstRunShowsNoKeysChoosingOneChangesThatKeyAtOnceAndALaterOpeningKeepsIt) {
  StartAndOpen();
  for (int player = 1; player <= 4; ++player) {
    for (int slot = 0; slot < 5; ++slot) {
      EXPECT_EQ(KeyList(player, slot)->count(), 256);
      EXPECT_EQ(KeyList(player, slot)->currentIndex(), 0);
      EXPECT_EQ(ShownKey(player, slot), "Unknoun Key") << player << "/" << slot;
      EXPECT_FALSE(KeyList(player, slot)->property("keyClash").toBool());
    }
  }
  // A list position is the key code.
  EXPECT_EQ(KeyList(2, 3)->itemText(86).toStdString(), "F13");

  Choose(3, 0, "Left");
  EXPECT_EQ(state.Characters[2].Keys.keyLeft, 203);
  EXPECT_EQ(state.Characters[2].Keys, (KeyLayout{203, 0, 0, 0, 0}));
  for (int other : {0, 1, 3}) EXPECT_EQ(state.Characters[static_cast<std::size_t>(other)].Keys, KeyLayout{});

  Choose(3, 4, "Spacebar");
  Choose(1, 1, "W");
  EXPECT_EQ(state.Characters[2].Keys, (KeyLayout{203, 0, 0, 0, 57}));
  EXPECT_EQ(state.Characters[0].Keys, (KeyLayout{0, 17, 0, 0, 0}));
  EXPECT_FALSE(gameFolder.Exists("2.FLK3"));

  // Shown again later, the window holds what it showed, lists not refilled.
  Press("buttonClose");
  ASSERT_FALSE(window->isVisible());
  Reopen();
  EXPECT_EQ(ShownKey(3, 4), "Spacebar");
  EXPECT_EQ(KeyList(3, 4)->count(), 256);
}

TEST_F(OptionsKeys, ListsShowTheKeysReadAtStartUp) {
  folder.Write("0.FLK3", kArrowKeys);
  folder.Write("3.FLK3", "30\r\n17\r\n32\r\n31\r\n16\r\n");
  StartAndOpen();
  const char* player1[] = {"Left", "Up", "Right", "Down", "Right CTRL key"};
  const char* player4[] = {"A", "W", "D", "S", "Q"};
  for (int slot = 0; slot < 5; ++slot) {
    EXPECT_EQ(ShownKey(1, slot), player1[slot]);
    EXPECT_EQ(ShownKey(2, slot), "Unknoun Key");
    EXPECT_EQ(ShownKey(4, slot), player4[slot]);
  }
}

TEST_F(OptionsKeys, KeyChosenTwiceIsMarkedOnEveryListInvolved) {
  folder.Write("0.FLK3", kArrowKeys);
  folder.Write("1.FLK3", "30\r\n17\r\n32\r\n31\r\n157\r\n");
  StartAndOpen();
  // Read from the files: both players plant with Right CTRL.
  EXPECT_EQ(KeyList(1, 4)->toolTip().toStdString(), "Same key as: Player #2 Plant");
  EXPECT_EQ(KeyList(2, 4)->toolTip().toStdString(), "Same key as: Player #1 Plant");
  EXPECT_FALSE(KeyList(1, 0)->property("keyClash").toBool());
  EXPECT_TRUE(KeyList(1, 0)->toolTip().isEmpty());

  // Two players on one key.
  Choose(2, 4, "Left");
  EXPECT_FALSE(KeyList(1, 4)->property("keyClash").toBool());
  EXPECT_TRUE(KeyList(1, 0)->property("keyClash").toBool());
  EXPECT_TRUE(KeyList(2, 4)->property("keyClash").toBool());
  EXPECT_EQ(KeyList(1, 0)->toolTip().toStdString(), "Same key as: Player #2 Plant");
  EXPECT_EQ(KeyList(2, 4)->toolTip().toStdString(), "Same key as: Player #1 Left");
  EXPECT_NE(KeyList(1, 0)->palette().color(QPalette::Button), KeyList(1, 1)->palette().color(QPalette::Button));

  // One player twice makes a third use.
  Choose(2, 0, "Left");
  EXPECT_EQ(KeyList(1, 0)->toolTip().toStdString(), "Same key as: Player #2 Left, Player #2 Plant");
  EXPECT_EQ(KeyList(2, 0)->toolTip().toStdString(), "Same key as: Player #1 Left, Player #2 Plant");

  // Moving both away clears the marks; the chosen keys stay as they are.
  Choose(2, 4, "Spacebar");
  Choose(2, 0, "A");
  for (auto [player, slot] : {std::pair{1, 0}, std::pair{2, 0}, std::pair{2, 4}}) {
    EXPECT_FALSE(KeyList(player, slot)->property("keyClash").toBool());
    EXPECT_TRUE(KeyList(player, slot)->toolTip().isEmpty());
  }
  EXPECT_EQ(KeyList(1, 0)->palette().color(QPalette::Button), KeyList(1, 1)->palette().color(QPalette::Button));
  EXPECT_EQ(state.Characters[1].Keys, (KeyLayout{30, 17, 32, 31, 57}));
}

TEST_F(OptionsKeys, WindowHasItsTitleSizeAndArrangement) {
  StartAndOpen();
  EXPECT_EQ(window->windowTitle().toStdString(), "FUSELARK3 - Options");
  EXPECT_EQ(window->size(), QSize(453, 443));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());

  const std::pair<const char*, QRect> frames[] = {
      {"Player #1 - Keys", {4, 4, 221, 121}},   {"Player #2 - Keys", {228, 4, 221, 121}},
      {"Player #3 - Keys", {4, 128, 221, 121}}, {"Player #4 - Keys", {228, 128, 221, 121}},
      {"Sound", {4, 252, 445, 113}}};
  for (int i = 0; i < 5; ++i) {
    auto* frame = Find<QGroupBox>("Frame" + std::to_string(i + 1));
    EXPECT_EQ(frame->title().toStdString(), frames[i].first);
    EXPECT_EQ(frame->geometry(), frames[i].second);
  }
  EXPECT_EQ(KeyList(3, 2)->geometry(), QRect(36, 56, 181, 21));
  EXPECT_EQ(KeyList(3, 2)->parentWidget()->objectName().toStdString(), "Frame3");
  QStringList labels;
  for (auto* label : Find<QGroupBox>("Frame4")->findChildren<QLabel*>()) labels << label->text();
  EXPECT_EQ(labels.join(' ').toStdString(), "Left: Up: Right: Down: Plant:");
  EXPECT_EQ(Button("buttonSave")->text().toStdString(), "Save and Close");
  EXPECT_EQ(Button("buttonClose")->text().toStdString(), "Close");
}

}  // namespace
}  // namespace fl3::testing
