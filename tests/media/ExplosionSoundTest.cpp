#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "media/ExplosionSound.h"

namespace fl3 {
namespace {

double PeakIn(const std::vector<float>& samples, std::size_t from, std::size_t to) {
  double peak = 0;
  for (std::size_t i = from; i < to && i < samples.size(); ++i) peak = std::max(peak, std::fabs(double{samples[i]}));
  return peak;
}

TEST(ExplosionSound, IsAShortBlastThatStartsLoudAndDiesAway) {
  const auto samples = ExplosionSound::Synthesize(44100);
  ASSERT_EQ(samples.size(), static_cast<std::size_t>(0.35 * 44100));
  const double early = PeakIn(samples, 0, 4410);              // first 100 ms
  const double late = PeakIn(samples, samples.size() - 2205, samples.size());  // last 50 ms
  EXPECT_GT(early, 0.2);
  EXPECT_LT(late, early * 0.1);
  EXPECT_LE(PeakIn(samples, 0, samples.size()), 0.6 + 1e-6);
  EXPECT_EQ(samples, ExplosionSound::Synthesize(44100));  // the same blast every time
}

}  // namespace
}  // namespace fl3
