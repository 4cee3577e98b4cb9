// The start screen's wiring; what Start checks and sets is tested on the
// match preparation itself.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "../WindowBench.h"
#include "ui/start/StartScreen.h"

namespace fl3::testing {
namespace {

// The colour of the portrait block of row r in the test character sheets.
QColor RowColour(int row) { return QColor(10 + 40 * row, 200 - 30 * row, (row * 70) % 256); }
const QStringList kControllersBetweenMatches = {"MAN", "CPU", "OFF", "OFF"};

struct StartBench : WindowBench {
  // A grey sheet of `rows` characters whose portrait block (x 288..319) has
  // the row's own colour.
  void WriteCharacterSheet(int rows = 4, int width = 320) const {
    QImage sheet(width, 64 * rows, QImage::Format_RGB32);
    sheet.fill(QColor(128, 128, 128));
    QPainter painter(&sheet);
    for (int row = 0; row < rows; ++row) painter.fillRect(288, 64 * row, 32, 64, RowColour(row));
    painter.end();
    ASSERT_TRUE(sheet.save(QString::fromStdString((temp.Path() / "C.BMP").string()), "BMP"));
  }
  std::unique_ptr<frmStart> Open(bool playableFolder = true) {
    if (playableFolder) {
      WriteCharacterSheet();
      WritePicture("A1.BMP");
      WriteLevel("Arena.FL3");
    }
    StartScreenHooks hooks;
    hooks.RunMatch = [this](std::int32_t tileSet, std::int32_t background, std::int32_t c1, std::int32_t c2,
                            std::int32_t c3, std::int32_t c4, const std::string& levelName) {
      matches.push_back({tileSet, background, c1, c2, c3, c4});
      levelNames.push_back(levelName);
      if (duringMatch) duringMatch();
    };
    hooks.HostMatch = [this](const NetHostChoices& choices) {
      hosted.push_back(choices);
      return matchPlayed;
    };
    hooks.PlayQuest = [this](const QuestStartChoices& choices) {
      quests.push_back(choices);
      ResetAfterMatch(state);  // as a stage's tear-down does
    };
    hooks.JoinMatch = [this] {
      ++joins;
      if (matchPlayed) ResetAfterMatch(state);  // as the match's tear-down does
      return matchPlayed;
    };
    hooks.OpenEditor = [this] {
      ++editorOpened;
      WriteLevel("Made In Editor.FL3");
    };
    hooks.OpenNetPlaySession = [this] { ++sessionOpened; };
    hooks.OpenQuestEditor = [this] {
      ++questEditorOpened;
      WriteLevel("Brought With A Quest.FL3");
      ResetAfterMatch(state);  // as a stage tried there ends
    };
    hooks.OpenOptions = [this] { ++optionsOpened; };
    hooks.OpenReplays = [this] { ++replaysOpened; };
    hooks.Quit = [this] { ++quitCalls; };
    return std::make_unique<frmStart>(state, folder, messages, std::move(hooks));
  }
  QStringList Controllers(const frmStart& screen) const {
    QStringList captions;
    for (int i = 0; i < FigureCount; ++i) captions << screen.buttonChar(i)->text();
    return captions;
  }

  std::vector<std::array<std::int32_t, 6>> matches;  // the six numbers handed to the match
  std::vector<std::string> levelNames;                // and the level's name, for its replay
  std::function<void()> duringMatch;
  std::vector<NetHostChoices> hosted;
  std::vector<QuestStartChoices> quests;
  bool matchPlayed = false;  // what the network hooks answer
  int editorOpened = 0, questEditorOpened = 0, sessionOpened = 0, optionsOpened = 0, replaysOpened = 0, quitCalls = 0,
      joins = 0;
};

// Each names the folder where the missing files belong.
std::string NoSheet(const std::string& folder) {
  return "Cannot find the character pictures file.  Please find or create the file C.BMP in " + folder +
         "  Make sure it follows the standard size.";
}
std::string NoMaps(const std::string& folder) { return "Cannot find any map files.  Please find or create *.FL3 in " + folder; }
std::string NoTilesets(const std::string& folder) {
  return "Cannot find any tileset picture files.  Please find or create A*.BMP in " + folder +
         "  Make sure it follows the standard size.";
}
using Text = std::string (*)(const std::string&);

TEST(StartScreen, OpeningNamesEachMissingFileInOrderAndShowsThePortraitsOfAUsableSheet) {
  const struct {
    int sheetRows, sheetWidth;  // 0 rows: no sheet; -1: a file that is no picture
    bool levelAndTiles;
    std::vector<Text> messages;
  } rows[] = {
      {0, 320, false, {NoSheet, NoMaps, NoTilesets}},
      {4, 320, false, {NoMaps, NoTilesets}},
      {6, 320, true, {}},
      {3, 320, true, {NoSheet}},  // every figure needs a row of its own
      {4, 300, true, {NoSheet}},  // no portrait block at x = 288
      {-1, 320, true, {NoSheet}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.sheetRows << " rows, " << row.sheetWidth << " wide");
    StartBench bench;
    if (row.sheetRows > 0) bench.WriteCharacterSheet(row.sheetRows, row.sheetWidth);
    if (row.sheetRows < 0) bench.temp.Write("C.BMP", "not a picture");
    if (row.levelAndTiles) bench.WriteLevel("one.fl3");
    if (row.levelAndTiles) bench.WritePicture("a9.bmp");
    auto screen = bench.Open(false);
    ASSERT_EQ(bench.messages.shown.size(), row.messages.size());
    for (std::size_t i = 0; i < row.messages.size(); ++i) {
      EXPECT_EQ(bench.Shown(i), std::tuple(row.messages[i](bench.temp.Path().string()), "FUSELARK3", MessageIcon::Critical, MessageButtons::Ok));
    }
    const bool usable = row.sheetRows >= 4 && row.sheetWidth == 320;
    EXPECT_EQ(screen->CharacterSheetLoaded(), usable);
    for (int i = 0; usable && i < FigureCount; ++i) {
      const QImage portrait = screen->picChar(i)->pixmap().toImage();
      EXPECT_EQ(std::pair(screen->scrollChar(i)->maximum(), screen->scrollChar(i)->value()),
                std::pair(row.sheetRows - 1, i));
      EXPECT_EQ(std::tuple(portrait.size(), portrait.pixelColor(0, 0), portrait.pixelColor(31, 63)),
                std::tuple(QSize(32, 64), RowColour(i), RowColour(i)));
    }
    if (usable) continue;
    screen->buttonPlay()->click();  // without a sheet Start does nothing
    EXPECT_EQ(bench.messages.shown.size(), row.messages.size());
    EXPECT_TRUE(bench.matches.empty());
  }
}

TEST(StartScreen, ControllersStartAsManCpuOffOffAndEachButtonCyclesItsOwnWithItsColourAndFocusesStart) {
  StartBench bench;
  auto screen = bench.Open();
  screen->show();
  screen->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(screen.get()));
  EXPECT_EQ(bench.Controllers(*screen), kControllersBetweenMatches);
  // The face colour, read away from the caption and the border.
  const auto face = [&] { return screen->buttonChar(2)->grab().toImage().pixelColor(3, 3); };
  EXPECT_EQ(face(), QColor(255, 0, 0));
  const struct {
    const char* caption;
    std::int32_t cont;
    QColor face;
  } cycle[] = {{"MAN", ContMan, {0, 255, 0}}, {"CPU", ContCpu, {0, 0, 255}}, {"OFF", ContOff, {255, 0, 0}},
               {"MAN", ContMan, {0, 255, 0}}};
  for (const auto& step : cycle) {
    screen->buttonQuit()->setFocus();
    QTest::mouseClick(screen->buttonChar(2), Qt::LeftButton);
    EXPECT_EQ(screen->buttonChar(2)->text(), step.caption);
    EXPECT_EQ(bench.state.Characters[2].Cont, step.cont);
    EXPECT_EQ(face(), step.face) << step.caption;
    EXPECT_EQ(screen->focusWidget(), screen->buttonPlay());  // so that Enter starts the match
  }
  EXPECT_EQ(bench.Controllers(*screen), QStringList({"MAN", "CPU", "MAN", "OFF"}));
}

TEST(StartScreen, LivesTakeTwoDigitsTheTimeThreeOfAnythingAndTheSpinnersUpperArrowLowersTheValue) {
  StartBench bench;
  auto screen = bench.Open();
  screen->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(screen.get()));
  EXPECT_EQ(screen->txtboxLives(1)->text() + "/" + screen->txtboxTime()->text(), "5/60");
  QLineEdit* lives = screen->txtboxLives(1);
  lives->clear();
  QTest::keyClicks(lives, "a7x!q39");
  EXPECT_EQ(lives->text(), "73");
  QTest::keyClick(lives, Qt::Key_Backspace);
  lives->insert("b");  // pasted text too
  EXPECT_EQ(lives->text(), "7");
  screen->txtboxTime()->clear();
  QTest::keyClicks(screen->txtboxTime(), "x1.5");
  EXPECT_EQ(screen->txtboxTime()->text(), "x1.");

  QScrollBar* kinds = screen->scrollPlay();
  kinds->setValue(2);
  QTest::mouseClick(kinds, Qt::LeftButton, {}, QPoint(6, 2));
  EXPECT_EQ(screen->buttonPlay()->text(), "Start Most Kills Level Match");
  EXPECT_EQ(std::pair(screen->picLives()->isVisible(), screen->picTime()->isVisible()), std::pair(false, true));
  for (int i = 0; i < 3; ++i) QTest::mouseClick(kinds, Qt::LeftButton, {}, QPoint(6, kinds->height() - 3));
  EXPECT_EQ(screen->buttonPlay()->text(), "Start Game Quest");
  EXPECT_EQ(std::pair(screen->buttonPlay()->isEnabled(), screen->listLevel()->isVisible()), std::pair(true, false));
  const std::pair<QString, bool> editModes[] = {{"Edit Quest", true}, {"Edit NetPlay Session", true}};
  for (int mode = 1; mode <= 2; ++mode) {
    screen->scrollEdit()->setValue(mode);
    EXPECT_EQ(std::pair(screen->buttonEdit()->text(), screen->buttonEdit()->isEnabled()), editModes[mode - 1]);
  }
}

TEST(StartScreen, TheLevelListIsSortedEditRefillsItOptionsAndReplaysOpenTheirWindowsAndQuitDeletesTheScratchPictures) {
  StartBench bench;
  for (const char* name : {"zeta.FL3", "Alpha.fl3", "beta.FL3", "1st.FL3"}) bench.WriteLevel(name);
  for (const char* name : {"T.BMP", "t2.bmp", "T4.BMP", "T5.BMP", "Tiles.BMP"}) bench.WritePicture(name);
  auto screen = bench.Open();
  // Letter case ignored; symbols before digits before letters.
  QStringList entries;
  for (int i = 0; i < screen->listLevel()->count(); ++i) entries << screen->listLevel()->itemText(i);
  EXPECT_EQ(entries, QStringList({"~Random", "1st.FL3", "Alpha.fl3", "Arena.FL3", "beta.FL3", "zeta.FL3"}));

  screen->listLevel()->setCurrentIndex(3);
  screen->buttonEdit()->click();
  EXPECT_EQ(screen->listLevel()->itemText(5), "Made In Editor.FL3");
  EXPECT_EQ(screen->listLevel()->currentIndex(), 0);
  screen->scrollEdit()->setValue(2);
  screen->buttonEdit()->click();
  screen->buttonOptions()->click();  // each button opens its own window once
  screen->buttonReplays()->click();
  EXPECT_EQ(std::tuple(bench.optionsOpened, bench.editorOpened, bench.sessionOpened, bench.replaysOpened),
            std::tuple(1, 1, 1, 1));
  // Edit Quest opens its own editor; the list and the controllers are shown afresh after it.
  screen->buttonChar(1)->click();
  screen->scrollEdit()->setValue(1);
  screen->buttonEdit()->click();
  EXPECT_EQ(std::pair(bench.editorOpened, bench.questEditorOpened), std::pair(1, 1));
  EXPECT_EQ(screen->listLevel()->itemText(5), "Brought With A Quest.FL3");
  EXPECT_EQ(bench.Controllers(*screen), QStringList({"MAN", "CPU", "OFF", "OFF"}));
  screen->show();
  screen->buttonQuit()->click();
  EXPECT_EQ(bench.quitCalls, 1);
  EXPECT_FALSE(screen->isVisible());
  EXPECT_EQ(bench.folder.List("T*.BMP"), (std::vector<std::string>{"T5.BMP", "Tiles.BMP"}));
}

TEST(StartScreen, StartHandsTheEntriesToTheMatchRunsItOnceAndTheChoicesStayAfterIt) {
  StartBench bench;
  bench.WriteCharacterSheet(5);
  bench.WritePicture("A3.BMP");
  bench.WritePicture("B2.BMP");
  bench.WriteLevel("Deep.FL3", 3, 2);
  auto screen = bench.Open(false);
  screen->buttonChar(1)->click();  // CPU to OFF
  screen->buttonChar(3)->click();  // OFF to MAN
  screen->listLevel()->setCurrentIndex(1);
  screen->txtboxLives(0)->setText("7");
  screen->txtboxLives(3)->setText("12");
  screen->scrollChar(0)->setValue(4);
  screen->scrollChar(3)->setValue(0);
  EXPECT_EQ(screen->picChar(0)->pixmap().toImage().pixelColor(16, 32), RowColour(4));  // the portrait follows
  // A match window that lets window events run might deliver a second
  // press; the match's tear-down resets the controllers.
  std::vector<std::array<std::int32_t, 4>> seen;  // kind, time, lives of figures 0 and 3
  bench.duringMatch = [&] {
    const GameState& state = bench.state;
    seen.push_back({state.MatchKind, state.TimeLeft, state.Characters[0].Lives, state.Characters[3].Lives});
    if (seen.size() == 1) screen->buttonPlay()->click();
    ResetAfterMatch(bench.state);
  };
  screen->buttonPlay()->click();
  EXPECT_EQ(bench.matches, (std::vector<std::array<std::int32_t, 6>>{{3, 2, 4, 1, 2, 0}}));
  EXPECT_EQ(bench.levelNames, std::vector<std::string>{"Deep.FL3"});
  EXPECT_EQ(bench.Controllers(*screen), kControllersBetweenMatches);
  EXPECT_EQ(screen->listLevel()->currentText(), "Deep.FL3");

  screen->buttonChar(1)->click();  // CPU to OFF to MAN
  screen->buttonChar(1)->click();
  screen->scrollPlay()->setValue(2);
  screen->txtboxTime()->setText("45");
  screen->buttonPlay()->click();
  EXPECT_EQ(seen, (std::vector<std::array<std::int32_t, 4>>{{MatchNormal, 0, 7, 12}, {MatchMostLives, 45000, 99, 5}}));
}

// Enter on the focused Start button starts the match (a plain window's button
// ignores Return), as the screen opens and after a controller was clicked with
// the mouse; and figures on CPU start one like figures on MAN: the opening
// set-up (MAN against CPU), a computer demo and a mix of four.
TEST(StartScreen, EnterOnTheFocusedStartButtonStartsTheMatchAlsoWithFiguresOnCpu) {
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    std::array<const char*, FigureCount> controllers;  // clicked without the mouse: the focus stays
    bool mouseOnFourth;                                // then figure 4's button clicked with the mouse
    std::array<std::int32_t, FigureCount> conts;
  } rows[] = {
      {Qt::Key_Return, Qt::NoModifier, {"MAN", "CPU", "OFF", "OFF"}, false, {ContMan, ContCpu, ContOff, ContOff}},
      {Qt::Key_Return, Qt::NoModifier, {"MAN", "CPU", "OFF", "OFF"}, true, {ContMan, ContCpu, ContOff, ContMan}},
      {Qt::Key_Enter, Qt::KeypadModifier, {"CPU", "CPU", "OFF", "MAN"}, true, {ContCpu, ContCpu, ContOff, ContCpu}},
      {Qt::Key_Space, Qt::NoModifier, {"MAN", "CPU", "CPU", "OFF"}, true, {ContMan, ContCpu, ContCpu, ContMan}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.key << " " << row.mouseOnFourth);
    StartBench bench;
    auto screen = bench.Open();
    screen->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(screen.get()));
    for (int i = 0; i < FigureCount; ++i) {
      QPushButton* button = screen->buttonChar(i);
      for (int clicks = 0; clicks < 3 && button->text() != row.controllers[static_cast<std::size_t>(i)]; ++clicks) {
        button->click();
      }
    }
    std::array<std::int32_t, FigureCount> conts{};  // as the match saw them
    bench.duringMatch = [&] {
      for (std::size_t i = 0; i < conts.size(); ++i) conts[i] = bench.state.Characters[i].Cont;
    };
    if (row.mouseOnFourth) QTest::mouseClick(screen->buttonChar(3), Qt::LeftButton);
    ASSERT_EQ(screen->focusWidget(), screen->buttonPlay());
    QTest::keyClick(screen->focusWidget(), row.key, row.modifiers);
    ASSERT_EQ(bench.matches.size(), 1u);
    EXPECT_EQ(conts, row.conts);
    EXPECT_TRUE(bench.messages.shown.empty());
  }
}

// Catches a network kind left unstartable or showing the wrong panels, the
// host's rules ignored, NET offered in a local kind or surviving into one
// (a figure nobody steers), a client offered choices the host makes without
// a word, and a cancelled network match resetting the screen.
TEST(StartScreen, NetworkKindsStartWithTheirCaptionsAndOfferNetSeatsThatLocalKindsDrop) {
  StartBench bench;
  auto screen = bench.Open();
  screen->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(screen.get()));
  const auto shown = [&] {
    return std::tuple(screen->buttonPlay()->isEnabled(), screen->listLevel()->isVisible(),
                      screen->listRules()->isVisible(), screen->picLives()->isVisible(), screen->picTime()->isVisible());
  };
  const struct {
    int kind, rules;
    const char* caption;
    std::tuple<bool, bool, bool, bool, bool> shown;  // start, levels, rules, lives, time
  } kinds[] = {
      {5, 0, "Start NetPlay Match (Host)", {true, true, true, true, false}},
      {5, 2, "Start NetPlay Match (Host)", {true, true, true, false, true}},
      {6, 2, "Start NetPlay Match (Client)", {true, false, false, false, false}},
      {0, 1, "Start Normal Level Match", {true, true, false, true, false}},
  };
  for (const auto& row : kinds) {
    screen->scrollPlay()->setValue(row.kind);
    screen->listRules()->setCurrentIndex(row.rules);
    EXPECT_EQ(screen->buttonPlay()->text(), row.caption);
    EXPECT_EQ(shown(), row.shown) << row.kind << " " << row.rules;
    const bool client = row.kind == 6;
    EXPECT_EQ(std::tuple(screen->scrollChar(3)->isEnabled(), screen->buttonChar(0)->isEnabled(), screen->hostDecides()->isVisible()),
              std::tuple(!client, !client, client)) << row.kind;
  }

  const auto cycle = [&](int figure) {
    screen->buttonChar(figure)->click();
    return screen->buttonChar(figure)->text();
  };
  EXPECT_EQ(QStringList({cycle(1), cycle(1)}), QStringList({"OFF", "MAN"}));  // local: no NET
  screen->scrollPlay()->setValue(5);
  EXPECT_EQ(QStringList({cycle(1), cycle(1), cycle(1), cycle(1)}), QStringList({"CPU", "NET", "OFF", "MAN"}));
  cycle(1), cycle(1), cycle(3), cycle(3), cycle(3);  // NET on figures 1 and 3
  EXPECT_EQ(screen->buttonChar(3)->grab().toImage().pixelColor(3, 3), QColor(255, 0, 255));
  EXPECT_EQ(bench.state.Characters[3].Cont, ContMan);  // plays like a MAN figure

  screen->listRules()->setCurrentIndex(1);
  screen->txtboxTime()->setText("90");
  screen->buttonPlay()->click();  // the hook answers: nothing was played
  ASSERT_EQ(bench.hosted.size(), 1u);
  const NetHostChoices& host = bench.hosted[0];
  EXPECT_EQ(std::tuple(host.level.name, host.characters[2], bench.state.MatchKind, bench.state.TimeLeft),
            std::tuple(std::string("Arena.FL3"), 2, MatchMostKills, 90000));
  const std::array<SeatChoice, FigureCount> seats = {SeatChoice::Man, SeatChoice::Net, SeatChoice::Off, SeatChoice::Net};
  EXPECT_EQ(host.seats, seats);
  EXPECT_EQ(bench.Controllers(*screen), QStringList({"MAN", "NET", "OFF", "NET"}));
  screen->scrollPlay()->setValue(4);
  EXPECT_EQ(bench.Controllers(*screen), QStringList({"MAN", "OFF", "OFF", "OFF"}));
  EXPECT_EQ(bench.state.Characters[3].Cont, ContOff);
  screen->scrollPlay()->setValue(6);
  bench.matchPlayed = true;
  screen->buttonPlay()->click();
  EXPECT_EQ(std::pair(bench.joins, bench.Controllers(*screen)), std::pair(1, kControllersBetweenMatches));
  EXPECT_TRUE(bench.messages.shown.empty());
}

// Catches a quest kind left unstartable, the players' chooser missing or
// showing in a match kind (or controllers that mean nothing in a quest
// showing), and the players, their pictures or the level not reaching it.
TEST(StartScreen, QuestKindsStartWithHowManyPlayAndHandOverThePlayersPicturesAndTheLevel) {
  StartBench bench;
  bench.WriteLevel("Beach.FL3");
  auto screen = bench.Open();
  screen->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(screen.get()));
  const auto shown = [&] {
    return std::tuple(screen->buttonPlay()->isEnabled(), screen->listLevel()->isVisible(),
                      screen->listPlayers()->isVisible(), screen->picLives()->isVisible(), screen->picTime()->isVisible(),
                      screen->buttonChar(1)->isVisible());
  };
  const struct {
    int kind;
    const char* caption;
    std::tuple<bool, bool, bool, bool, bool, bool> shown;  // start, levels, players, lives, time, controllers
  } kinds[] = {
      {4, "Start Game Quest", {true, false, true, false, false, false}},
      {0, "Start Normal Level Match", {true, true, false, true, false, true}},
      {3, "Start Normal Quest", {true, true, true, false, false, false}},
  };
  for (const auto& row : kinds) {
    screen->scrollPlay()->setValue(row.kind);
    EXPECT_EQ(screen->buttonPlay()->text(), row.caption);
    EXPECT_EQ(shown(), row.shown) << row.kind;
  }
  screen->listPlayers()->setCurrentIndex(1);
  screen->scrollChar(0)->setValue(3);
  screen->scrollChar(1)->setValue(2);
  screen->listLevel()->setCurrentIndex(2);
  screen->buttonPlay()->click();
  screen->scrollPlay()->setValue(4);
  screen->listPlayers()->setCurrentIndex(0);
  screen->buttonPlay()->click();
  ASSERT_EQ(bench.quests.size(), 2u);
  const std::vector<std::string> entries = {"~Random", "Arena.FL3", "Beach.FL3"};
  const auto handed = [](const QuestStartChoices& c) {
    return std::tuple(c.kind, c.players, c.characters, c.levelEntries, c.selectedEntry);
  };
  EXPECT_EQ(handed(bench.quests[0]), std::tuple(QuestKind::Normal, 2, std::array<std::int32_t, 2>{3, 2}, entries, 2u));
  EXPECT_EQ(handed(bench.quests[1]), std::tuple(QuestKind::Game, 1, std::array<std::int32_t, 2>{3, 2}, entries, 2u));
  EXPECT_EQ(bench.Controllers(*screen), kControllersBetweenMatches);
  EXPECT_TRUE(bench.messages.shown.empty());
}

}  // namespace
}  // namespace fl3::testing
