#pragma once
#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "editor/model/EditMapDrawing.h"
#include "media/SpriteRenderer.h"
#include "media/Texture.h"

namespace fl3 {

class EditorModel;
class GameFolder;

// The editor's map canvas: 25 x 15 cells at 16 x 16 pixels, drawn with the
// editor's own pictures through the sprite renderer, and painted on with
// the mouse.
class EditorCanvas : public QWidget {
  Q_OBJECT

 public:
  EditorCanvas(EditorModel& editor, QWidget* parent = nullptr);

  // Loads the eleven pictures anew; returns the names that could not be read.
  std::vector<std::string> LoadEditPics(const GameFolder& folder);
  void ReleaseEditPics();
  // Draws the whole canvas into the back buffer and shows it.
  void DrawEditMap();

  const QImage& Frame() const { return renderer_.BackBuffer(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  EditorModel& editor_;
  SpriteRenderer renderer_;
  std::array<TexturePtr, kEditPictureCount> EditPics{};
};

}  // namespace fl3
