#include "editor/EditorWindow.h"

#include <algorithm>

#include <QButtonGroup>
#include <QCheckBox>
#include <QCursor>
#include <QEvent>
#include <QPushButton>
#include <QTimer>

#include "core/GameFolder.h"
#include "core/Messages.h"
#include "editor/EditorCanvas.h"
#include "editor/EditorFileFrame.h"
#include "editor/EditorPalette.h"
#include "editor/MusicPropertiesDialog.h"
#include "editor/NumericPropertiesDialog.h"
#include "editor/SimpleComboBox.h"
#include "editor/model/CanvasCell.h"
#include "editor/model/EditorFiles.h"
#include "media/MousePointer.h"
#include "media/WindowControls.h"
#include "media/WindowFonts.h"

namespace fl3 {
namespace {

QString JoinNames(const std::vector<std::string>& names) {
  QStringList list;
  for (const std::string& name : names) list << QString::fromStdString(name);
  return list.join(", ");
}

}  // namespace

frmNormalEdit::frmNormalEdit(GameState& state, const GameFolder& folder, Messages& messages, MusicEngine& music,
                             QWidget* parent)
    : QDialog(parent),
      state_(state),
      folder_(folder),
      messages_(messages),
      music_(music),
      editor_(state, messages, [](bool show) { ShowMouse(show); }) {
  setObjectName("frmNormalEdit");
  setWindowTitle("FUSELARK3 - Normal Level Editor");
  setFont(WindowFont());
  setFixedSize(kClientWidth, kClientHeight);
  BuildFileFrame();
  palette_ = new EditorPalette(editor_, this);
  palette_->setGeometry(4, 128, 167, 173);
  BuildCanvasControls();

  timerMouse_ = new QTimer(this);
  timerMouse_->setObjectName("timerMouse");
  connect(timerMouse_, &QTimer::timeout, this, &frmNormalEdit::OnPointerTimer);
  timerMouse_->start(kPointerTimerMs);
}

frmNormalEdit::~frmNormalEdit() {
  // Never leave the pointer hidden behind us, however the window went.
  if (editor_.PointerHidden) ShowMouse(true);
}

void frmNormalEdit::OpenModal() { exec(); }

void frmNormalEdit::BuildFileFrame() {
  const EditorFileFrame frame = BuildEditorFileFrame(this);
  listFiles_ = frame.listFiles;
  buttonOpen_ = frame.buttonOpen;
  buttonSave_ = frame.buttonSave;
  connect(buttonOpen_, &QPushButton::clicked, this, &frmNormalEdit::OnOpen);
  connect(buttonSave_, &QPushButton::clicked, this, &frmNormalEdit::OnSaveAs);
}

void frmNormalEdit::BuildCanvasControls() {
  canvas_ = new EditorCanvas(editor_, this);
  canvas_->move(176, 4);

  auto* drawModes = new QButtonGroup(this);
  optionDrawDot_ = MakeButton(this, "optionDraw_0", ".", QRect(176, 248, 29, 29));
  optionDrawRectangle_ = MakeButton(this, "optionDraw_2", "[]", QRect(208, 248, 29, 29));
  QFont modeFont = WindowFont(15);
  modeFont.setBold(true);
  for (QPushButton* button : {optionDrawDot_, optionDrawRectangle_}) {
    button->setCheckable(true);
    button->setFont(modeFont);
  }
  drawModes->addButton(optionDrawDot_, 0);
  drawModes->addButton(optionDrawRectangle_, 2);
  optionDrawDot_->setChecked(true);
  connect(drawModes, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked) editor_.Mode = id == 0 ? DrawMode::Dot : DrawMode::Rectangle;
  });

  checkItems_ = new QCheckBox("Reveal All Items", this);
  checkItems_->setObjectName("checkItems");
  // Wider than its first place where the desktop's font needs it: nothing stands to its right.
  checkItems_->setGeometry(296, 248, std::max(101, checkItems_->sizeHint().width()), 15);
  connect(checkItems_, &QCheckBox::toggled, this, [this](bool checked) {
    editor_.RevealAllItems = checked;
    canvas_->DrawEditMap();
  });

  buttonLevel_[1] = MakeButton(this, "buttonLevel_1", "Ext. Level Props (Texts)", QRect(200, 280, 153, 21));
  buttonLevel_[0] = MakeButton(this, "buttonLevel_0", "Ext. Level Props (Numbers)", QRect(356, 280, 153, 21));
  buttonExit_ = MakeButton(this, "buttonExit", "Exit", QRect(512, 280, 65, 21));
  for (int i = 0; i < 2; ++i) {
    connect(buttonLevel_[static_cast<std::size_t>(i)], &QPushButton::clicked, this, [this, i] { ShowPropertyDialog(i); });
  }
  connect(buttonExit_, &QPushButton::clicked, this, &frmNormalEdit::OnExit);
}

bool frmNormalEdit::event(QEvent* event) {
  const bool handled = QDialog::event(event);
  // The first showing counts as an activation too: without a window
  // manager the window may never be told that it became active.
  if (event->type() == QEvent::WindowActivate || (event->type() == QEvent::Show && !activatedOnce_)) Activate();
  return handled;
}

void frmNormalEdit::Activate() {
  if (left_) return;
  activatedOnce_ = true;
  YA();
  FillFileList();
}

void frmNormalEdit::YA() {
  const std::vector<std::string> missing = canvas_->LoadEditPics(folder_);
  canvas_->DrawEditMap();
  if (!missing.empty() && !missingPicturesReported_) {
    missingPicturesReported_ = true;
    messages_.Show("These editor pictures could not be read from " + folder_.SearchedFolders() + ": " +
                       JoinNames(missing).toStdString() +
                       ". The canvas leaves them out.",
                   kProgramTitle, MessageIcon::Critical, MessageButtons::Ok);
  }
}

void frmNormalEdit::FillFileList() {
  QStringList names;
  for (const std::string& name : LevelFileNames(folder_)) names << QString::fromStdString(name);
  listFiles_->setItems(names);
}

void frmNormalEdit::OnOpen() {
  if (OpenLevel(editor_, folder_, listFiles_->text().toStdString())) canvas_->DrawEditMap();
}

void frmNormalEdit::OnSaveAs() {
  std::string name = listFiles_->text().toStdString();
  SaveLevelAs(editor_, folder_, name);
  listFiles_->setText(QString::fromStdString(name));
}

void frmNormalEdit::OnExit() {
  if (left_ || !ExitEditor(editor_)) return;
  left_ = true;
  timerMouse_->stop();
  canvas_->ReleaseEditPics();
  QDialog::reject();
}

void frmNormalEdit::reject() { OnExit(); }

void frmNormalEdit::OnPointerTimer() {
  const QPoint pointer = QCursor::pos();
  const QPoint corner = canvas_->mapToGlobal(QPoint(0, 0));
  editor_.PointerTick(StrictlyInside(pointer.x(), pointer.y(), corner.x(), corner.y(), kCanvasWidth, kCanvasHeight));
}

void frmNormalEdit::ShowPropertyDialog(int index) {
  timerMouse_->stop();
  if (index == 0) {
    frmNormalEditPropN dialog(editor_, this);
    dialog.exec();
  } else {
    frmNormalEditPropT dialog(state_, folder_, messages_, music_, this);
    dialog.exec();
  }
  timerMouse_->start(kPointerTimerMs);
  Activate();
}

}  // namespace fl3
