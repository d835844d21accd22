#include <gtest/gtest.h>

#include "service/TestPictures.h"
#include "service/recognition/FingerprintRecognizer.h"

namespace vantorel::service {
namespace {

using testing::MakeJpeg;
using testing::MakePng;
using testing::Pattern;

Bytes Truncated(Bytes bytes, std::size_t size) {
  bytes.resize(size);
  return bytes;
}

class FingerprintRecognizerTest : public ::testing::Test {
 protected:
  double ScoreOf(const Bytes& a, const Bytes& b) {
    const auto first = recognizer.Describe(a, QualityControl::None);
    const auto second = recognizer.Describe(b, QualityControl::None);
    EXPECT_EQ(first.status, FaceStatus::Found);
    EXPECT_EQ(second.status, FaceStatus::Found);
    return recognizer.Score(recognizer.Distance(first.descriptor, second.descriptor));
  }

  FingerprintRecognizer recognizer;
};

TEST_F(FingerprintRecognizerTest, SamePictureScoresFullAndCountsAsTheSameFace) {
  const Bytes picture = MakePng(64, 48, Pattern::Noise, 7);
  const auto described = recognizer.Describe(picture, QualityControl::High);
  ASSERT_EQ(described.status, FaceStatus::Found);
  EXPECT_EQ(recognizer.Distance(described.descriptor, described.descriptor), 0);
  EXPECT_LT(0, recognizer.SameFaceDistance());
  EXPECT_EQ(ScoreOf(picture, picture), 100);
  EXPECT_EQ(described.location.width, 64);
  EXPECT_EQ(described.location.height, 48);
}

TEST_F(FingerprintRecognizerTest, ReencodedPictureStillMatches) {
  const double score = ScoreOf(MakePng(128, 128, Pattern::Noise, 3), MakeJpeg(128, 128, Pattern::Noise, 3, 90));
  EXPECT_GE(score, 80);
}

TEST_F(FingerprintRecognizerTest, UnrelatedPicturesScoreLow) {
  for (std::uint32_t seed = 2; seed < 6; ++seed)
    EXPECT_LT(ScoreOf(MakePng(64, 64, Pattern::Noise, 1), MakePng(64, 64, Pattern::Noise, seed)), 30) << seed;
  EXPECT_LT(ScoreOf(MakePng(64, 64, Pattern::Noise, 1), MakePng(64, 64, Pattern::Gradient)), 30);
}

TEST_F(FingerprintRecognizerTest, SortsOutPicturesWithoutAUsableFace) {
  const struct {
    const char* name;
    Bytes picture;
    QualityControl quality;
    FaceStatus expected;
  } cases[] = {
      {"not a picture", Bytes{'h', 'e', 'l', 'l', 'o'}, QualityControl::None, FaceStatus::Undecodable},
      {"truncated PNG", Truncated(MakePng(32, 32, Pattern::Noise), 40), QualityControl::None, FaceStatus::Undecodable},
      {"one colour", MakePng(64, 64, Pattern::Flat), QualityControl::None, FaceStatus::NoFace},
      {"one colour JPEG", MakeJpeg(64, 64, Pattern::Flat), QualityControl::None, FaceStatus::NoFace},
      {"too small", MakePng(8, 64, Pattern::Noise), QualityControl::None, FaceStatus::NoFace},
      {"smooth at LOW", MakePng(64, 64, Pattern::Gradient), QualityControl::Low, FaceStatus::TooBlurred},
      {"smooth at HIGH", MakeJpeg(200, 100, Pattern::Gradient), QualityControl::High, FaceStatus::TooBlurred},
      {"smooth without quality control", MakePng(64, 64, Pattern::Gradient), QualityControl::None, FaceStatus::Found},
      {"sharp at HIGH", MakeJpeg(600, 400, Pattern::Noise), QualityControl::High, FaceStatus::Found},
  };
  for (const auto& c : cases) EXPECT_EQ(recognizer.Describe(c.picture, c.quality).status, c.expected) << c.name;
}

}  // namespace
}  // namespace vantorel::service
