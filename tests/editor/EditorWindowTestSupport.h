#pragma once
#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "QtTestApplication.h"
#include "RecordingMessages.h"
#include "RecordingMusicEngine.h"
#include "TempFolder.h"
#include "core/GameFolder.h"
#include "core/GameState.h"
#include "editor/EditorCanvas.h"
#include "editor/EditorPalette.h"
#include "editor/EditorWindow.h"
#include "editor/PalettePicture.h"
#include "editor/SimpleComboBox.h"
#include "editor/model/EditMapDrawing.h"

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace fl3::testing {

// The colour each editor picture is painted in, so a canvas pixel tells
// which picture covers it.
inline QRgb EditPictureColour(int picture) { return QColor::fromHsv((picture * 33) % 360, 200, 40 + picture * 18).rgb(); }
inline constexpr QRgb kWhite = 0xFFFFFFFF;

inline bool IsItemPicture(int picture) {
  return (picture >= EditItemBomb && picture <= EditItemFire2) || picture == EditQuestion;
}

// Writes the eleven editor pictures: each a solid colour with a white
// (transparent) left column, the item pictures with a white top row as well
// so that the ground under them shows; the pointer 24 x 24, the others 16 x 16.
inline void WriteEditPictures(const TempFolder& folder) {
  for (int picture = 0; picture < kEditPictureCount; ++picture) {
    const int size = picture == EditPointer ? 24 : 16;
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(EditPictureColour(picture));
    for (int y = 0; y < size; ++y) image.setPixelColor(0, y, Qt::white);
    if (IsItemPicture(picture)) {
      for (int x = 0; x < size; ++x) image.setPixelColor(x, 0, Qt::white);
    }
    image.save(QString::fromStdString((folder.Path() / kEditPictureFiles[static_cast<std::size_t>(picture)]).string()),
               "BMP");
  }
}

// Runs pending events until the condition holds or two seconds have gone.
inline bool WaitFor(const std::function<bool()>& condition) {
  QElapsedTimer clock;
  clock.start();
  while (!condition()) {
    if (clock.elapsed() > 2000) return false;
    QTest::qWait(10);
  }
  return true;
}

// An editor window on a game folder of its own, with recorded messages and
// a recording music engine.
struct EditorWindowBench {
  explicit EditorWindowBench(bool withPictures = true) {
    if (withPictures) WriteEditPictures(temp);
  }

  frmNormalEdit& Window() {
    if (!window) {
      window = std::make_unique<frmNormalEdit>(state, folder, messages, music);
      window->show();
    }
    return *window;
  }
  EditorCanvas* Canvas() { return Window().picMap(); }
  EditorPalette* Palette() { return Window().palette(); }

  void PressAndRelease(QPoint at) {
    QTest::mousePress(Canvas(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(Canvas(), Qt::LeftButton, Qt::NoModifier, at);
  }
  void TypeName(const QString& name) {
    QLineEdit* field = Window().listFiles()->editor();
    field->clear();
    QTest::keyClicks(field, name);
  }
  QRgb CanvasPixel(int x, int y) { return Canvas()->Frame().pixel(x, y); }

  TempFolder temp;
  GameFolder folder{temp.Path()};
  GameState state;
  RecordingMessages messages;
  RecordingMusicEngine music{messages};
  std::unique_ptr<frmNormalEdit> window;
};

}  // namespace fl3::testing
