// Builds the controls of the start screen at their fixed places.
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>

#include "core/GameFolder.h"
#include "ui/start/StartKinds.h"
#include "ui/start/StartLivesFilter.h"
#include "ui/start/StartScreen.h"
#include "ui/start/StartTitlePicture.h"

namespace fl3 {
namespace {

constexpr int kColumnX[FigureCount] = {4, 40, 76, 112};

template <typename Control>
Control* Place(Control* control, const char* name, int x, int y, int width, int height) {
  control->setObjectName(QString::fromLatin1(name));
  control->setGeometry(x, y, width, height);
  return control;
}

QString Indexed(const char* name, int i) { return QStringLiteral("%1%2").arg(QLatin1String(name)).arg(i); }

QScrollBar* Spinner(QWidget* parent, const char* name, int y, int height, int maximum) {
  // A vertical bar: its upper arrow lowers the value, the lower one raises it.
  auto* spinner = Place(new QScrollBar(Qt::Vertical, parent), name, 296, y, 13, height);
  spinner->setRange(0, maximum);
  spinner->setPageStep(1);
  spinner->setValue(0);
  return spinner;
}

QLabel* Caption(QWidget* parent, const QString& text, int x, int width) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(x, 0, width, 21);
  label->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
  return label;
}

}  // namespace

void frmStart::BuildControls() {
  // Creation order is the keyboard order, and the start button comes first.
  BuildMatchControls();
  BuildTitle();
  BuildFigureColumns();
  BuildEntryPanels();
  BuildBottomButtons();
}

void frmStart::BuildTitle() {
  picTop_ = Place(new QLabel(this), "picTop", 0, 0, kTitleWidth, kTitleHeight);
  picTop_->setPixmap(StartTitlePicture(folder_));
  lineTop_ = Place(new QFrame(this), "lineTop", 0, 108, kTitleWidth, 2);
  lineTop_->setFrameShape(QFrame::HLine);
  lineTop_->setFrameShadow(QFrame::Sunken);
}

void frmStart::BuildMatchControls() {
  buttonPlay_ = Place(new QPushButton(QString::fromLatin1(kStartKinds[0].caption), this), "buttonPlay", 4, 112, 293, 20);
  // A plain window's buttons ignore Enter; the screen's filter lets Enter
  // press this one, where the focus is sent so that Enter starts the match.
  buttonPlay_->installEventFilter(this);
  scrollPlay_ = Spinner(this, "scrollPlay", 112, 20, kStartKindCount - 1);
  listLevel_ = Place(new QComboBox(this), "listLevel", 148, 132, 161, 21);
  listLevel_->setEditable(false);
  // Below the level list, where no other control of the screen lies.
  listRules_ = Place(new QComboBox(this), "listRules", 148, 200, 161, 21);
  for (const char* rules : kNetRules) listRules_->addItem(QString::fromLatin1(rules));
  listRules_->hide();
  // Where the lives would be, which a quest sets itself.
  listPlayers_ = Place(new QComboBox(this), "listPlayers", 148, 156, 161, 21);
  for (const char* players : kQuestPlayers) listPlayers_->addItem(QString::fromLatin1(players));
  listPlayers_->hide();
}

void frmStart::BuildFigureColumns() {
  for (int i = 0; i < FigureCount; ++i) {
    const auto at = static_cast<std::size_t>(i);
    auto* portrait = new QLabel(this);
    picChar_[at] = Place(portrait, Indexed("picChar", i).toLatin1().constData(), kColumnX[i], 132, 33, 65);
    portrait->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* scroll = new QScrollBar(Qt::Horizontal, this);
    scrollChar_[at] = Place(scroll, Indexed("scrollChar", i).toLatin1().constData(), kColumnX[i], 196, 33, 13);
    scroll->setPageStep(1);

    auto* button = new QPushButton(this);
    buttonChar_[at] = Place(button, Indexed("buttonChar", i).toLatin1().constData(), kColumnX[i], 208, 33, 13);
    QFont small = button->font();
    small.setPixelSize(8);
    button->setFont(small);
    button->installEventFilter(this);
  }
}

void frmStart::BuildEntryPanels() {
  picLives_ = Place(new QWidget(this), "picLives", 152, 156, 157, 21);
  Caption(picLives_, QStringLiteral("Lives :"), 0, 40);
  livesFilter_ = new StartLivesFilter(this);
  const auto* digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
  constexpr int kLivesX[FigureCount] = {40, 72, 104, 136};
  for (int i = 0; i < FigureCount; ++i) {
    auto* entry = new QLineEdit(QStringLiteral("5"), picLives_);
    txtboxLives_[static_cast<std::size_t>(i)] =
        Place(entry, Indexed("txtboxLives", i).toLatin1().constData(), kLivesX[i], 1, 21, 19);
    entry->setMaxLength(2);
    entry->setValidator(digits);
    entry->installEventFilter(livesFilter_);
  }

  picTime_ = Place(new QWidget(this), "picTime", 152, 176, 121, 21);
  Caption(picTime_, QStringLiteral("Time :"), 0, 40);
  txtboxTime_ = Place(new QLineEdit(QStringLiteral("60"), picTime_), "txtboxTime", 40, 1, 29, 19);
  txtboxTime_->setMaxLength(3);
  QLabel* seconds = Caption(picTime_, QStringLiteral("second(s)"), 71, 50);
  QFont narrow = seconds->font();
  narrow.setPixelSize(10);  // the panel leaves 50 pixels for it
  seconds->setFont(narrow);
  picTime_->hide();
}

void frmStart::BuildBottomButtons() {
  buttonEdit_ = Place(new QPushButton(QString::fromLatin1(kStartEditModes[0].caption), this), "buttonEdit", 4, 224, 293, 21);
  scrollEdit_ = Spinner(this, "scrollEdit", 224, 21, kStartEditModeCount - 1);
  buttonOptions_ = Place(new QPushButton(QStringLiteral("Options"), this), "buttonOptions", 4, 248, 305, 21);
  buttonQuit_ = Place(new QPushButton(QStringLiteral("Quit"), this), "buttonQuit", 4, 272, 305, 21);
  buttonReplays_ = Place(new QPushButton(QStringLiteral("Replays..."), this), "buttonReplays", 4, 296, 305, 21);
}

}  // namespace fl3
