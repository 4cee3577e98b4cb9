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
  const std::pair<QWidget*, QRect> places[] = {
      {window.picMap(), {176, 4, 400, 240}},      {window.palette(), {4, 128, 167, 173}},
      {window.findChild<QGroupBox*>("Frame1"), {4, 4, 169, 121}},
      {window.listFiles(), {8, 16, 153, 77}},     {window.buttonOpen(), {8, 96, 77, 17}},
      {window.buttonSave(), {84, 96, 77, 17}},    {window.optionDraw(0), {176, 248, 29, 29}},
      {window.optionDraw(2), {208, 248, 29, 29}}, {window.buttonLevel(1), {200, 280, 153, 21}},
      {window.buttonLevel(0), {356, 280, 153, 21}}, {window.buttonExit(), {512, 280, 65, 21}},
  };
  for (std::size_t i = 0; i < std::size(places); ++i) EXPECT_EQ(places[i].first->geometry(), places[i].second) << i;
  EXPECT_EQ(window.checkItems()->pos(), QPoint(296, 248));
  EXPECT_EQ(window.buttonLevel(0)->text(), "Ext. Level Props (Numbers)");
  EXPECT_EQ(window.buttonLevel(1)->text(), "Ext. Level Props (Texts)");
  EXPECT_EQ(window.checkItems()->text(), "Reveal All Items");

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

TEST(EditorWindow, MouseEventsPaintTheCellsUnderThePointer) {
  EditorWindowBench bench;
  EditorCanvas* canvas = bench.Canvas();
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
  QTest::mousePress(canvas, Qt::RightButton, Qt::NoModifier, QPoint(100, 100));
  QTest::mouseRelease(canvas, Qt::RightButton, Qt::NoModifier, QPoint(100, 100));
  EXPECT_EQ(bench.state.Tile(6, 6), CellDoodad);

  // In "." mode a drag paints where the moves land.
  bench.Palette()->optionEnv(0)->click();
  QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(8, 88));
  QTest::mouseMove(canvas, QPoint(40, 88));
  QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(40, 88));
  EXPECT_EQ(bench.state.Tile(0, 5), CellNothing);
  EXPECT_EQ(bench.state.Tile(1, 5), CellDoodad);
  EXPECT_EQ(bench.state.Tile(2, 5), CellNothing);

  // In "[]" mode the release fills the rectangle from the press cell (2, 3)
  // to the release cell (0, 1), and leaves the current cell there.
  bench.Window().optionDraw(2)->click();
  EXPECT_FALSE(bench.Window().optionDraw(0)->isChecked());
  bench.Palette()->optionEnv(4)->click();
  QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(40, 56));
  QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(8, 24));
  for (int y = 0; y <= 4; ++y) {
    for (int x = 0; x <= 3; ++x) {
      EXPECT_EQ(bench.state.Tile(x, y) == CellBlock3, x <= 2 && y >= 1 && y <= 3) << x << "," << y;
    }
  }
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
