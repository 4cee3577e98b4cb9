#include <QFrame>
#include <QTest>

#include "StartScreenFixture.h"

namespace fl3::testing {
namespace {

constexpr const char* kNoSheet =
    "Cannot find the character pictures file.  Please find or create the file C.BMP  Make sure it follows the "
    "standard size.";
constexpr const char* kNoMaps = "Cannot find any map files.  Please find or create *.FL3";
constexpr const char* kNoTilesets =
    "Cannot find any tileset picture files.  Please find or create A*.BMP  Make sure it follows the standard size.";

void ExpectProgramMessage(const RecordedMessage& message, const char* text) {
  EXPECT_EQ(message.text, text);
  EXPECT_EQ(message.title, "FUSELARK3");
  EXPECT_EQ(message.icon, MessageIcon::Critical);
  EXPECT_EQ(message.buttons, MessageButtons::Ok);
}

QRect Geometry(const QWidget* widget) { return widget->geometry(); }

TEST_F(StartScreenTest, AnEmptyFolderShowsTheThreeMessagesInOrderAndCannotOpen) {
  auto screen = Open();
  ASSERT_EQ(messages.shown.size(), 3u);
  ExpectProgramMessage(messages.shown[0], kNoSheet);
  ExpectProgramMessage(messages.shown[1], kNoMaps);
  ExpectProgramMessage(messages.shown[2], kNoTilesets);
  EXPECT_FALSE(screen->CharacterSheetLoaded());

  // A screen that could not open starts nothing.
  ClickUntil(*screen, 1, "OFF");
  ClickUntil(*screen, 2, "MAN");
  screen->buttonPlay()->click();
  EXPECT_EQ(messages.shown.size(), 3u);
  EXPECT_TRUE(matches.empty());
}

TEST_F(StartScreenTest, OnlyTheMissingFilesAreReported) {
  WriteCharacterSheet();
  auto onlySheet = Open();
  ASSERT_EQ(messages.shown.size(), 2u);
  ExpectProgramMessage(messages.shown[0], kNoMaps);
  ExpectProgramMessage(messages.shown[1], kNoTilesets);
  EXPECT_TRUE(onlySheet->CharacterSheetLoaded());

  messages.shown.clear();
  WriteLevel("one.fl3");
  WritePicture("a9.bmp");
  auto complete = Open();
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(StartScreenTest, ASheetTooSmallForFourFiguresCountsAsMissing) {
  WritePicture("A1.BMP");
  WriteLevel("one.FL3");
  WriteCharacterSheet(3);
  auto threeRows = Open();
  ASSERT_EQ(messages.shown.size(), 1u);
  ExpectProgramMessage(messages.shown[0], kNoSheet);
  EXPECT_FALSE(threeRows->CharacterSheetLoaded());

  messages.shown.clear();
  WriteCharacterSheet(4, 300);  // no room for the portrait block at x = 288
  auto narrow = Open();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_FALSE(narrow->CharacterSheetLoaded());

  messages.shown.clear();
  folder.Write("C.BMP", "not a picture");
  auto garbage = Open();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_FALSE(garbage->CharacterSheetLoaded());
}

TEST_F(StartScreenTest, EveryControlStandsAtItsPlaceWithItsStartState) {
  WritePlayableFolder();
  auto screen = Open();
  EXPECT_EQ(screen->size(), QSize(312, 296));
  EXPECT_EQ(screen->minimumSize(), screen->maximumSize());
  EXPECT_TRUE(screen->windowTitle().isEmpty());

  EXPECT_EQ(Geometry(screen->picTop()), QRect(0, 0, 312, 108));
  EXPECT_EQ(screen->picTop()->pixmap().size(), QSize(312, 108));
  EXPECT_EQ(Geometry(screen->buttonPlay()), QRect(4, 112, 293, 20));
  EXPECT_EQ(Geometry(screen->scrollPlay()), QRect(296, 112, 13, 20));
  EXPECT_EQ(Geometry(screen->listLevel()), QRect(148, 132, 161, 21));
  EXPECT_EQ(Geometry(screen->picLives()), QRect(152, 156, 157, 21));
  EXPECT_EQ(Geometry(screen->picTime()), QRect(152, 176, 121, 21));
  EXPECT_EQ(Geometry(screen->txtboxTime()), QRect(40, 1, 29, 19));
  EXPECT_EQ(Geometry(screen->buttonEdit()), QRect(4, 224, 293, 21));
  EXPECT_EQ(Geometry(screen->scrollEdit()), QRect(296, 224, 13, 21));
  EXPECT_EQ(Geometry(screen->buttonOptions()), QRect(4, 248, 305, 21));
  EXPECT_EQ(Geometry(screen->buttonQuit()), QRect(4, 272, 305, 21));
  const int columns[] = {4, 40, 76, 112};
  const int livesColumns[] = {40, 72, 104, 136};
  for (int i = 0; i < FigureCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(Geometry(screen->picChar(i)), QRect(columns[i], 132, 33, 65));
    EXPECT_EQ(Geometry(screen->scrollChar(i)), QRect(columns[i], 196, 33, 13));
    EXPECT_EQ(Geometry(screen->buttonChar(i)), QRect(columns[i], 208, 33, 13));
    EXPECT_EQ(Geometry(screen->txtboxLives(i)), QRect(livesColumns[i], 1, 21, 19));
    EXPECT_EQ(screen->txtboxLives(i)->parentWidget(), screen->picLives());
    EXPECT_EQ(screen->txtboxLives(i)->text(), "5");
    EXPECT_EQ(screen->txtboxLives(i)->maxLength(), 2);
  }
  EXPECT_EQ(screen->txtboxTime()->parentWidget(), screen->picTime());
  EXPECT_EQ(screen->txtboxTime()->text(), "60");
  EXPECT_EQ(screen->txtboxTime()->maxLength(), 3);

  EXPECT_EQ(screen->buttonPlay()->text(), "Start Normal Level Match");
  EXPECT_TRUE(screen->buttonPlay()->isEnabled());
  EXPECT_EQ(screen->buttonEdit()->text(), "Edit Level");
  EXPECT_EQ(screen->buttonOptions()->text(), "Options");
  EXPECT_EQ(screen->buttonQuit()->text(), "Quit");
  EXPECT_EQ(screen->scrollPlay()->value(), 0);
  EXPECT_EQ(screen->scrollPlay()->maximum(), 6);
  EXPECT_EQ(screen->scrollEdit()->value(), 0);
  EXPECT_EQ(screen->scrollEdit()->maximum(), 2);
  EXPECT_TRUE(screen->picLives()->isVisibleTo(screen.get()));
  EXPECT_FALSE(screen->picTime()->isVisibleTo(screen.get()));
  EXPECT_EQ(screen->focusWidget(), screen->buttonPlay());

  const char* captions[] = {"MAN", "CPU", "OFF", "OFF"};
  const std::int32_t conts[] = {ContMan, ContCpu, ContOff, ContOff};
  for (int i = 0; i < FigureCount; ++i) {
    EXPECT_EQ(screen->buttonChar(i)->text(), captions[i]);
    EXPECT_EQ(state.Characters[static_cast<std::size_t>(i)].Cont, conts[i]);
  }
}

TEST_F(StartScreenTest, TheTitlePictureComesFromTheGameFolderWhenThere) {
  WritePlayableFolder();
  QImage title(156, 54, QImage::Format_RGB32);  // half size: stretched to fit
  title.fill(QColor(12, 34, 56));
  ASSERT_TRUE(title.save(QString::fromStdString((folder.Path() / "title.bmp").string()), "BMP"));
  auto screen = Open();
  const QImage shown = screen->picTop()->pixmap().toImage();
  ASSERT_EQ(shown.size(), QSize(312, 108));
  EXPECT_EQ(shown.pixelColor(0, 0), QColor(12, 34, 56));
  EXPECT_EQ(shown.pixelColor(311, 107), QColor(12, 34, 56));
}

TEST_F(StartScreenTest, TheLevelListHoldsRandomAndTheLevelFilesSortedWithoutRegardToCase) {
  WriteCharacterSheet();
  WritePicture("A1.BMP");
  WriteLevel("zeta.FL3");
  WriteLevel("Alpha.fl3");
  WriteLevel("beta.FL3");
  WriteLevel("1st.FL3");
  folder.Write("readme.txt", "levels live here");
  folder.Write("Alpha.FL3.bak", "an old copy");
  std::filesystem::create_directory(folder.Path() / "old.FL3");

  auto screen = Open();
  const std::vector<std::string> expected = {"~Random", "1st.FL3", "Alpha.fl3", "beta.FL3", "zeta.FL3"};
  EXPECT_EQ(ListEntries(*screen), expected);
  EXPECT_EQ(screen->listLevel()->currentIndex(), 0);
  EXPECT_FALSE(screen->listLevel()->isEditable());
}

TEST_F(StartScreenTest, PortraitsAreCutFromTheSheetAndFollowTheCharacterBars) {
  WriteCharacterSheet(6);
  WritePicture("A1.BMP");
  WriteLevel("one.FL3");
  auto screen = Open();
  for (int i = 0; i < FigureCount; ++i) {
    SCOPED_TRACE(i);
    QScrollBar* bar = screen->scrollChar(i);
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 5);
    EXPECT_EQ(bar->value(), i);
    const QImage portrait = screen->picChar(i)->pixmap().toImage();
    ASSERT_EQ(portrait.size(), QSize(32, 64));
    EXPECT_EQ(portrait.pixelColor(0, 0), RowColour(i));
    EXPECT_EQ(portrait.pixelColor(31, 63), RowColour(i));
  }

  screen->scrollChar(2)->setValue(5);
  EXPECT_EQ(screen->picChar(2)->pixmap().toImage().pixelColor(16, 32), RowColour(5));
  screen->scrollChar(2)->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(screen->picChar(2)->pixmap().toImage().pixelColor(16, 32), RowColour(4));
  // The other columns keep their pictures.
  EXPECT_EQ(screen->picChar(3)->pixmap().toImage().pixelColor(16, 32), RowColour(3));
}

TEST_F(StartScreenTest, TheKindSpinnerShowsItsSevenRows) {
  WritePlayableFolder();
  auto screen = Open();
  struct Row {
    const char* caption;
    bool enabled, levels, lives, time;
  };
  const Row rows[] = {
      {"Start Normal Level Match", true, true, true, false},
      {"Start Most Kills Level Match", true, true, false, true},
      {"Start Most Lives Level Match", true, true, false, true},
      {"Start Normal Quest", false, true, false, false},
      {"Start Game Quest", false, false, false, false},
      {"Start NetPlay Match (Host)", false, true, false, false},
      {"Start NetPlay Match (Client)", false, false, false, false},
  };
  // Walk down and back up so that every row is reached from both sides.
  const int order[] = {1, 2, 3, 4, 5, 6, 5, 4, 3, 2, 1, 0};
  for (const int value : order) {
    SCOPED_TRACE(value);
    screen->scrollPlay()->setValue(value);
    const Row& row = rows[value];
    EXPECT_EQ(screen->buttonPlay()->text(), row.caption);
    EXPECT_EQ(screen->buttonPlay()->isEnabled(), row.enabled);
    EXPECT_EQ(screen->listLevel()->isVisibleTo(screen.get()), row.levels);
    EXPECT_EQ(screen->picLives()->isVisibleTo(screen.get()), row.lives);
    EXPECT_EQ(screen->picTime()->isVisibleTo(screen.get()), row.time);
  }

  // Kinds that cannot be played start nothing.
  screen->scrollPlay()->setValue(4);
  screen->buttonPlay()->click();
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_TRUE(matches.empty());
}

TEST_F(StartScreenTest, TheSpinnersUpperArrowLowersTheValue) {
  WritePlayableFolder();
  auto screen = Open();
  screen->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(screen.get()));
  QScrollBar* spinner = screen->scrollPlay();
  spinner->setValue(3);
  QTest::mouseClick(spinner, Qt::LeftButton, {}, QPoint(6, 2));
  EXPECT_EQ(spinner->value(), 2);
  QTest::mouseClick(spinner, Qt::LeftButton, {}, QPoint(6, spinner->height() - 3));
  QTest::mouseClick(spinner, Qt::LeftButton, {}, QPoint(6, spinner->height() - 3));
  EXPECT_EQ(spinner->value(), 4);
  EXPECT_EQ(screen->buttonPlay()->text(), "Start Game Quest");
}

TEST_F(StartScreenTest, TheEditSpinnerShowsItsThreeModes) {
  WritePlayableFolder();
  auto screen = Open();
  const char* captions[] = {"Edit Level", "Edit Quest", "Edit NetPlay Session"};
  for (const int value : {1, 2, 1, 0}) {
    SCOPED_TRACE(value);
    screen->scrollEdit()->setValue(value);
    EXPECT_EQ(screen->buttonEdit()->text(), captions[value]);
    EXPECT_EQ(screen->buttonEdit()->isEnabled(), value == 0);
  }
  screen->scrollEdit()->setValue(2);
  screen->buttonEdit()->click();
  EXPECT_EQ(editorOpened, 0);
}

}  // namespace
}  // namespace fl3::testing
