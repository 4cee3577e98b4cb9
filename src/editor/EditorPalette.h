#pragma once
#include <QTabWidget>
#include <array>

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QRadioButton;

namespace fl3 {

class EditorModel;
class PalettePicture;

// The tool palette: the tabs "Env.", "Items" and "Misc." with the tool,
// box kind and item kind choices, which it keeps in the editor model.
// Controls carry their names as object names ("optionEnv_0".."optionEnv_4",
// "optionItems", "optionMisc_0".."optionMisc_3", "optionItemsBox_0".."_3",
// "optionItemsItems_0".."_4", "picEnv_0".., "picItemBoxes_1".., "picItemItems_0"..).
class EditorPalette : public QTabWidget {
  Q_OBJECT

 public:
  EditorPalette(EditorModel& editor, QWidget* parent = nullptr);

  QRadioButton* optionEnv(int i) const { return optionEnv_.at(static_cast<std::size_t>(i)); }
  QRadioButton* optionItems() const { return optionItems_; }
  QRadioButton* optionMisc(int i) const { return optionMisc_.at(static_cast<std::size_t>(i)); }
  QRadioButton* optionItemsBox(int i) const { return optionItemsBox_.at(static_cast<std::size_t>(i)); }
  QRadioButton* optionItemsItems(int i) const { return optionItemsItems_.at(static_cast<std::size_t>(i)); }
  PalettePicture* picEnv(int i) const { return picEnv_.at(static_cast<std::size_t>(i)); }
  PalettePicture* picItemBoxes(int i) const { return picItemBoxes_.at(static_cast<std::size_t>(i)); }
  PalettePicture* picItemItems(int i) const { return picItemItems_.at(static_cast<std::size_t>(i)); }

 private:
  QWidget* BuildEnvironmentTab();
  QWidget* BuildItemsTab();
  QWidget* BuildMiscTab();
  void ConnectGroups();

  EditorModel& editor_;
  QButtonGroup* toolGroup_;
  QButtonGroup* boxGroup_;
  QButtonGroup* itemGroup_;
  std::array<QRadioButton*, 5> optionEnv_{};
  QRadioButton* optionItems_ = nullptr;
  std::array<QRadioButton*, 4> optionMisc_{};
  std::array<QRadioButton*, 4> optionItemsBox_{};
  std::array<QRadioButton*, 5> optionItemsItems_{};
  std::array<PalettePicture*, 5> picEnv_{};
  std::array<PalettePicture*, 4> picItemBoxes_{};  // index 0 ("None") has no picture
  std::array<PalettePicture*, 3> picItemItems_{};
};

}  // namespace fl3
