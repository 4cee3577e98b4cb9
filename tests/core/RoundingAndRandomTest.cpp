#include <gtest/gtest.h>

#include <limits>

#include "core/RandomSource.h"
#include "core/Rounding.h"

namespace fl3 {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbourAndResultsStayIn32Bits) {
  EXPECT_EQ(RoundHalfEven(12.5), 12);
  EXPECT_EQ(RoundHalfEven(13.5), 14);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(-3.5), -4);
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
  EXPECT_EQ(RoundHalfEven(2.5001), 3);
  EXPECT_EQ(RoundHalfEven(-0.6), -1);
  EXPECT_EQ(RoundHalfEven(1e12), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(RoundHalfEven(-1e12), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(RoundHalfEven(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(RandomSource, EveryNewSourceRepeatsTheKnownSequenceInsideTheUnitInterval) {
  const double expected[] = {0.7055475, 0.5334240, 0.5795186, 0.2895624, 0.3019480};
  RandomSource random;
  for (const double value : expected) EXPECT_NEAR(random.Next(), value, 5e-7);
  EXPECT_NEAR(RandomSource{}.Next(), expected[0], 5e-7);
  for (int i = 0; i < 100000; ++i) {
    const double value = random.Next();
    ASSERT_GE(value, 0.0);
    ASSERT_LT(value, 1.0);
  }
}

}  // namespace
}  // namespace fl3
