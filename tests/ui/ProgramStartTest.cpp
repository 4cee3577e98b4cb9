// What every program we ship says before it does anything: --help and
// --version, with or without a display, and the game's word when no window
// can be opened.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include <QDialog>
#include <QIcon>

#include "QtTestApplication.h"
#include "RunProgram.h"
#include "TempFolder.h"
#include "ui/DesktopIdentity.h"

namespace fl3::testing {
namespace {

const std::vector<std::string> kWithoutDisplay = {"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM"};
// Qt's offscreen platform stands in for a desktop: a program that ignored the
// option would open its window there and never end.
const std::vector<std::string> kWithDisplay = {"QT_QPA_PLATFORM=offscreen"};

ProgramRun RunWith(const std::vector<std::string>& environment, const std::string& program,
               const std::vector<std::string>& arguments) {
  std::vector<std::string> command = environment;
  command.insert(command.end(), {"timeout", "20", program});
  command.insert(command.end(), arguments.begin(), arguments.end());
  return RunProgram("/usr/bin/env", command);
}

TEST(Programs, AnswerHelpAndVersionWithAndWithoutADisplay) {
  const std::pair<std::string, std::string> programs[] = {{"fuselark3", FUSELARK3_GAME},
                                                           {"fuselark3-level", FUSELARK3_LEVEL_TOOL},
                                                           {"fuselark3-sim", FUSELARK3_SIM}};
  for (const auto& [name, path] : programs) {
    for (const auto* environment : {&kWithoutDisplay, &kWithDisplay}) {
      const ProgramRun help = RunWith(*environment, path, {"--help"});
      EXPECT_EQ(help.status, 0) << name;
      EXPECT_EQ(help.out.rfind("usage: " + name + " ", 0), 0u) << name << ": " << help.out;
      EXPECT_GT(std::count(help.out.begin(), help.out.end(), '\n'), 1) << name;
      const ProgramRun version = RunWith(*environment, path, {"--version", "ignored"});
      EXPECT_EQ(std::tuple(version.status, version.out, help.err + version.err),
                std::tuple(0, name + " " + FUSELARK3_VERSION + "\n", std::string()));
    }
  }
}

// Qt alone would abort with a core dump (status 134) and its own words.
TEST(Programs, GameWithoutAUsableDisplaySaysSoInOneLine) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {kWithoutDisplay, "no display was found (DISPLAY is not set)."},
      {{"-u", "WAYLAND_DISPLAY", "-u", "QT_QPA_PLATFORM", "DISPLAY=:9876"}, "the display \":9876\" cannot be reached."},
      {{"-u", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM=xcb", "DISPLAY="}, "no display was found (DISPLAY is not set)."},
  };
  for (const auto& [environment, reason] : cases) {
    const ProgramRun run = RunWith(environment, FUSELARK3_GAME, {});
    EXPECT_EQ(std::tuple(run.status, run.out, run.err),
              std::tuple(1, std::string(), "fuselark3: FUSELARK3 needs a graphical desktop, and " + reason + "\n"));
  }
}

// A task bar finds the menu entry by the window's class and shows the icon the
// window carries; the window system fills the start screen's empty title with
// the application's name.
TEST(Programs, EveryWindowCarriesTheGamesIconAndTheNamesOfItsMenuEntry) {
  ApplyDesktopIdentity();
  const std::string entry = std::string(kDesktopFileName) + ".desktop";
  EXPECT_EQ(QGuiApplication::desktopFileName().toStdString() + ".desktop", entry);
  const std::string desktopFile = TempFolder::ReadFile(std::string(FUSELARK3_SOURCE_DIR) + "/data/desktop/" + entry);
  EXPECT_NE(desktopFile.find("\nStartupWMClass=" + QApplication::applicationName().toStdString() + "\n"),
            std::string::npos);
  EXPECT_EQ(QApplication::applicationName(), "FUSELARK3");
  QWidget window;
  QDialog dialog(&window);
  for (const QWidget* shown : {static_cast<const QWidget*>(&window), static_cast<const QWidget*>(&dialog)}) {
    EXPECT_EQ(shown->windowIcon().availableSizes(), (QList<QSize>{{48, 48}, {64, 64}, {128, 128}, {256, 256}}));
  }
}

}  // namespace
}  // namespace fl3::testing
