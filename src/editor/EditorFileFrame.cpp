#include "editor/EditorFileFrame.h"

#include <QGroupBox>

#include "editor/SimpleComboBox.h"
#include "media/WindowControls.h"

namespace fl3 {

EditorFileFrame BuildEditorFileFrame(QWidget* window) {
  auto* frame = new QGroupBox("Open / Save As", window);
  frame->setObjectName("Frame1");
  frame->setGeometry(4, 4, 169, 121);
  EditorFileFrame built;
  built.listFiles = new SimpleComboBox(frame);
  built.listFiles->setObjectName("listFiles");
  built.listFiles->setGeometry(8, 16, 153, 77);
  built.buttonOpen = MakeButton(frame, "buttonOpen", "Open", QRect(8, 96, 77, 17));
  built.buttonSave = MakeButton(frame, "buttonSave", "Save As", QRect(84, 96, 77, 17));
  return built;
}

}  // namespace fl3
