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
    const GameFolder folder(temp.Path());
    if (c.content) temp.Write("CPU.OPT", *c.content);
    EXPECT_EQ(ReadCpuStrengthSetting(folder), c.expected);
  }
  testing::TempFolder temp;
  const GameFolder folder(temp.Path());
  for (const std::int32_t strength : {kCpuHard, kCpuEasy}) {
    ASSERT_TRUE(WriteCpuStrengthSetting(folder, strength));
    EXPECT_EQ(ReadCpuStrengthSetting(folder), strength);
  }
}

}  // namespace
}  // namespace fl3
