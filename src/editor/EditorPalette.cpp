#include "editor/EditorPalette.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>

#include "media/WindowFonts.h"
#include "editor/PalettePicture.h"
#include "editor/PalettePictures.h"
#include "editor/model/EditorModel.h"

namespace fl3 {
namespace {

constexpr int kPictureSize = 18;
constexpr int kSmallPictureSize = 16;

// The caption of a choice, written beside it where it is too long for one
// line; clicking it picks the choice as clicking the caption would.
class ChoiceCaption : public QLabel {
 public:
  ChoiceCaption(const QString& text, QRadioButton* choice, QWidget* parent) : QLabel(text, parent), choice_(choice) {
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) choice_->setChecked(true);
  }

 private:
  QRadioButton* choice_;
};

QString Name(const char* base, int index) { return QString("%1_%2").arg(base).arg(index); }

QRadioButton* MakeChoice(QWidget* parent, const QString& name, const QString& caption, QPoint at, QButtonGroup* group,
                         int id) {
  auto* choice = new QRadioButton(caption, parent);
  choice->setObjectName(name);
  choice->move(at);
  choice->adjustSize();
  group->addButton(choice, id);
  return choice;
}

PalettePicture* MakePicture(QWidget* parent, const QString& name, const QPixmap& pixmap, QPoint at,
                            QRadioButton* choice) {
  auto* picture = new PalettePicture(pixmap, parent);
  picture->setObjectName(name);
  picture->move(at);
  QObject::connect(picture, &PalettePicture::clicked, choice, [choice] { choice->setChecked(true); });
  return picture;
}

QLabel* MakeHeading(QWidget* parent, const QString& text, QPoint at) {
  auto* heading = new QLabel(text, parent);
  QFont font = heading->font();
  font.setBold(true);
  heading->setFont(font);
  heading->move(at);
  heading->adjustSize();
  return heading;
}

}  // namespace

EditorPalette::EditorPalette(EditorModel& editor, QWidget* parent)
    : QTabWidget(parent),
      editor_(editor),
      toolGroup_(new QButtonGroup(this)),
      boxGroup_(new QButtonGroup(this)),
      itemGroup_(new QButtonGroup(this)) {
  setObjectName("SSTab1");
  addTab(BuildEnvironmentTab(), "Env.");
  addTab(BuildItemsTab(), "Items");
  addTab(BuildMiscTab(), "Misc.");
  ConnectGroups();
  optionEnv(0)->setChecked(true);
  optionItemsBox(1)->setChecked(true);
  optionItemsItems(0)->setChecked(true);
}

QWidget* EditorPalette::BuildEnvironmentTab() {
  auto* page = new QWidget;
  MakeHeading(page, "Floor:", QPoint(4, 2));
  const QString floorTexts[] = {
      "Nothing - Tile is fully transparent, which means that you can see the background.",
      "Doodad - This tile is used for an overlay for the background.  ie: Carpet"};
  const QPixmap floorPictures[] = {FloorNothingPicture(kPictureSize), FloorDoodadPicture(kPictureSize)};
  // The captions share the space down to the blocks' heading, in one size of
  // type small enough for both at the fonts the desktop has.
  constexpr int kCaptionTops[] = {16, 62}, kCaptionHeights[] = {46, 42}, kCaptionWidth = 115;
  QFont captionFont = WindowFont(10);
  for (int i = 0; i < 2; ++i) {
    captionFont = FittingWrappedFont(captionFont, floorTexts[i], QSize(kCaptionWidth, kCaptionHeights[i]));
  }
  for (int i = 0; i < 2; ++i) {
    const int top = kCaptionTops[i] + 2;
    optionEnv_[static_cast<std::size_t>(i)] =
        MakeChoice(page, Name("optionEnv", i), "", QPoint(4, top + 2), toolGroup_, static_cast<int>(Tool::Nothing) + i);
    picEnv_[static_cast<std::size_t>(i)] =
        MakePicture(page, Name("picEnv", i), floorPictures[i], QPoint(22, top), optionEnv(i));
    auto* caption = new ChoiceCaption(floorTexts[i], optionEnv(i), page);
    caption->setFont(captionFont);
    caption->setGeometry(44, kCaptionTops[i], kCaptionWidth, kCaptionHeights[i]);
  }
  MakeHeading(page, "Unbreackable Blocks:", QPoint(4, 106));
  for (int i = 2; i < 5; ++i) {
    const int left = 4 + 52 * (i - 2);
    optionEnv_[static_cast<std::size_t>(i)] =
        MakeChoice(page, Name("optionEnv", i), "", QPoint(left, 124), toolGroup_, static_cast<int>(Tool::Nothing) + i);
    picEnv_[static_cast<std::size_t>(i)] =
        MakePicture(page, Name("picEnv", i), BlockPicture(i - 1, kPictureSize), QPoint(left + 18, 122), optionEnv(i));
  }
  return page;
}

QWidget* EditorPalette::BuildItemsTab() {
  auto* page = new QWidget;
  optionItems_ = MakeChoice(page, "optionItems", "", QPoint(4, 4), toolGroup_, static_cast<int>(Tool::UseItem));
  optionItems_->setAccessibleName("Use Item (check this to use Items)");
  auto* caption = new ChoiceCaption("Use Item (check this to use Items)", optionItems_, page);
  caption->setGeometry(22, 3, 137, 28);

  auto* boxFrame = new QGroupBox("Box", page);
  boxFrame->setObjectName("frameItemsBox");
  boxFrame->setGeometry(2, 32, 70, 110);
  optionItemsBox_[0] = MakeChoice(boxFrame, Name("optionItemsBox", 0), "None", QPoint(6, 18), boxGroup_, 0);
  for (int i = 1; i < 4; ++i) {
    const int top = 18 + 22 * i;
    optionItemsBox_[static_cast<std::size_t>(i)] =
        MakeChoice(boxFrame, Name("optionItemsBox", i), "", QPoint(6, top), boxGroup_, i);
    picItemBoxes_[static_cast<std::size_t>(i)] = MakePicture(boxFrame, Name("picItemBoxes", i),
                                                             BoxPicture(i, kPictureSize), QPoint(24, top - 2),
                                                             optionItemsBox(i));
  }

  auto* itemFrame = new QGroupBox("Item", page);
  itemFrame->setObjectName("frameItemsItems");
  itemFrame->setGeometry(76, 32, 83, 110);
  const QPixmap itemPictures[] = {BombPicture(kSmallPictureSize), FireRingsPicture(kSmallPictureSize),
                                  BlueRingsPicture(kSmallPictureSize)};
  for (int i = 0; i < 3; ++i) {
    const int top = 16 + 18 * i;
    optionItemsItems_[static_cast<std::size_t>(i)] =
        MakeChoice(itemFrame, Name("optionItemsItems", i), "", QPoint(6, top), itemGroup_, i);
    picItemItems_[static_cast<std::size_t>(i)] =
        MakePicture(itemFrame, Name("picItemItems", i), itemPictures[i], QPoint(24, top - 1), optionItemsItems(i));
  }
  optionItemsItems_[3] = MakeChoice(itemFrame, Name("optionItemsItems", 3), "Empty", QPoint(6, 70), itemGroup_, 3);
  optionItemsItems_[4] = MakeChoice(itemFrame, Name("optionItemsItems", 4), "Random", QPoint(6, 88), itemGroup_, 4);
  return page;
}

QWidget* EditorPalette::BuildMiscTab() {
  auto* page = new QWidget;
  for (int i = 0; i < 4; ++i) {
    optionMisc_[static_cast<std::size_t>(i)] =
        MakeChoice(page, Name("optionMisc", i), QString("Position Player #%1").arg(i + 1), QPoint(6, 8 + 24 * i),
                   toolGroup_, static_cast<int>(Tool::PositionPlayer1) + i);
  }
  return page;
}

void EditorPalette::ConnectGroups() {
  connect(toolGroup_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked) editor_.SelectedTool = static_cast<Tool>(id);
  });
  connect(boxGroup_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked) editor_.SelectedBox = static_cast<BoxKind>(id);
  });
  connect(itemGroup_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked) editor_.SelectedItem = static_cast<ItemKind>(id);
  });
}

}  // namespace fl3
