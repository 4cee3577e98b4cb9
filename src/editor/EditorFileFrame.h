#pragma once

class QPushButton;
class QWidget;

namespace fl3 {

class SimpleComboBox;

// The frame "Open / Save As" at the top left of both editors: the name
// field over the list of files, and the two buttons under it.
struct EditorFileFrame {
  SimpleComboBox* listFiles = nullptr;
  QPushButton* buttonOpen = nullptr;
  QPushButton* buttonSave = nullptr;
};

EditorFileFrame BuildEditorFileFrame(QWidget* window);

}  // namespace fl3
