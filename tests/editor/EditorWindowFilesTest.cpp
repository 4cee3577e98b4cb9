#include <QGuiApplication>
#include <QListWidget>

#include "EditorWindowTestSupport.h"
#include "core/LevelFile.h"

namespace fl3 {
namespace {

using testing::EditorWindowBench;

std::string LevelWithBlockAtOrigin() {
  LevelData level;
  level.TileMap[0] = CellBlock2;
  level.Figures[0] = {4, 5, 1, 1};
  level.TileSetNumber = 2;
  return EncodeLevel(level);
}

bool PointerIsBlank() {
  const QCursor* cursor = QGuiApplication::overrideCursor();
  return cursor != nullptr && cursor->shape() == Qt::BlankCursor;
}

TEST(EditorWindowFiles, NameFieldListsTheLevelsAndKeepsTheTypedName) {
  EditorWindowBench bench;
  bench.temp.Write("b.fl3", LevelWithBlockAtOrigin());
  bench.temp.Write("A.FL3", LevelWithBlockAtOrigin());
  bench.temp.Write("TUNE.MID", "");
  SimpleComboBox* field = bench.Window().listFiles();
  EXPECT_EQ(field->items(), QStringList({"A.FL3", "b.fl3"}));

  bench.TypeName("new");
  bench.temp.Write("C.FL3", LevelWithBlockAtOrigin());
  EXPECT_EQ(field->items().size(), 2);  // the list shows the folder as at the last activation
  bench.Window().Activate();
  EXPECT_EQ(field->items(), QStringList({"A.FL3", "b.fl3", "C.FL3"}));
  EXPECT_EQ(field->text(), "new");

  QListWidget* list = field->list();
  const QRect entry = list->visualItemRect(list->item(1));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, entry.center());
  EXPECT_EQ(field->text(), "b.fl3");
}

TEST(EditorWindowFiles, SaveAsOpenAndExitWorkThroughTheirButtons) {
  EditorWindowBench bench;
  bench.temp.Write("ONE.FL3", LevelWithBlockAtOrigin());
  bench.Window();
  bench.Palette()->optionItems()->click();
  bench.Palette()->optionItemsBox(2)->click();
  bench.Palette()->optionItemsItems(1)->click();
  bench.PressAndRelease(QPoint(200, 120));  // cell (12, 7)
  bench.TypeName("castle");
  bench.Window().buttonSave()->click();
  EXPECT_EQ(bench.Window().listFiles()->text(), "castle.FL3");
  const std::string bytes = bench.temp.Read("castle.FL3");
  ASSERT_EQ(bytes.size(), 3328u);
  // Cell (12, 7) is element 187: box 2 at 64 + 748, the fire item at 1564 + 748.
  EXPECT_EQ(bytes.substr(812, 4), std::string("\x02\0\0\0", 4));
  EXPECT_EQ(bytes.substr(2312, 4), std::string("\x02\0\0\0", 4));
  EXPECT_FALSE(bench.Window().Model().FileChanged);
  EXPECT_TRUE(bench.messages.shown.empty());

  // After painting, Open asks first; Cancel keeps the painted level, OK
  // loads the file and redraws.
  bench.Palette()->optionEnv(2)->click();
  bench.PressAndRelease(QPoint(100, 100));
  bench.TypeName("one.fl3");
  bench.messages.answers = {MessageAnswer::Cancel};
  bench.Window().buttonOpen()->click();
  ASSERT_EQ(bench.messages.shown.size(), 1u);
  EXPECT_EQ(bench.messages.shown[0].title, "W A R N I N G !");
  EXPECT_EQ(bench.state.Tile(6, 6), CellBlock1);
  bench.Window().buttonOpen()->click();  // answered Ok
  EXPECT_EQ(bench.state.Tile(0, 0), CellBlock2);
  EXPECT_EQ(bench.state.Tile(6, 6), CellDoodad);
  EXPECT_EQ(bench.state.Characters[0].X, 4);
  EXPECT_EQ(bench.Window().Model().TileSetNumber, 2);
  EXPECT_FALSE(bench.Window().Model().FileChanged);
  EXPECT_EQ(bench.CanvasPixel(104, 104), testing::EditPictureColour(EditDoodad));
  EXPECT_EQ(bench.CanvasPixel(200, 120), testing::EditPictureColour(EditDoodad));

  // Nothing changed since: Exit asks nothing, shows the hidden pointer again
  // and clears the shared level.
  QTest::mouseMove(bench.Canvas(), QPoint(50, 50));
  ASSERT_TRUE(bench.Window().Model().PointerHidden);
  EXPECT_TRUE(PointerIsBlank());
  bench.Window().buttonExit()->click();
  EXPECT_EQ(bench.messages.shown.size(), 2u);
  EXPECT_FALSE(bench.Window().isVisible());
  EXPECT_FALSE(bench.Window().timerMouse()->isActive());
  EXPECT_FALSE(PointerIsBlank());
  EXPECT_EQ(bench.state.Tile(0, 0), CellDoodad);
  EXPECT_EQ(bench.state.Characters[0].X, 0);
}

TEST(EditorWindowFiles, ExitTheWindowManagerAndEscapeAskAboutChangesAndCancelStays) {
  EditorWindowBench bench;
  bench.Palette()->optionEnv(3)->click();
  bench.PressAndRelease(QPoint(8, 8));
  bench.state.LevelMusic = "BATTLE.MID";
  bench.messages.answers = {MessageAnswer::Cancel, MessageAnswer::Cancel, MessageAnswer::Cancel};

  bench.Window().buttonExit()->click();
  EXPECT_FALSE(bench.Window().close());
  QTest::keyClick(&bench.Window(), Qt::Key_Escape);
  ASSERT_EQ(bench.messages.shown.size(), 3u);
  for (const auto& shown : bench.messages.shown) {
    EXPECT_EQ(shown.text, "File has been changed since last save, would you still like EXIT EXIT EXIT?");
  }
  EXPECT_TRUE(bench.Window().isVisible());
  EXPECT_TRUE(bench.Window().timerMouse()->isActive());
  EXPECT_EQ(bench.state.Tile(0, 0), CellBlock2);

  EXPECT_TRUE(bench.Window().close());  // answered Ok
  EXPECT_FALSE(bench.Window().isVisible());
  EXPECT_EQ(bench.state.Tile(0, 0), CellDoodad);
  EXPECT_EQ(bench.state.LevelMusic, "");
}

TEST(EditorWindowFiles, PointerTimerHidesThePointerOnlyStrictlyInsideTheCanvas) {
  EditorWindowBench bench;
  frmNormalEdit& window = bench.Window();
  const QPoint corner = bench.Canvas()->mapToGlobal(QPoint(0, 0));

  QCursor::setPos(corner + QPoint(200, 120));
  EXPECT_TRUE(testing::WaitFor([&] { return window.Model().PointerHidden; }));
  EXPECT_TRUE(PointerIsBlank());

  QCursor::setPos(corner);  // on the canvas's first pixel, which counts as outside
  EXPECT_TRUE(testing::WaitFor([&] { return !window.Model().PointerHidden; }));
  EXPECT_FALSE(PointerIsBlank());

  QCursor::setPos(corner + QPoint(1, 1));
  EXPECT_TRUE(testing::WaitFor([&] { return window.Model().PointerHidden; }));
  QCursor::setPos(corner + QPoint(400, 100));
  EXPECT_TRUE(testing::WaitFor([&] { return !window.Model().PointerHidden; }));
}

}  // namespace
}  // namespace fl3
