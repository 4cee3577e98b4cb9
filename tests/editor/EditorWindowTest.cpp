#include <QGroupBox>
#include <QTabWidget>

#include "EditorWindowTestSupport.h"

namespace fl3 {
namespace {

using testing::EditorWindowBench;

TEST(EditorWindow, OpensWithItsTitleSizeControlsAndDefaultChoices) {
  EditorWindowBench bench;
  frmNormalEdit& window = bench.Window();
  EXPECT_EQ(window.windowTitle(), "FUSELARK3 - Normal Level Editor");
  EXPECT_EQ(window.size(), QSize(579, 303));
  EXPECT_EQ(window.picMap()->geometry(), QRect(176, 4, 400, 240));
  EXPECT_EQ(window.palette()->geometry(), QRect(4, 128, 167, 173));
  EXPECT_EQ(window.findChild<QGroupBox*>("Frame1")->geometry(), QRect(4, 4, 169, 121));
  EXPECT_EQ(window.listFiles()->geometry(), QRect(8, 16, 153, 77));
  EXPECT_EQ(window.buttonOpen()->geometry(), QRect(8, 96, 77, 17));
  EXPECT_EQ(window.buttonSave()->geometry(), QRect(84, 96, 77, 17));
  EXPECT_EQ(window.optionDraw(0)->geometry(), QRect(176, 248, 29, 29));
  EXPECT_EQ(window.optionDraw(2)->geometry(), QRect(208, 248, 29, 29));
  EXPECT_EQ(window.buttonLevel(1)->text(), "Ext. Level Props (Texts)");
  EXPECT_EQ(window.buttonLevel(1)->geometry(), QRect(200, 280, 153, 21));
  EXPECT_EQ(window.buttonLevel(0)->text(), "Ext. Level Props (Numbers)");
  EXPECT_EQ(window.buttonLevel(0)->geometry(), QRect(356, 280, 153, 21));
  EXPECT_EQ(window.buttonExit()->geometry(), QRect(512, 280, 65, 21));
  EXPECT_EQ(window.checkItems()->text(), "Reveal All Items");
  EXPECT_EQ(window.checkItems()->pos(), QPoint(296, 248));

  EditorPalette* palette = window.palette();
  ASSERT_EQ(palette->count(), 3);
  EXPECT_EQ(palette->tabText(0), "Env.");
  EXPECT_EQ(palette->tabText(1), "Items");
  EXPECT_EQ(palette->tabText(2), "Misc.");
  EXPECT_TRUE(palette->optionEnv(0)->isChecked());
  EXPECT_TRUE(palette->optionItemsBox(1)->isChecked());
  EXPECT_TRUE(palette->optionItemsItems(0)->isChecked());
  EXPECT_TRUE(window.optionDraw(0)->isChecked());
  EXPECT_FALSE(window.optionDraw(2)->isChecked());
  EXPECT_EQ(palette->optionItemsBox(0)->text(), "None");
  EXPECT_EQ(palette->optionItemsItems(3)->text(), "Empty");
  EXPECT_EQ(palette->optionItemsItems(4)->text(), "Random");
  EXPECT_EQ(palette->optionMisc(2)->text(), "Position Player #3");
  EXPECT_TRUE(window.timerMouse()->isActive());
  EXPECT_EQ(window.timerMouse()->interval(), 125);
}

TEST(EditorWindow, TheTenToolsAreOneGroupAcrossTheTabs) {
  EditorWindowBench bench;
  EditorPalette* palette = bench.Palette();
  palette->optionMisc(3)->click();
  EXPECT_FALSE(palette->optionEnv(0)->isChecked());
  EXPECT_EQ(bench.Window().Model().SelectedTool, Tool::PositionPlayer4);
  palette->optionItems()->click();
  EXPECT_FALSE(palette->optionMisc(3)->isChecked());
  EXPECT_EQ(bench.Window().Model().SelectedTool, Tool::UseItem);
  palette->optionEnv(3)->click();
  EXPECT_FALSE(palette->optionItems()->isChecked());
  EXPECT_EQ(bench.Window().Model().SelectedTool, Tool::Block2);
  // Box and item kinds are groups of their own.
  palette->optionItemsBox(0)->click();
  palette->optionItemsItems(4)->click();
  EXPECT_TRUE(palette->optionEnv(3)->isChecked());
  EXPECT_EQ(bench.Window().Model().SelectedBox, BoxKind::None);
  EXPECT_EQ(bench.Window().Model().SelectedItem, ItemKind::Random);
}

TEST(EditorWindow, PalettePicturesPickTheirChoiceButNotTheItemTool) {
  EditorWindowBench bench;
  EditorPalette* palette = bench.Palette();
  palette->setCurrentIndex(1);
  QTest::mouseClick(palette->picItemItems(2), Qt::LeftButton);
  EXPECT_TRUE(palette->optionItemsItems(2)->isChecked());
  QTest::mouseClick(palette->picItemBoxes(3), Qt::LeftButton);
  EXPECT_TRUE(palette->optionItemsBox(3)->isChecked());
  EXPECT_TRUE(palette->optionEnv(0)->isChecked());

  // The canvas still paints "Nothing".
  bench.PressAndRelease(QPoint(40, 40));
  EXPECT_EQ(bench.state.Tile(2, 2), CellNothing);
  EXPECT_EQ(bench.state.Item(2, 2), ItemNone);

  palette->setCurrentIndex(0);
  QTest::mouseClick(palette->picEnv(4), Qt::LeftButton);
  EXPECT_TRUE(palette->optionEnv(4)->isChecked());
  bench.PressAndRelease(QPoint(40, 40));
  EXPECT_EQ(bench.state.Tile(2, 2), CellBlock3);
}

TEST(EditorWindow, PressesPaintTheCellUnderThePointer) {
  EditorWindowBench bench;
  bench.Palette()->optionEnv(2)->click();
  bench.PressAndRelease(QPoint(16, 16));
  bench.PressAndRelease(QPoint(17, 33));
  bench.PressAndRelease(QPoint(399, 239));
  EXPECT_EQ(bench.state.Tile(0, 0), CellBlock1);
  EXPECT_EQ(bench.state.Tile(1, 2), CellBlock1);
  EXPECT_EQ(bench.state.Tile(24, 14), CellBlock1);
  EXPECT_EQ(bench.state.Tile(1, 1), CellDoodad);
  EXPECT_TRUE(bench.Window().Model().FileChanged);

  // A right-button press paints nothing.
  QTest::mousePress(bench.Canvas(), Qt::RightButton, Qt::NoModifier, QPoint(100, 100));
  QTest::mouseRelease(bench.Canvas(), Qt::RightButton, Qt::NoModifier, QPoint(100, 100));
  EXPECT_EQ(bench.state.Tile(6, 6), CellDoodad);
}

TEST(EditorWindow, DraggingInDotModePaintsWhereTheMovesLand) {
  EditorWindowBench bench;
  bench.Palette()->optionEnv(1)->click();
  bench.state.TileMap.fill(CellNothing);
  QTest::mousePress(bench.Canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
  QTest::mouseMove(bench.Canvas(), QPoint(40, 8));
  QTest::mouseMove(bench.Canvas(), QPoint(72, 8));
  QTest::mouseRelease(bench.Canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(72, 8));
  EXPECT_EQ(bench.state.Tile(0, 0), CellDoodad);
  EXPECT_EQ(bench.state.Tile(2, 0), CellDoodad);
  EXPECT_EQ(bench.state.Tile(4, 0), CellDoodad);
  EXPECT_EQ(bench.state.Tile(1, 0), CellNothing);
  EXPECT_EQ(bench.state.Tile(3, 0), CellNothing);
}

TEST(EditorWindow, RectangleModeFillsFromThePressCellToTheReleaseCell) {
  EditorWindowBench bench;
  bench.Window().optionDraw(2)->click();
  EXPECT_FALSE(bench.Window().optionDraw(0)->isChecked());
  bench.Palette()->optionMisc(1)->click();

  QTest::mousePress(bench.Canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(40, 56));
  QTest::mouseMove(bench.Canvas(), QPoint(20, 40));
  EXPECT_EQ(bench.state.Characters[1].X, 2);  // the press already placed the figure
  EXPECT_EQ(bench.state.Characters[1].Y, 3);
  QTest::mouseRelease(bench.Canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(8, 24));
  EXPECT_EQ(bench.state.Characters[1].X, 0);
  EXPECT_EQ(bench.state.Characters[1].Y, 1);

  bench.Palette()->optionEnv(4)->click();
  QTest::mousePress(bench.Canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(40, 56));
  QTest::mouseRelease(bench.Canvas(), Qt::LeftButton, Qt::NoModifier, QPoint(8, 24));
  int blocks = 0;
  for (int y = 1; y <= 3; ++y) {
    for (int x = 0; x <= 2; ++x) blocks += bench.state.Tile(x, y) == CellBlock3 ? 1 : 0;
  }
  EXPECT_EQ(blocks, 9);
  EXPECT_EQ(bench.state.Tile(3, 3), CellDoodad);
  EXPECT_EQ(bench.state.Tile(0, 4), CellDoodad);
  EXPECT_EQ(bench.Window().Model().CellX, 0);
  EXPECT_EQ(bench.Window().Model().CellY, 1);
}

TEST(EditorWindow, CanvasShowsTheEditorPicturesWithWhiteTransparent) {
  EditorWindowBench bench;
  // Row 2 (pixels 32..47), clear of the pointer picture, which starts at (0, 0).
  bench.state.Tile(0, 2) = CellBlock1;
  bench.state.Tile(1, 2) = CellBox3;
  bench.state.Item(1, 2) = ItemFire;
  bench.state.Tile(2, 2) = CellBox1;
  bench.state.Item(2, 2) = ItemFire2;
  bench.state.Tile(3, 2) = 9;
  bench.Window().Activate();

  EXPECT_EQ(bench.CanvasPixel(8, 40), testing::EditPictureColour(EditBox1));
  EXPECT_EQ(bench.CanvasPixel(0, 40), testing::kWhite);  // the keyed column
  EXPECT_EQ(bench.CanvasPixel(24, 40), testing::EditPictureColour(EditBox3));
  EXPECT_EQ(bench.CanvasPixel(40, 40), testing::EditPictureColour(EditBox1));
  EXPECT_EQ(bench.CanvasPixel(56, 40), testing::kWhite);  // code 9
  EXPECT_EQ(bench.CanvasPixel(8, 72), testing::EditPictureColour(EditDoodad));
  EXPECT_EQ(bench.CanvasPixel(8, 8), testing::EditPictureColour(EditPointer));

  // "Reveal All Items": box 1 shows its item over the shown-box ground, which
  // is seen through the item's keyed top row; box 3 keeps its secret.
  bench.Window().checkItems()->click();
  EXPECT_EQ(bench.CanvasPixel(40, 40), testing::EditPictureColour(EditItemFire2));
  EXPECT_EQ(bench.CanvasPixel(40, 32), testing::EditPictureColour(EditBoxShown));
  EXPECT_EQ(bench.CanvasPixel(32, 40), testing::kWhite);
  EXPECT_EQ(bench.CanvasPixel(24, 40), testing::EditPictureColour(EditBox3));

  // Moving to (20, 38) makes box 3 the current cell, so it is shown too, and
  // the pointer picture covers x 21..43 (its keyed column at 20), y 38..61.
  QTest::mouseMove(bench.Canvas(), QPoint(20, 38));
  EXPECT_EQ(bench.CanvasPixel(18, 35), testing::EditPictureColour(EditItemFire));
  EXPECT_EQ(bench.CanvasPixel(18, 32), testing::EditPictureColour(EditBoxShown));
  EXPECT_EQ(bench.CanvasPixel(30, 50), testing::EditPictureColour(EditPointer));
  EXPECT_EQ(bench.CanvasPixel(20, 50), testing::EditPictureColour(EditDoodad));  // through the keyed column
  EXPECT_EQ(bench.CanvasPixel(8, 8), testing::EditPictureColour(EditDoodad));    // the pointer has left
}

TEST(EditorWindow, MissingPicturesAreReportedOnceAndTheCanvasStaysWhite) {
  EditorWindowBench bench(false);
  bench.Window().Activate();
  bench.Window().Activate();
  ASSERT_EQ(bench.messages.shown.size(), 1u);
  EXPECT_NE(bench.messages.shown[0].text.find("EDIT NONE.BMP"), std::string::npos);
  EXPECT_NE(bench.messages.shown[0].text.find("EDIT QUESTION.BMP"), std::string::npos);
  EXPECT_EQ(bench.CanvasPixel(100, 100), testing::kWhite);
  bench.Palette()->optionEnv(2)->click();
  bench.PressAndRelease(QPoint(100, 100));
  EXPECT_EQ(bench.state.Tile(6, 6), CellBlock1);
}

}  // namespace
}  // namespace fl3
