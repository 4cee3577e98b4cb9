#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "OptionsWindowTestSupport.h"

namespace fl3::testing {
namespace {

namespace fs = std::filesystem;

class OptionsSave : public OptionsWindowFixture {
 protected:
  static constexpr const char* kFiles[] = {"0.FLK3", "1.FLK3", "2.FLK3", "3.FLK3", "MISC.OPT"};

  void WriteSavedOptions() {
    folder.Write("0.FLK3", "203\r\n200\r\n205\r\n208\r\n157\r\n");
    folder.Write("1.FLK3", "30\r\n17\r\n32\r\n31\r\n16\r\n");
    folder.Write("2.FLK3", "75\r\n72\r\n77\r\n80\r\n82\r\n");
    folder.Write("3.FLK3", "36\r\n23\r\n38\r\n37\r\n57\r\n");
    folder.Write("MISC.OPT", "25\r\n-150\r\n40\r\n");
  }
  ino_t Inode(const char* name) const {
    struct stat info {};
    ::stat((folder.Path() / name).c_str(), &info);
    return info.st_ino;
  }
  bool FolderTakesNewFiles() const {
    std::ofstream probe(folder.Path() / "probe");
    return probe.good();
  }
};

TEST_F(OptionsSave, SavingWithoutChangesRewritesEveryFileWithTheSameBytes) {
  WriteSavedOptions();
  std::map<std::string, std::string> before;
  std::map<std::string, ino_t> inodes;
  for (const char* name : kFiles) {
    before[name] = folder.Read(name);
    inodes[name] = Inode(name);
  }
  StartAndOpen();
  Press("buttonSave");

  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(window->result(), QDialog::Accepted);
  EXPECT_TRUE(messages.shown.empty());
  for (const char* name : kFiles) {
    EXPECT_EQ(folder.Read(name), before[name]) << name;
    // A new file renamed into place: it was written, not left alone.
    EXPECT_NE(Inode(name), inodes[name]) << name;
  }
}

TEST_F(OptionsSave, CloseKeepsChangesForThisRunWhileTheNextStartReadsTheSavedOnes) {
  WriteSavedOptions();
  StartAndOpen();
  Choose(1, 0, "A");
  Slider("Groove")->setValue(-7);
  Press("buttonClose");

  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(window->result(), QDialog::Rejected);
  EXPECT_EQ(state.Characters[0].Keys, (KeyLayout{30, 200, 205, 208, 157}));
  EXPECT_EQ(state.Music, (MusicSettings{25, -150, -7}));
  EXPECT_EQ(folder.Read("0.FLK3"), "203\r\n200\r\n205\r\n208\r\n157\r\n");
  EXPECT_EQ(folder.Read("MISC.OPT"), "25\r\n-150\r\n40\r\n");

  GameState nextRun;
  StartUp(nextRun, gameFolder);
  EXPECT_EQ(nextRun.Characters[0].Keys, (KeyLayout{203, 200, 205, 208, 157}));
  EXPECT_EQ(nextRun.Characters[3].Keys, (KeyLayout{36, 23, 38, 37, 57}));
  EXPECT_EQ(nextRun.Music, (MusicSettings{25, -150, 40}));
}

TEST_F(OptionsSave, FirstSaveWritesTheChosenKeysAndAFileThatCannotBeWrittenIsNamed) {
  StartAndOpen();
  Choose(2, 1, "Up");
  Choose(3, 0, "Left");
  Choose(3, 4, "Enter (num)");
  Slider("Tempo")->setValue(20);
  Slider("Volume")->setValue(-35);
  fs::create_directory(folder.Path() / "2.FLK3");
  Press("buttonSave");

  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            "Not everything could be saved:\n"
            "\"2.FLK3\": cannot be written: Is a directory\n"
            "The settings stay in effect until the game ends.");
  EXPECT_EQ(messages.shown[0].title, "FUSELARK3");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
  EXPECT_EQ(folder.Read("0.FLK3"), "0\r\n0\r\n0\r\n0\r\n0\r\n");
  EXPECT_EQ(folder.Read("1.FLK3"), "0\r\n200\r\n0\r\n0\r\n0\r\n");
  EXPECT_EQ(folder.Read("3.FLK3"), "0\r\n0\r\n0\r\n0\r\n0\r\n");
  EXPECT_EQ(folder.Read("MISC.OPT"), "20\r\n-35\r\n0\r\n");
  EXPECT_EQ(state.Characters[2].Keys, (KeyLayout{203, 0, 0, 0, 156}));
  // The window stays open so the player can mend the folder and save again.
  EXPECT_TRUE(window->isVisible());

  fs::remove(folder.Path() / "2.FLK3");
  Press("buttonSave");
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(folder.Read("2.FLK3"), "203\r\n0\r\n0\r\n0\r\n156\r\n");
  EXPECT_FALSE(window->isVisible());
  // Only these six: no temporary file left behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 6);
}

TEST_F(OptionsSave, ReadOnlyFolderGivesTheMessageAndLosesNothing) {
  WriteSavedOptions();
  folder.Write("BATTLE.MID", "x");
  StartAndOpen();
  Choose(1, 4, "Spacebar");
  Slider("Tempo")->setValue(50);
  Find<QComboBox>("listMusic")->setCurrentIndex(0);
  Press("buttonMusicTest");
  music.TakeCalls();

  fs::permissions(folder.Path(), fs::perms::owner_read | fs::perms::owner_exec);
  {
    WithoutPermissionOverride asOrdinaryUser;
    ASSERT_FALSE(FolderTakesNewFiles());
    Press("buttonSave");
  }
  fs::permissions(folder.Path(), fs::perms::owner_all);

  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            "Not everything could be saved:\n"
            "\"0.FLK3\": cannot be written: Permission denied\n"
            "\"1.FLK3\": cannot be written: Permission denied\n"
            "\"2.FLK3\": cannot be written: Permission denied\n"
            "\"3.FLK3\": cannot be written: Permission denied\n"
            "\"MISC.OPT\": cannot be written: Permission denied\n"
            "\"CPU.OPT\": cannot be written: Permission denied\n"
            "The settings stay in effect until the game ends.");
  EXPECT_EQ(folder.Read("0.FLK3"), "203\r\n200\r\n205\r\n208\r\n157\r\n");
  EXPECT_EQ(folder.Read("MISC.OPT"), "25\r\n-150\r\n40\r\n");
  EXPECT_EQ(state.Characters[0].Keys, (KeyLayout{203, 200, 205, 208, 57}));
  EXPECT_EQ(state.Music.MusicTempo, 50);
  // Nothing else changed: the window, its test tune and its engine carry on.
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(TestCaption(), "Stop");
  EXPECT_TRUE(music.TakeCalls().empty());
}

}  // namespace
}  // namespace fl3::testing
