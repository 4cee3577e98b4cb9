#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <optional>

#include "ScriptedDevices.h"
#include "WindowBench.h"
#include "match/ReplayPlayback.h"
#include "ui/MatchWindow.h"
#include "ui/ReplaysWindow.h"

namespace fl3::testing {
namespace {

// Two figures with one life each on an empty field, playing to "TUNE.MID".
struct MatchBench : WindowBench {
  MatchBench() {
    state.TileMap.fill(CellNothing);
    state.LevelMusic = "TUNE.MID";
    for (std::size_t i = 0; i < FigureCount; ++i) {
      state.Characters[i].Cont = i < 2 ? ContMan : ContOff;
      state.Characters[i].Lives = 1;
      state.Characters[i].X = state.Characters[i].Y = i < 2 ? static_cast<std::int32_t>(2 + 8 * i) : OffMapPos;
    }
  }
  void Play(std::vector<KeyState> script) {
    frmNormalGame window(state, folder, messages, music, nullptr);
    window.SetDevices({[&](QObject&) { return std::make_unique<ScriptedKeyboard>(script); }, &clock, true});
    window.SetReplaySink([this](Replay finished) { replay = std::move(finished); });
    window.YA(0, -1, 0, 1, 2, 3);
    std::tie(end, winner, frames) = std::tuple(window.LastEnd(), window.LastWinner(), window.FramesShown());
    // The tear-down leaves the shared state as between matches.
    const std::int32_t conts[] = {ContMan, ContCpu, ContOff, ContOff};
    for (std::size_t i = 0; i < FigureCount; ++i) {
      EXPECT_EQ(std::pair(state.Characters[i].Cont, state.Characters[i].Lives), std::pair(conts[i], 5)) << i;
    }
  }

  SteppingClock clock{0, 26};  // time runs on at every look, so the match never waits
  MatchEnd end = MatchEnd::Running;
  int winner = -1, frames = 0;
  std::optional<Replay> replay;
};

TEST(MatchWindow, MissingMusicIsReportedOnceThenEscapeEndsTheSilentMatch) {
  MatchBench bench;
  KeyState escape{};
  escape[kEscapeKey] = 0x80;
  bench.Play({KeyState{}, KeyState{}, escape});
  ASSERT_EQ(bench.messages.shown.size(), 1u);
  EXPECT_EQ(bench.Shown(0), std::tuple("TUNE.MID was not found!", "File not found!", MessageIcon::Critical,
                                       MessageButtons::Ok));
  EXPECT_TRUE(bench.music.calls.empty());
  EXPECT_EQ(std::pair(bench.end, bench.frames), std::pair(MatchEnd::Quit, 3));
  ASSERT_TRUE(bench.replay);
  EXPECT_EQ(std::pair(bench.replay->end, bench.replay->frames.size()), std::pair(MatchEnd::Quit, std::size_t{3}));
}

TEST(MatchWindow, TheLevelMusicPlaysWithTheSettingsUntilTheLastFigureStandingHasWon) {
  MatchBench bench;
  bench.temp.Write("tune.mid", "MThd");  // found whatever the letter case
  bench.state.Music = {25, -150, 40};
  // A bomb about to burst under player 2 takes its only life.
  bench.state.Bombs.Add(10, 10, 60, 1, kBombFireMs, 1);
  bench.state.Tile(10, 10) = CellBombFirst;
  bench.Play({KeyState{}});
  EXPECT_TRUE(bench.messages.shown.empty());
  EXPECT_EQ(bench.music.calls, (Calls{"InitMusic 128", "LoadMusic tune.mid midi", "SetMusicTempo 2.5",
                                      "SetMusicVolume -150", "SetMusicGroove 40", "PlayMusic #1 -1", "StopMusic #1",
                                      "ReleaseMusic"}));
  EXPECT_EQ(std::pair(bench.end, bench.winner), std::pair(MatchEnd::Winner, 0));
}

// A match played in the match window, listed, watched to its end and back.
// Faults: a recording that does not play back, a list that is not newest
// first or names another match, watching that leaves the start screen's
// controllers or the shared dice changed, Keep or Delete acting on nothing,
// a damaged file taken for a replay.
TEST(Replays, APlayedMatchIsListedWatchedToItsWinnerKeptAndDeletedAndADamagedOneIsRefused) {
  MatchBench bench;
  std::tie(bench.state.MatchKind, bench.state.TimeLeft, bench.state.Characters[1].Lives) = std::tuple(MatchMostLives, 500, 0);
  bench.Play({KeyState{}});
  const ReplayShelf shelf(bench.temp.Path() / "replays");
  ASSERT_TRUE(bench.replay && shelf.Add(*bench.replay));
  bench.temp.Write("replays/2000-01-01 00-00-00 OLD.REPLAY", "not a replay");
  bench.WritePicture("A0.BMP");
  bench.state.Characters[2].Cont = ContCpu;
  bench.state.Random.SetState(4711);
  int shown = 0;
  frmReplays list(bench.state, bench.folder, shelf, bench.messages, [&](ReplayPlayback& playback, const MatchStart& start) {
    frmNormalGame window(bench.state, bench.folder, bench.messages, bench.music, nullptr);
    window.SetDevices({nullptr, &bench.clock, true});
    QTimer::singleShot(300, &window, [&] { QTest::keyClick(&window, Qt::Key_Escape); });
    window.Watch(playback, start);
    shown = playback.AtEnd() ? window.FramesShown() : -1;
  });
  ASSERT_EQ(list.list()->topLevelItemCount(), 2);
  const QTreeWidgetItem* newest = list.list()->topLevelItem(0);
  EXPECT_EQ(QStringList({newest->text(2), newest->text(3), newest->text(4)}), QStringList({"Most Lives", "1 MAN, 2 MAN", "Player 1"}));
  EXPECT_EQ(list.list()->topLevelItem(1)->text(4), "(cannot be read)");
  list.buttonWatch()->click();
  EXPECT_GT(shown, 0);
  EXPECT_EQ(std::pair(bench.state.Characters[2].Cont, bench.state.Random.State()), std::pair(ContCpu, 4711u));
  list.buttonKeep()->click();
  EXPECT_EQ(list.list()->topLevelItem(0)->text(5), "kept");
  EXPECT_EQ(shelf.List().at(0).kept, true);
  list.list()->setCurrentItem(list.list()->topLevelItem(1));
  list.buttonWatch()->click();
  EXPECT_EQ(bench.messages.shown.back().text,
            "This replay cannot be watched: \"2000-01-01 00-00-00 OLD.REPLAY\": this is not a FUSELARK3 replay file");
  bench.messages.answers = {MessageAnswer::Cancel, MessageAnswer::Ok};
  list.buttonDelete()->click();
  list.buttonDelete()->click();
  EXPECT_EQ(list.list()->topLevelItemCount(), 1);
  EXPECT_EQ(shelf.List().size(), 1u);
}

}  // namespace
}  // namespace fl3::testing
