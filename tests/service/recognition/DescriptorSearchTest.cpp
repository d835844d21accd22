#include <gtest/gtest.h>

#include <cmath>

#include "service/recognition/DescriptorSearch.h"

namespace vantorel::service {
namespace {

TEST(DescriptorSearchTest, NearestComeFirstUpToTheLimit) {
  // Four stored 2-number descriptors and a dangling half one, which is ignored.
  const std::vector<float> stored = {3, 0, 0, 1, 1, 1, 0, 0.5f, 0};
  const std::vector<float> query = {0, 0};
  const auto matches = BestMatches(query, stored, 3);
  ASSERT_EQ(matches.size(), 3u);
  EXPECT_EQ(matches[0].index, 3u);
  EXPECT_DOUBLE_EQ(matches[0].distance, 0.5);
  EXPECT_EQ(matches[1].index, 1u);
  EXPECT_EQ(matches[2].index, 2u);
  EXPECT_NEAR(matches[2].distance, std::sqrt(2.0), 1e-6);
}

TEST(DescriptorSearchTest, EmptyInputsGiveNoMatches) {
  EXPECT_TRUE(BestMatches(std::vector<float>{1, 2}, {}, 5).empty());
  EXPECT_TRUE(BestMatches({}, std::vector<float>{1, 2}, 5).empty());
  EXPECT_TRUE(BestMatches(std::vector<float>{1, 2}, std::vector<float>{1, 2}, 0).empty());
}

TEST(DescriptorSearchTest, ManyDescriptorsAreAllScanned) {
  // Enough to be split over threads; the nearest sits at the very end.
  constexpr std::size_t kCount = 50000;
  std::vector<float> stored(kCount * 4, 1.0f);
  std::fill(stored.end() - 4, stored.end(), 0.1f);
  const auto matches = BestMatches(std::vector<float>{0, 0, 0, 0}, stored, 2);
  ASSERT_EQ(matches.size(), 2u);
  EXPECT_EQ(matches[0].index, kCount - 1);
  EXPECT_NEAR(matches[0].distance, 0.2, 1e-6);
  EXPECT_EQ(matches[1].index, 0u);  // ties go to the earlier descriptor
}

TEST(DescriptorSearchTest, DistanceOfMismatchedSizesIsInfinite) {
  EXPECT_TRUE(std::isinf(DescriptorDistance(std::vector<float>{1}, std::vector<float>{1, 2})));
  EXPECT_DOUBLE_EQ(DescriptorDistance(std::vector<float>{0, 3}, std::vector<float>{4, 0}), 5);
}

}  // namespace
}  // namespace vantorel::service
