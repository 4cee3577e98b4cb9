#include "editor/EditorCanvas.h"

#include <QMouseEvent>
#include <QPainter>

#include "core/GameFolder.h"
#include "editor/model/CanvasCell.h"
#include "editor/model/EditorModel.h"

namespace fl3 {
namespace {

// Qt's button bits are the canvas's own: left 1, right 2, middle 4. Any
// other button held makes a combination that is not "the left button".
int HeldButtons(Qt::MouseButtons buttons) { return static_cast<int>(buttons.toInt()); }

int ReleasedButton(Qt::MouseButton button) { return static_cast<int>(button); }

}  // namespace

EditorCanvas::EditorCanvas(EditorModel& editor, QWidget* parent)
    : QWidget(parent), editor_(editor), renderer_(kCanvasWidth, kCanvasHeight) {
  setObjectName("picMap");
  setFixedSize(kCanvasWidth, kCanvasHeight);
  // Movements without a button count too: they move the editor's pointer.
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  renderer_.Clear(kEditMapClearColour);
}

std::vector<std::string> EditorCanvas::LoadEditPics(const GameFolder& folder) {
  std::vector<std::string> missing;
  for (int i = 0; i < kEditPictureCount; ++i) {
    const char* name = kEditPictureFiles[static_cast<std::size_t>(i)];
    const auto path = folder.Find(name);
    TexturePtr picture = path ? LoadTexture(*path, 0, 0, kEditPictureColourKey) : nullptr;
    if (!picture) missing.emplace_back(name);
    EditPics[static_cast<std::size_t>(i)] = std::move(picture);
  }
  return missing;
}

void EditorCanvas::ReleaseEditPics() {
  for (TexturePtr& picture : EditPics) picture.reset();
}

void EditorCanvas::DrawEditMap() {
  renderer_.Clear(kEditMapClearColour);
  for (const EditSprite& sprite : EditMapSprites(editor_)) {
    const auto size = static_cast<float>(sprite.size);
    renderer_.DrawSprite(EditPics[static_cast<std::size_t>(sprite.picture)].get(), static_cast<float>(sprite.x),
                         static_cast<float>(sprite.y), size, size, 0.0f, 0.0f, 1.0f, 1.0f, kEditSpriteTint);
  }
  update();
}

void EditorCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, renderer_.BackBuffer());
}

void EditorCanvas::mousePressEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  if (editor_.PressOnCanvas(at.x(), at.y(), HeldButtons(event->buttons()))) DrawEditMap();
}

void EditorCanvas::mouseMoveEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  if (editor_.MoveOnCanvas(at.x(), at.y(), HeldButtons(event->buttons()))) DrawEditMap();
}

void EditorCanvas::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF at = event->position();
  if (editor_.ReleaseOnCanvas(at.x(), at.y(), ReleasedButton(event->button()))) DrawEditMap();
}

}  // namespace fl3
