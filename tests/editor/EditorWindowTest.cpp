// The editor window's wiring; its rules are tested on the editor model.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "../ui/WindowBench.h"
#include "editor/EditorCanvas.h"
#include "editor/EditorPalette.h"
#include "editor/EditorWindow.h"
#include "editor/MusicPropertiesDialog.h"
#include "editor/NumericPropertiesDialog.h"
#include "editor/PalettePicture.h"
#include "editor/SimpleComboBox.h"
#include "editor/model/EditMapDrawing.h"

namespace fl3::testing {
namespace {

// The colour each editor picture is painted in, so a canvas pixel tells
// which picture covers it.
QRgb Colour(int picture) { return QColor::fromHsv((picture * 33) % 360, 200, 40 + picture * 18).rgb(); }
constexpr QRgb kWhite = 0xFFFFFFFF;

struct EditorBench : WindowBench {
  // Each picture in its colour with a white (transparent) left column, the
  // item pictures with a white top row too, so that the ground under them
  // shows; the pointer 24 x 24, the others 16 x 16.
  explicit EditorBench(bool withPictures = true) {
    for (int picture = 0; withPictures && picture < kEditPictureCount; ++picture) {
      const int size = picture == EditPointer ? 24 : 16, top = picture >= EditItemBomb && picture != EditPointer;
      QImage image(size, size, QImage::Format_RGB32);
      image.fill(kWhite);
      QPainter(&image).fillRect(1, top, size - 1, size - top, QColor(Colour(picture)));
      image.save(QString::fromStdString((temp.Path() / kEditPictureFiles[static_cast<std::size_t>(picture)]).string()));
    }
    window->show();
  }
  frmNormalEdit& Window() { return *window; }
  EditorCanvas* Canvas() { return window->picMap(); }
  EditorPalette* Palette() { return window->palette(); }
  void Click(QPoint at, Qt::MouseButton button = Qt::LeftButton, QPoint releaseAt = {-1, -1}) {
    QTest::mousePress(Canvas(), button, {}, at);
    QTest::mouseRelease(Canvas(), button, {}, releaseAt.x() < 0 ? at : releaseAt);
  }
  QRgb Pixel(int x, int y) { return Canvas()->Frame().pixel(x, y); }
  // Presses a property button; `inside` sees the modal dialog while it is open.
  void RunDialog(int button, const std::function<void(QDialog&)>& inside) {
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      timerRanInDialog = window->timerMouse()->isActive();
      inside(*dialog);
      dialog->close();
    });
    window->buttonLevel(button)->click();
  }

  std::unique_ptr<frmNormalEdit> window = std::make_unique<frmNormalEdit>(state, folder, messages, music);
  bool timerRanInDialog = true;
};

bool PointerIsBlank() {
  const QCursor* cursor = QGuiApplication::overrideCursor();
  return cursor != nullptr && cursor->shape() == Qt::BlankCursor;
}

TEST(EditorWindow, ThePaletteKeepsOneToolAcrossTheTabsAndItsPicturesPickTheirChoice) {
  EditorBench bench;
  EditorPalette* palette = bench.Palette();
  const EditorModel& model = bench.Window().Model();
  const auto choices = [&] { return std::tuple(model.SelectedTool, model.SelectedBox, model.SelectedItem); };
  EXPECT_EQ(choices(), std::tuple(Tool::Nothing, BoxKind::Box1, ItemKind::Bomb));
  palette->optionMisc(3)->click();
  palette->optionItemsBox(0)->click();  // box and item kinds are groups of their own
  EXPECT_FALSE(palette->optionEnv(0)->isChecked());
  palette->setCurrentIndex(1);
  QTest::mouseClick(palette->picItemItems(2), Qt::LeftButton);
  EXPECT_EQ(choices(), std::tuple(Tool::PositionPlayer4, BoxKind::None, ItemKind::Fire2));
}

TEST(EditorWindow, CanvasMouseEventsPaintTheCellsUnderThePointer) {
  EditorBench bench;
  bench.Palette()->optionEnv(2)->click();
  bench.Click({17, 33});
  bench.Click({100, 100}, Qt::RightButton);
  QTest::mousePress(bench.Canvas(), Qt::LeftButton, {}, QPoint(8, 88));
  QTest::mouseMove(bench.Canvas(), QPoint(40, 88));
  QTest::mouseRelease(bench.Canvas(), Qt::LeftButton, {}, QPoint(40, 88));
  EXPECT_EQ(std::tuple(bench.state.Tile(1, 2), bench.state.Tile(6, 6), bench.state.Tile(0, 5), bench.state.Tile(1, 5),
                       bench.state.Tile(2, 5)),
            std::tuple(CellBlock1, CellDoodad, CellBlock1, CellDoodad, CellBlock1));
  // In "[]" mode the release fills the rectangle from the press cell (2, 3)
  // to the release cell (0, 1).
  bench.Window().optionDraw(2)->click();
  bench.Palette()->optionEnv(4)->click();
  bench.Click({40, 56}, Qt::LeftButton, {8, 24});
  EXPECT_EQ(std::count(bench.state.TileMap.begin(), bench.state.TileMap.end(), CellBlock3), 9);
  EXPECT_EQ(bench.state.Tile(0, 1), CellBlock3);
}

TEST(EditorWindow, TheCanvasShowsItsPicturesWithWhiteTransparentRevealedItemsAndThePointer) {
  EditorBench bench;
  bench.state.Tile(1, 2) = CellBox1;  // pixels 16..31 x 32..47, clear of the pointer at (0, 0)
  bench.state.Item(1, 2) = ItemFire2;
  bench.Window().Activate();
  EXPECT_EQ(bench.Pixel(24, 40), Colour(EditBox1));
  EXPECT_EQ(bench.Pixel(16, 40), kWhite);  // the keyed column
  EXPECT_EQ(bench.Pixel(8, 8), Colour(EditPointer));
  // The item over the shown-box ground, seen through the item's keyed top row.
  bench.Window().checkItems()->click();
  EXPECT_EQ(bench.Pixel(24, 40), Colour(EditItemFire2));
  EXPECT_EQ(bench.Pixel(24, 32), Colour(EditBoxShown));
  // At (20, 38) the pointer covers x 21..43 (its keyed column at 20), y 38..61.
  QTest::mouseMove(bench.Canvas(), QPoint(20, 38));
  EXPECT_EQ(bench.Pixel(30, 50), Colour(EditPointer));
  EXPECT_EQ(bench.Pixel(20, 50), Colour(EditDoodad));
  EXPECT_EQ(bench.Pixel(8, 8), Colour(EditDoodad));
}

TEST(EditorWindow, MissingPicturesAreReportedOnceTheCanvasStaysPaintableAndItsPointerIsHiddenOnlyInside) {
  EditorBench bench(false);
  bench.Window().Activate();
  ASSERT_EQ(bench.messages.shown.size(), 1u);
  EXPECT_EQ(bench.messages.shown[0].text,
            "These editor pictures could not be read from " + bench.temp.Path().string() + ": EDIT NONE.BMP, EDIT DOOD.BMP, EDIT BOX1.BMP, EDIT BOX2.BMP, "
            "EDIT BOX3.BMP, EDIT BOXI.BMP, EDIT ITEM1.BMP, EDIT ITEM2.BMP, EDIT ITEM3.BMP, EDIT POINT.BMP, "
            "EDIT QUESTION.BMP. The canvas leaves them out.");
  EXPECT_EQ(bench.Pixel(100, 100), kWhite);
  bench.Palette()->optionEnv(2)->click();
  bench.Click({100, 100});
  EXPECT_EQ(bench.state.Tile(6, 6), CellBlock1);
  // The pointer timer hides the system pointer strictly inside the canvas.
  const QPoint corner = bench.Canvas()->mapToGlobal(QPoint(0, 0));
  QCursor::setPos(corner + QPoint(1, 1));
  EXPECT_TRUE(QTest::qWaitFor([&] { return bench.Window().Model().PointerHidden && PointerIsBlank(); }, 2000));
  QCursor::setPos(corner);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !bench.Window().Model().PointerHidden && !PointerIsBlank(); }, 2000));
}

TEST(EditorWindow, TheNameFieldListsTheLevelsAndSaveAsOpenAndExitWorkThroughTheirButtons) {
  EditorBench bench;
  bench.WriteLevel("ONE.FL3", 2);
  bench.temp.Write("TUNE.MID", "");
  bench.Window().Activate();
  SimpleComboBox* field = bench.Window().listFiles();
  EXPECT_EQ(field->items(), QStringList({"ONE.FL3"}));
  bench.Palette()->optionEnv(2)->click();
  bench.Click({100, 100});
  // With changes, Exit, the window manager and Escape ask first; Cancel stays.
  bench.messages.answers = {MessageAnswer::Cancel, MessageAnswer::Cancel, MessageAnswer::Cancel};
  bench.Window().buttonExit()->click();
  EXPECT_FALSE(bench.Window().close());
  QTest::keyClick(&bench.Window(), Qt::Key_Escape);
  EXPECT_EQ(bench.messages.shown.size(), 3u);
  for (const auto& shown : bench.messages.shown) {
    EXPECT_EQ(shown.text, "File has been changed since last save, would you still like EXIT EXIT EXIT?");
  }
  EXPECT_TRUE(bench.Window().isVisible());
  EXPECT_TRUE(bench.Window().timerMouse()->isActive());
  bench.messages.shown.clear();
  QTest::keyClicks(field->editor(), "castle");
  bench.Window().buttonSave()->click();
  EXPECT_EQ(field->text(), "castle.FL3");
  EXPECT_EQ(field->items().size(), 1);  // the list shows the folder as at the last activation
  bench.Window().Activate();
  EXPECT_EQ(field->items(), QStringList({"castle.FL3", "ONE.FL3"}));
  QListWidget* list = field->list();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
  EXPECT_EQ(field->text(), "ONE.FL3");

  // After painting, Open asks first; Cancel keeps the painted level, OK
  // loads the file and redraws.
  bench.Click({8, 8});
  bench.messages.answers = {MessageAnswer::Cancel};
  bench.Window().buttonOpen()->click();
  ASSERT_EQ(bench.messages.shown.size(), 1u);
  EXPECT_EQ(bench.messages.shown[0].title, "W A R N I N G !");
  EXPECT_EQ(bench.state.Tile(0, 0), CellBlock1);
  bench.Window().buttonOpen()->click();
  EXPECT_EQ(bench.state.Tile(0, 0), 2);  // the tileset marker of the level
  EXPECT_EQ(bench.Pixel(104, 104), Colour(EditNothing));

  // Nothing changed since: Exit asks nothing, stops the pointer timer and
  // clears the shared level.
  bench.Window().buttonExit()->click();
  EXPECT_EQ(bench.messages.shown.size(), 2u);
  EXPECT_FALSE(bench.Window().isVisible());
  EXPECT_FALSE(bench.Window().timerMouse()->isActive());
  EXPECT_EQ(bench.state.Tile(0, 0), CellDoodad);
}

TEST(EditorWindow, ThePropertyButtonsOpenTheirDialogsModallyWithThePointerTimerStopped) {
  EditorBench bench;
  bench.temp.Write("battle.mid", "MThd");
  QString title, caption;
  bench.RunDialog(0, [&](QDialog& dialog) {
    title = dialog.windowTitle();
    QLineEdit* fireOfPlayer1 = dynamic_cast<frmNormalEditPropN&>(dialog).txtboxProp(10);
    fireOfPlayer1->selectAll();
    QTest::keyClicks(fireOfPlayer1, "3");
  });
  EXPECT_EQ(title, "Extended Level Properties (Numerical)");
  EXPECT_FALSE(bench.timerRanInDialog);
  EXPECT_TRUE(bench.Window().timerMouse()->isActive());
  EXPECT_EQ(bench.state.Characters[0].PowerFire, 3);

  bench.RunDialog(1, [&](QDialog& dialog) {
    title = dialog.windowTitle();
    auto& music = dynamic_cast<frmNormalEditPropT&>(dialog);
    music.listMusic()->setFocus();
    QTest::keyClick(music.listMusic(), Qt::Key_Down);
    music.buttonMusicTest()->click();
    caption = music.buttonMusicTest()->text();
  });
  EXPECT_EQ(title, "Extended Level Properties (Alphanumerical)");
  EXPECT_FALSE(bench.timerRanInDialog);
  EXPECT_EQ(caption, "Stop");
  EXPECT_EQ(bench.state.LevelMusic, "battle.mid");
  EXPECT_EQ(bench.music.calls.back(), "ReleaseMusic");
}

}  // namespace
}  // namespace fl3::testing
