#include <gtest/gtest.h>

#include "TempFolder.h"
#include "core/GameFolder.h"
#include "core/NetPlaySettings.h"

namespace fl3 {
namespace {

// Catches a damaged line shifting the lines after it, numbers out of range
// taken (three players, a fifth layout, port 70000), a name carrying a line
// break into the file, and a write that does not read back.
TEST(NetPlaySettingsTest, EachLineFallsBackOnItsOwnAndWhatIsWrittenReadsBack) {
  EXPECT_EQ(ParseNetPlaySettings("10.0.0.2\nBo\x01\r\n3\r\n4\r\n2\r\n70000\r\n"),
            (NetPlaySettings{"10.0.0.2", "", 1, {0, 2}, 0}));
  const testing::TempFolder temp;
  const GameFolder folder(temp.Path());
  EXPECT_EQ(ReadNetPlaySettings(folder), NetPlaySettings{});
  const NetPlaySettings written{"192.168.1.7:28770", "Cleo", 2, {1, 2}, 28771};
  ASSERT_TRUE(WriteNetPlaySettings(folder, written));
  EXPECT_EQ(ReadNetPlaySettings(folder), written);
  ASSERT_TRUE(WriteNetPlaySettings(folder, {"x", "Eve\r\n2", 1, {0, 1}, 0}));
  EXPECT_EQ(ReadNetPlaySettings(folder), (NetPlaySettings{"x", "", 1, {0, 1}, 0}));
}

}  // namespace
}  // namespace fl3
