#include <QTest>

#include "OptionsWindowTestSupport.h"
#include "core/KeyNames.h"

namespace fl3::testing {
namespace {

using OptionsKeyCapture = OptionsWindowFixture;

// Faults: the pressed key not shown in the list or not reaching the layout
// (a path beside the list's own), saved or marked unlike a chosen key, Tab
// or Return taken as focus moves or clicks, Escape closing the window or
// setting key 1.
TEST_F(OptionsKeyCapture, APressedKeyIsChosenInItsListLikeAnyOtherAndEscapeCancels) {
  struct Case {
    Qt::Key key;
    int player, slot;
    std::int32_t code;  // expected afterwards
  };
  const Case cases[] = {{Qt::Key_Left, 2, 4, 203}, {Qt::Key_Tab, 1, 0, 15}, {Qt::Key_Return, 4, 2, 28},
                        {Qt::Key_Escape, 3, 1, 0}, {Qt::Key_F1, 3, 1, 59}};
  StartAndOpen();
  for (const Case& test : cases) {
    SCOPED_TRACE(KeyNames(test.code));
    auto* button = Button("buttonSetKey" + std::to_string(test.player) + "_" + std::to_string(test.slot));
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::keyClick(button, test.key);
    EXPECT_EQ(ShownKey(test.player, test.slot), KeyNames(test.code));
    EXPECT_EQ(KeySlot(state.Characters[static_cast<std::size_t>(test.player - 1)].Keys, test.slot), test.code);
    EXPECT_TRUE(window->isVisible());
  }
  Choose(1, 4, "Left");
  EXPECT_EQ(KeyList(2, 4)->toolTip().toStdString(), "Same key as: Player #1 Plant");
  Press("buttonSave");
  EXPECT_EQ(folder.Read("0.FLK3"), "15\r\n0\r\n0\r\n0\r\n203\r\n");
  EXPECT_EQ(folder.Read("1.FLK3"), "0\r\n0\r\n0\r\n0\r\n203\r\n");
}

}  // namespace
}  // namespace fl3::testing
