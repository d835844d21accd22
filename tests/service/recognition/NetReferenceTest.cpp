// Each net's forward pass against the outputs of the package's own
// JavaScript on tfjs for the same pictures.
#include <gtest/gtest.h>

#include "NetReference.h"
#include "service/recognition/DescriptorNet.h"
#include "service/recognition/FaceDetector.h"
#include "service/recognition/LandmarkNet.h"

namespace vantorel::service {
namespace {

using testing::PatternPicture;
using testing::ReadReference;

constexpr float kTolerance = 1e-4f;

void ExpectMatches(const std::vector<float>& actual, const std::string& referenceName) {
  const std::vector<float> expected = ReadReference(referenceName);
  ASSERT_FALSE(expected.empty()) << referenceName;
  ASSERT_EQ(actual.size(), expected.size()) << referenceName;
  for (std::size_t i = 0; i < actual.size(); ++i)
    EXPECT_NEAR(actual[i], expected[i], kTolerance) << referenceName << " at " << i;
}

class NetReferenceTest : public ::testing::TestWithParam<std::string> {};

TEST_P(NetReferenceTest, DescriptorNetMatchesReference) {
  const auto net = DescriptorNet::Load(VANTOREL_FACE_MODEL_DIR);
  ASSERT_TRUE(net);
  ExpectMatches(net->Describe(PatternPicture(GetParam(), 150)), "descriptor_" + GetParam() + "_150.txt");
}

TEST_P(NetReferenceTest, DetectorMatchesReference) {
  const auto detector = FaceDetector::Load(VANTOREL_FACE_MODEL_DIR);
  ASSERT_TRUE(detector);
  ExpectMatches(detector->Forward(PatternPicture(GetParam(), 160)).values, "detector_" + GetParam() + "_160.txt");
}

TEST_P(NetReferenceTest, LandmarkNetMatchesReference) {
  const auto net = LandmarkNet::Load(VANTOREL_FACE_MODEL_DIR);
  ASSERT_TRUE(net);
  ExpectMatches(net->Forward(PatternPicture(GetParam(), 112)), "landmarks_" + GetParam() + "_112.txt");
}

INSTANTIATE_TEST_SUITE_P(Patterns, NetReferenceTest, ::testing::Values("stripes", "blobs"));

TEST(NetWeightsTest, MissingWeightsLoadNothing) {
  EXPECT_FALSE(DescriptorNet::Load("/nonexistent"));
  EXPECT_FALSE(FaceDetector::Load("/nonexistent"));
  EXPECT_FALSE(LandmarkNet::Load("/nonexistent"));
}

}  // namespace
}  // namespace vantorel::service
