#pragma once
#include <QColor>
#include <QImage>
#include <string>
#include <tuple>
#include <vector>

#include "QtTestApplication.h"
#include "RecordingMessages.h"
#include "RecordingMusicEngine.h"
#include "TempFolder.h"
#include "core/GameFolder.h"
#include "core/GameState.h"
#include "core/LevelFile.h"

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace fl3::testing {

using Calls = std::vector<std::string>;

// A game folder of its own with the shared state, the message boxes and the
// music engine that every window of the game is built on.
struct WindowBench {
  void WritePicture(const std::string& name, QColor colour = Qt::darkGreen, int width = 32, int height = 32) const {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    ASSERT_TRUE(picture.save(QString::fromStdString((temp.Path() / name).string()), "BMP")) << name;
  }
  // Figure i starts at (2i + 1, 1) with i + 1 bombs and i + 2 fire; cell
  // (0, 0) holds the tileset number, so a loaded level tells which it was.
  static LevelData Level(std::int32_t tileSet, std::int32_t background = -1) {
    LevelData level;
    for (int i = 0; i < FigureCount; ++i) level.Figures[static_cast<std::size_t>(i)] = {2 * i + 1, 1, i + 1, i + 2};
    level.TileMap.fill(CellNothing);
    level.TileMap[0] = tileSet;
    level.TileSetNumber = tileSet;
    level.BackgroundNumber = background;
    return level;
  }
  void WriteLevel(const std::string& name, std::int32_t tileSet = 1, std::int32_t background = -1) const {
    temp.Write(name, EncodeLevel(Level(tileSet, background)));
  }
  // Message box i as text, title, icon and buttons, to compare in one go.
  auto Shown(std::size_t i) const {
    const RecordedMessage& shown = messages.shown.at(i);
    return std::tuple(shown.text, shown.title, shown.icon, shown.buttons);
  }

  TempFolder temp;
  GameFolder folder{temp.Path()};
  GameState state;
  RecordingMessages messages;
  RecordingMusicEngine music{messages};
};

}  // namespace fl3::testing
