#include <gtest/gtest.h>

#include <limits>

#include "core/RandomSource.h"
#include "core/Rounding.h"

namespace fl3 {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbourAndResultsStayIn32Bits) {
  const struct {
    double value;
    std::int32_t rounded;
  } cases[] = {
      {12.5, 12}, {13.5, 14}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {2.4999, 2}, {2.5001, 3}, {-0.6, -1},
      {1e12, std::numeric_limits<std::int32_t>::max()}, {-1e12, std::numeric_limits<std::int32_t>::min()},
      {std::numeric_limits<double>::quiet_NaN(), 0},
  };
  for (const auto& [value, rounded] : cases) EXPECT_EQ(RoundHalfEven(value), rounded) << value;
}

TEST(RandomSource, EveryNewSourceRepeatsTheSameSequenceOfWholeTwentyFourBitFractions) {
  // x' = (1140671485 x + 12820163) mod 2^24 from x = 327680, each value x' / 2^24,
  // worked out by hand from the generator's definition.
  const double numerators[] = {11837123, 8949370, 9722709, 4858052, 5065847, 12997982, 235177, 12762824};
  RandomSource random;
  for (const double numerator : numerators) EXPECT_EQ(random.Next(), numerator / 16777216.0);
  EXPECT_EQ(RandomSource{}.Next(), numerators[0] / 16777216.0);
}

}  // namespace
}  // namespace fl3
