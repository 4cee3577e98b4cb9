#include <gtest/gtest.h>

#include <optional>

#include "TempFolder.h"
#include "core/CpuSettings.h"
#include "core/GameFolder.h"

namespace fl3 {
namespace {

// The strength file: missing or damaged means Normal, and what the options
// window writes is read back. Catches a wrong file name, accepting numbers
// out of range, and a damaged file read as Easy (0).
TEST(CpuSettingsTest, StrengthFileReadsBackAndFallsBackToNormal) {
  const struct {
    const char* name;
    std::optional<const char*> content;  // nullopt: no file
    std::int32_t expected;
  } cases[] = {
      {"missing", std::nullopt, kCpuNormal}, {"empty", "", kCpuNormal},     {"words", "hard\r\n", kCpuNormal},
      {"too high", "3\r\n", kCpuNormal},     {"negative", "-1\r\n", kCpuNormal}, {"easy", "0\r\n", kCpuEasy},
      {"hard", "2\r\n", kCpuHard},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TempFolder temp;
    if (c.content) temp.Write("CPU.OPT", *c.content);
    EXPECT_EQ(ReadCpuStrengthSetting(GameFolder(temp.Path())), c.expected);
  }
  const testing::TempFolder temp;
  for (const std::int32_t strength : {kCpuHard, kCpuEasy}) {
    ASSERT_TRUE(WriteCpuStrengthSetting(GameFolder(temp.Path()), strength));
    EXPECT_EQ(ReadCpuStrengthSetting(GameFolder(temp.Path())), strength);
  }
}

}  // namespace
}  // namespace fl3
