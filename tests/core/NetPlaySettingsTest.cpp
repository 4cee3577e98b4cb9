#include <gtest/gtest.h>

#include "TempFolder.h"
#include "core/GameFolder.h"
#include "core/NetPlaySettings.h"

namespace fl3 {
namespace {

NetPlaySettings Settings(std::string address, std::string name, std::int32_t players, std::array<std::int32_t, 2> layouts,
                         std::int32_t port, std::int32_t delay = kAutomaticInputDelay, bool spectators = true,
                         std::string password = "") {
  return {std::move(address), std::move(name), players, layouts, port, delay, spectators, std::move(password)};
}

// Catches a damaged line shifting the lines after it, numbers out of range
// taken (three players, a fifth layout, port 70000, a delay of 4), a file of
// the older six lines not read, a name or password carrying a line break into
// the file, a write that does not read back, and a password others can read.
TEST(NetPlaySettingsTest, EachLineFallsBackOnItsOwnAndWhatIsWrittenReadsBack) {
  EXPECT_EQ(ParseNetPlaySettings("10.0.0.2\nBo\x01\r\n3\r\n4\r\n2\r\n70000\r\n4\r\n2\r\npw\x7F\r\n"),
            Settings("10.0.0.2", "", 1, {0, 2}, 0));
  EXPECT_EQ(ParseNetPlaySettings("\r\n\r\n1\r\n0\r\n1\r\n28000\r\n"), Settings("", "", 1, {0, 1}, 28000));
  EXPECT_EQ(ParseNetPlaySettings("a\r\nb\r\n2\r\n3\r\n0\r\n0\r\n0\r\n0\r\ns e\r\n"),
            Settings("a", "b", 2, {3, 0}, 0, 0, false, "s e"));
  const testing::TempFolder temp;
  const GameFolder folder(temp.Path());
  EXPECT_EQ(ReadNetPlaySettings(folder), NetPlaySettings{});
  const NetPlaySettings written = Settings("192.168.1.7:28770", "Cleo", 2, {1, 2}, 28771, 3, false, "open sesame");
  ASSERT_TRUE(WriteNetPlaySettings(folder, written));
  EXPECT_EQ(ReadNetPlaySettings(folder), written);
  EXPECT_EQ(std::filesystem::status(temp.Path() / kNetPlaySettingsFileName).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  ASSERT_TRUE(WriteNetPlaySettings(folder, Settings("x", "Eve\r\n2", 1, {0, 1}, 0, 1, true, "a\nb")));
  EXPECT_EQ(ReadNetPlaySettings(folder), Settings("x", "", 1, {0, 1}, 0, 1));
}

}  // namespace
}  // namespace fl3
