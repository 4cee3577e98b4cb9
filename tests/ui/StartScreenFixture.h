#pragma once
#include <gtest/gtest.h>

#include <QColor>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <memory>
#include <string>
#include <vector>

#include "QtTestApplication.h"
#include "RecordingMessages.h"
#include "TempFolder.h"
#include "core/GameFolder.h"
#include "core/GameState.h"
#include "core/LevelFile.h"
#include "ui/StartScreen.h"

namespace fl3::testing {

// The colour of the portrait block of row r in the test character sheets.
inline QColor RowColour(int row) { return QColor(10 + 40 * row, 200 - 30 * row, (row * 70) % 256); }

// What the shared state held at the moment the match hook ran.
struct MatchCall {
  std::int32_t tileSet = 0;
  std::int32_t background = 0;
  std::array<std::int32_t, FigureCount> choices{};
  std::array<Character, FigureCount> figures{};
  std::int32_t matchKind = 0;
  std::int32_t timeLeft = 0;
};

class StartScreenTest : public ::testing::Test {
 protected:
  // A sheet of `rows` characters; the portrait block of each row has its own
  // colour, everything else is grey.
  void WriteCharacterSheet(int rows = 4, int width = 320) const {
    QImage sheet(width, 64 * rows, QImage::Format_RGB32);
    sheet.fill(QColor(128, 128, 128));
    for (int row = 0; row < rows; ++row) {
      for (int y = 64 * row; y < 64 * row + 64; ++y) {
        for (int x = 288; x < std::min(width, 320); ++x) sheet.setPixel(x, y, RowColour(row).rgb());
      }
    }
    ASSERT_TRUE(sheet.save(QString::fromStdString((folder.Path() / "C.BMP").string()), "BMP"));
  }

  void WritePicture(const std::string& name) const {
    QImage picture(32, 32, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(QString::fromStdString((folder.Path() / name).string()), "BMP"));
  }

  // A level whose figures start at (2i+1, 1) with i+1 bombs and i+2 fire, on
  // a grid whose cell (0, 0) holds the tileset number as a marker.
  static LevelData Level(std::int32_t tileSet, std::int32_t background) {
    LevelData level;
    for (int i = 0; i < FigureCount; ++i) level.Figures[static_cast<std::size_t>(i)] = {2 * i + 1, 1, i + 1, i + 2};
    level.TileMap.fill(CellNothing);
    level.TileMap[0] = tileSet;
    level.ItemMap.fill(ItemNone);
    level.TileSetNumber = tileSet;
    level.BackgroundNumber = background;
    return level;
  }

  void WriteLevel(const std::string& name, std::int32_t tileSet = 1, std::int32_t background = -1) const {
    ASSERT_TRUE(WriteLevelFile(folder.Path() / name, Level(tileSet, background)));
  }

  // The usual playable folder: a sheet, tileset 1 and one level on it.
  void WritePlayableFolder() {
    WriteCharacterSheet();
    WritePicture("A1.BMP");
    WriteLevel("Arena.FL3");
  }

  std::unique_ptr<frmStart> Open() {
    StartScreenHooks hooks;
    hooks.RunMatch = [this](std::int32_t tileSet, std::int32_t background, std::int32_t c1, std::int32_t c2,
                            std::int32_t c3, std::int32_t c4) {
      matches.push_back({tileSet, background, {c1, c2, c3, c4}, state.Characters, state.MatchKind, state.TimeLeft});
      if (afterMatch) afterMatch();
    };
    hooks.OpenEditor = [this] {
      ++editorOpened;
      if (inEditor) inEditor();
    };
    hooks.OpenOptions = [this] { ++optionsOpened; };
    hooks.Quit = [this] { ++quitCalls; };
    return std::make_unique<frmStart>(state, game, messages, std::move(hooks));
  }

  // Sets figure i's controller by clicking its button until it shows `caption`.
  static void ClickUntil(frmStart& screen, int figure, const char* caption) {
    for (int clicks = 0; clicks < 3 && screen.buttonChar(figure)->text() != QLatin1String(caption); ++clicks) {
      screen.buttonChar(figure)->click();
    }
    ASSERT_EQ(screen.buttonChar(figure)->text(), QLatin1String(caption));
  }

  // Two MAN figures (players 1 and 3), the others OFF.
  static void TwoMen(frmStart& screen) {
    ClickUntil(screen, 1, "OFF");
    ClickUntil(screen, 2, "MAN");
  }

  std::vector<std::string> ListEntries(const frmStart& screen) const {
    std::vector<std::string> entries;
    for (int i = 0; i < screen.listLevel()->count(); ++i) entries.push_back(screen.listLevel()->itemText(i).toStdString());
    return entries;
  }

  TempFolder folder;
  GameFolder game{folder.Path()};
  GameState state;
  RecordingMessages messages;
  std::vector<MatchCall> matches;
  std::function<void()> afterMatch;
  std::function<void()> inEditor;
  int editorOpened = 0;
  int optionsOpened = 0;
  int quitCalls = 0;
};

}  // namespace fl3::testing
