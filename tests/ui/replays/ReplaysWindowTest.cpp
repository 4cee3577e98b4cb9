#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "../match/MatchBench.h"
#include "replay/ReplayPlayback.h"
#include "ui/replays/ReplaysWindow.h"

namespace fl3::testing {
namespace {

// A match played in the match window, listed, watched to its end and back.
// Faults: a recording that does not play back, a list that is not newest
// first or names another match (or drops its occasion and names), watching
// that leaves the start screen's controllers or the shared dice changed, Keep
// or Delete acting on nothing, a damaged file taken for a replay.
TEST(Replays, APlayedMatchIsListedWatchedToItsWinnerKeptAndDeletedAndADamagedOneIsRefused) {
  MatchBench bench;
  std::tie(bench.state.MatchKind, bench.state.TimeLeft, bench.state.Characters[1].Lives) = std::tuple(MatchMostLives, 500, 0);
  bench.Play({KeyState{}});
  const ReplayShelf shelf(bench.temp.Path() / "replays");
  ASSERT_TRUE(bench.replay);
  std::tie(bench.replay->occasion, bench.replay->names[0]) = std::pair("Network match", "Ann");
  ASSERT_TRUE(shelf.Add(*bench.replay));
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
  EXPECT_EQ(QStringList({newest->text(2), newest->text(3), newest->text(4)}), QStringList({"Most Lives (Network match)", "1 Ann, 2 MAN", "Player 1"}));
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

// Catches an empty list that does not say what comes into it, and a network
// match the host ended listed as if this machine had left with Escape.
TEST(Replays, AnEmptyListSaysWhatComesIntoItAndTheHostsEndIsNamed) {
  MatchBench bench;
  const ReplayShelf shelf(bench.temp.Path() / "replays");
  const frmReplays empty(bench.state, bench.folder, shelf, bench.messages, {});
  EXPECT_EQ(std::pair(empty.list()->isHidden(), empty.emptyNote()->isHidden()), std::pair(true, false));
  EXPECT_TRUE(empty.emptyNote()->text().contains("over the network"));
  std::tie(bench.state.MatchKind, bench.state.TimeLeft) = std::pair(MatchMostLives, 500);
  bench.Play({KeyState{}});
  ASSERT_TRUE(bench.replay);
  std::tie(bench.replay->end, bench.replay->occasion) = std::pair(MatchEnd::Quit, "Network match");
  ASSERT_TRUE(shelf.Add(*bench.replay));
  const frmReplays listed(bench.state, bench.folder, shelf, bench.messages, {});
  EXPECT_EQ(std::pair(listed.list()->topLevelItem(0)->text(4), listed.emptyNote()->isHidden()),
            std::pair(QString("Ended by the host"), true));
}

}  // namespace
}  // namespace fl3::testing
