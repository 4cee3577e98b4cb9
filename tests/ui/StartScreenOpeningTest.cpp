#include <QTest>
#include <functional>

#include "StartScreenFixture.h"

namespace fl3::testing {
namespace {

// The messages name the folder where the missing files belong.
std::string NoSheet(const std::filesystem::path& folder) {
  return "Cannot find the character pictures file.  Please find or create the file C.BMP in " + folder.string() +
         "  Make sure it follows the standard size.";
}
std::string NoMaps(const std::filesystem::path& folder) {
  return "Cannot find any map files.  Please find or create *.FL3 in " + folder.string();
}
std::string NoTilesets(const std::filesystem::path& folder) {
  return "Cannot find any tileset picture files.  Please find or create A*.BMP in " + folder.string() +
         "  Make sure it follows the standard size.";
}

void ExpectProgramMessage(const RecordedMessage& message, const std::string& text) {
  EXPECT_EQ(message.text, text);
  EXPECT_EQ(message.title, "FUSELARK3");
  EXPECT_EQ(message.icon, MessageIcon::Critical);
  EXPECT_EQ(message.buttons, MessageButtons::Ok);
}

TEST_F(StartScreenTest, AnEmptyFolderShowsTheThreeMessagesInOrderAndCannotStart) {
  auto screen = Open();
  ASSERT_EQ(messages.shown.size(), 3u);
  ExpectProgramMessage(messages.shown[0], NoSheet(folder.Path()));
  ExpectProgramMessage(messages.shown[1], NoMaps(folder.Path()));
  ExpectProgramMessage(messages.shown[2], NoTilesets(folder.Path()));
  EXPECT_FALSE(screen->CharacterSheetLoaded());

  ClickUntil(*screen, 1, "OFF");
  ClickUntil(*screen, 2, "MAN");
  screen->buttonPlay()->click();
  EXPECT_EQ(messages.shown.size(), 3u);
  EXPECT_TRUE(matches.empty());
}

TEST_F(StartScreenTest, OnlyTheMissingFilesAreReportedAndASheetTooSmallCountsAsMissing) {
  WriteCharacterSheet();
  auto onlySheet = Open();
  ASSERT_EQ(messages.shown.size(), 2u);
  ExpectProgramMessage(messages.shown[0], NoMaps(folder.Path()));
  ExpectProgramMessage(messages.shown[1], NoTilesets(folder.Path()));
  EXPECT_TRUE(onlySheet->CharacterSheetLoaded());

  WriteLevel("one.fl3");
  WritePicture("a9.bmp");
  // Three rows cannot give every figure its own; at 300 pixels wide there is
  // no portrait block at x = 288.
  const std::function<void()> sheets[] = {[this] { WriteCharacterSheet(4); },
                                          [this] { WriteCharacterSheet(3); },
                                          [this] { WriteCharacterSheet(4, 300); },
                                          [this] { folder.Write("C.BMP", "not a picture"); }};
  for (std::size_t i = 0; i < std::size(sheets); ++i) {
    SCOPED_TRACE(i);
    messages.shown.clear();
    sheets[i]();
    auto screen = Open();
    EXPECT_EQ(screen->CharacterSheetLoaded(), i == 0);
    if (i == 0) {
      EXPECT_TRUE(messages.shown.empty());
    } else {
      ASSERT_EQ(messages.shown.size(), 1u);
      ExpectProgramMessage(messages.shown[0], NoSheet(folder.Path()));
    }
  }
}

TEST_F(StartScreenTest, EveryControlStandsAtItsPlaceWithItsStartState) {
  WritePlayableFolder();
  auto screen = Open();
  EXPECT_EQ(screen->size(), QSize(312, 296));
  EXPECT_EQ(screen->minimumSize(), screen->maximumSize());
  EXPECT_TRUE(screen->windowTitle().isEmpty());

  const std::pair<QWidget*, QRect> places[] = {
      {screen->picTop(), {0, 0, 312, 108}},          {screen->buttonPlay(), {4, 112, 293, 20}},
      {screen->scrollPlay(), {296, 112, 13, 20}},    {screen->listLevel(), {148, 132, 161, 21}},
      {screen->picLives(), {152, 156, 157, 21}},     {screen->picTime(), {152, 176, 121, 21}},
      {screen->txtboxTime(), {40, 1, 29, 19}},       {screen->buttonEdit(), {4, 224, 293, 21}},
      {screen->scrollEdit(), {296, 224, 13, 21}},    {screen->buttonOptions(), {4, 248, 305, 21}},
      {screen->buttonQuit(), {4, 272, 305, 21}},     {screen->picChar(0), {4, 132, 33, 65}},
      {screen->picChar(3), {112, 132, 33, 65}},      {screen->scrollChar(1), {40, 196, 33, 13}},
      {screen->buttonChar(2), {76, 208, 33, 13}},    {screen->txtboxLives(0), {40, 1, 21, 19}},
      {screen->txtboxLives(3), {136, 1, 21, 19}},
  };
  for (std::size_t i = 0; i < std::size(places); ++i) EXPECT_EQ(places[i].first->geometry(), places[i].second) << i;
  EXPECT_EQ(screen->txtboxLives(2)->parentWidget(), screen->picLives());
  EXPECT_EQ(screen->txtboxTime()->parentWidget(), screen->picTime());

  EXPECT_EQ(screen->txtboxTime()->text(), "60");
  EXPECT_EQ(screen->buttonOptions()->text(), "Options");
  EXPECT_EQ(screen->buttonQuit()->text(), "Quit");
  EXPECT_EQ(screen->focusWidget(), screen->buttonPlay());
  const char* captions[] = {"MAN", "CPU", "OFF", "OFF"};
  const std::int32_t conts[] = {ContMan, ContCpu, ContOff, ContOff};
  for (int i = 0; i < FigureCount; ++i) {
    EXPECT_EQ(screen->txtboxLives(i)->text(), "5");
    EXPECT_EQ(screen->buttonChar(i)->text(), captions[i]);
    EXPECT_EQ(state.Characters[static_cast<std::size_t>(i)].Cont, conts[i]);
  }
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

TEST_F(StartScreenTest, TheKindSpinnerShowsItsSevenRowsAndTheEditSpinnerItsThreeModes) {
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
  for (const int value : {1, 2, 3, 4, 5, 6, 5, 4, 3, 2, 1, 0}) {
    SCOPED_TRACE(value);
    screen->scrollPlay()->setValue(value);
    const Row& row = rows[value];
    EXPECT_EQ(screen->buttonPlay()->text(), row.caption);
    EXPECT_EQ(screen->buttonPlay()->isEnabled(), row.enabled);
    EXPECT_EQ(screen->listLevel()->isVisibleTo(screen.get()), row.levels);
    EXPECT_EQ(screen->picLives()->isVisibleTo(screen.get()), row.lives);
    EXPECT_EQ(screen->picTime()->isVisibleTo(screen.get()), row.time);
  }

  const char* captions[] = {"Edit Level", "Edit Quest", "Edit NetPlay Session"};
  for (const int value : {1, 2, 1, 0}) {
    SCOPED_TRACE(value);
    screen->scrollEdit()->setValue(value);
    EXPECT_EQ(screen->buttonEdit()->text(), captions[value]);
    EXPECT_EQ(screen->buttonEdit()->isEnabled(), value == 0);
  }
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

}  // namespace
}  // namespace fl3::testing
