// The whole recognizer through the service's interface, on faces cut out of
// the sample photos and on altered copies of them.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <thread>

#include "SampleFaces.h"
#include "service/recognition/DescriptorSearch.h"
#include "service/recognition/NeuralFaceRecognizer.h"

namespace vantorel::service {
namespace {

using testing::Convert;
using testing::ReadBytes;
using testing::SampleFace;

constexpr double kMatchScore = 80;  // the client's threshold

struct Alteration {
  const char* name;
  const char* arguments;
};
constexpr Alteration kAlterations[] = {
    {"shrunk", "-resize 50% -quality 30"},
    {"darkened", "-modulate 60 -blur 0x1.5"},
    {"rotated", "-rotate 12"},
    {"mirrored", "-flop"},
};

// Faces are cut out and registered once per test program, and only as many
// as a test needs: ctest runs each test in a process of its own, also under
// the sanitizers.
class RecognizerTest : public ::testing::Test {
 protected:
  struct Registered {
    SampleFace face;
    FaceDescription description;
  };

  static void SetUpTestSuite() {
    folder_ = std::make_unique<testing::TemporaryFolder>();
    recognizer_ = std::make_unique<NeuralFaceRecognizer>(VANTOREL_FACE_MODEL_DIR);
  }
  static void TearDownTestSuite() {
    recognizer_.reset();
    folder_.reset();
  }

  void SetUp() override {
    ASSERT_TRUE(recognizer_->Loaded()) << "weights missing in " << VANTOREL_FACE_MODEL_DIR;
  }

  // The first two faces of each of the sample photos `photos`.
  static std::vector<Registered> RegisterFaces(const std::vector<int>& photos) {
    std::vector<Registered> registered;
    const auto detector = FaceDetector::Load(VANTOREL_FACE_MODEL_DIR);
    if (!detector) return registered;
    for (const SampleFace& face : testing::CutOutSampleFaces(*detector, folder_->Path(), photos, 2))
      registered.push_back({face, DescribeFile(face.file, QualityControl::Normal)});
    return registered;
  }

  static std::vector<Registered> AllFaces() { return RegisterFaces({1, 2, 3, 4, 5, 6}); }

  static Registered OneFace() {
    const std::vector<Registered> faces = RegisterFaces({1});
    return faces.empty() ? Registered{} : faces.front();
  }

  static FaceDescription DescribeFile(const std::string& file, QualityControl quality) {
    return recognizer_->Describe(ReadBytes(file), quality);
  }

  static std::string Altered(const SampleFace& face, const std::string& name, const std::string& arguments) {
    const std::string file = folder_->Path() + "/" + face.name + "-" + name + ".jpg";
    return Convert(face.file + " " + arguments + " " + file) ? file : "";
  }

  static inline std::unique_ptr<testing::TemporaryFolder> folder_;
  static inline std::unique_ptr<NeuralFaceRecognizer> recognizer_;
};

TEST_F(RecognizerTest, RegisteredFacesAreFoundWhereTheyAre) {
  const std::vector<Registered> registered = AllFaces();
  ASSERT_GE(registered.size(), 10u) << "sample photos missing in " << VANTOREL_FACE_SAMPLES_DIR;
  for (const Registered& entry : registered) {
    SCOPED_TRACE(entry.face.name);
    ASSERT_EQ(entry.description.status, FaceStatus::Found);
    EXPECT_EQ(entry.description.descriptor.size(), 128u);
    // The cut-out has a quarter of the face's size around the face.
    const auto picture = DecodePicture(ReadBytes(entry.face.file));
    ASSERT_TRUE(picture);
    const FaceLocation& at = entry.description.location;
    EXPECT_NEAR(at.left + at.width / 2, picture->width / 2.0, picture->width * 0.12);
    EXPECT_NEAR(at.top + at.height / 2, picture->height / 2.0, picture->height * 0.12);
    EXPECT_GT(at.width, picture->width * 0.4);
    EXPECT_LE(at.left + at.width, picture->width);
    EXPECT_LE(at.top + at.height, picture->height);
  }
}

TEST_F(RecognizerTest, AlteredCopiesMatchOnlyTheirOwnPerson) {
  const std::vector<Registered> registered = AllFaces();
  ASSERT_GE(registered.size(), 10u) << "sample photos missing in " << VANTOREL_FACE_SAMPLES_DIR;
  std::vector<float> stored;
  for (const Registered& entry : registered)
    stored.insert(stored.end(), entry.description.descriptor.begin(), entry.description.descriptor.end());

  for (std::size_t own = 0; own < registered.size(); ++own)
    for (const Alteration& alteration : kAlterations) {
      const SampleFace& face = registered[own].face;
      SCOPED_TRACE(face.name + " " + alteration.name);
      const std::string file = Altered(face, alteration.name, alteration.arguments);
      ASSERT_FALSE(file.empty());
      const FaceDescription copy = DescribeFile(file, QualityControl::Low);
      ASSERT_EQ(copy.status, FaceStatus::Found);
      for (std::size_t other = 0; other < registered.size(); ++other) {
        const double score =
            recognizer_->Score(recognizer_->Distance(copy.descriptor, registered[other].description.descriptor));
        if (other == own)
          EXPECT_GE(score, kMatchScore);
        else
          EXPECT_LT(score, kMatchScore) << "confused with " << registered[other].face.name;
      }
      const auto best = BestMatches(copy.descriptor, stored, 1);
      ASSERT_EQ(best.size(), 1u);
      EXPECT_EQ(best[0].index, own);
    }
}

TEST_F(RecognizerTest, RotationIsReportedClockwise) {
  const Registered entry = OneFace();
  ASSERT_EQ(entry.description.status, FaceStatus::Found);
  const FaceDescription rotated = DescribeFile(Altered(entry.face, "turned", "-rotate 12"), QualityControl::None);
  ASSERT_EQ(rotated.status, FaceStatus::Found);
  EXPECT_NEAR(rotated.location.rotation - entry.description.location.rotation, 12, 4);
}

TEST_F(RecognizerTest, SameFaceAgainIsWithinSameFaceDistance) {
  const std::vector<Registered> registered = RegisterFaces({1});
  ASSERT_GE(registered.size(), 2u);
  const Registered& entry = registered.front();
  const FaceDescription again = DescribeFile(entry.face.file, QualityControl::Normal);
  ASSERT_EQ(again.status, FaceStatus::Found);
  EXPECT_LT(recognizer_->Distance(again.descriptor, entry.description.descriptor), recognizer_->SameFaceDistance());
  const FaceDescription reencoded = DescribeFile(Altered(entry.face, "reencoded", "-quality 90"), QualityControl::Normal);
  ASSERT_EQ(reencoded.status, FaceStatus::Found);
  EXPECT_LT(recognizer_->Distance(reencoded.descriptor, entry.description.descriptor),
            recognizer_->SameFaceDistance());
  // Another person is not taken for the face registered again.
  EXPECT_GT(recognizer_->Distance(registered[1].description.descriptor, entry.description.descriptor),
            recognizer_->SameFaceDistance());
}

TEST_F(RecognizerTest, DescribesFromSeveralThreadsAtOnce) {
  const Registered entry = OneFace();
  ASSERT_EQ(entry.description.status, FaceStatus::Found);
  const Bytes picture = ReadBytes(entry.face.file);
  std::vector<FaceDescription> results(3);
  {
    std::vector<std::jthread> threads;
    for (FaceDescription& result : results)
      threads.emplace_back([&] { result = recognizer_->Describe(picture, QualityControl::Normal); });
  }
  for (const FaceDescription& result : results) EXPECT_EQ(result.descriptor, entry.description.descriptor);
}

TEST_F(RecognizerTest, HeavilyBlurredFaceIsTooBlurredUnlessQualityIsNone) {
  const std::string blurred = Altered(OneFace().face, "blurred", "-blur 0x6");
  EXPECT_EQ(DescribeFile(blurred, QualityControl::Normal).status, FaceStatus::TooBlurred);
  EXPECT_EQ(DescribeFile(blurred, QualityControl::None).status, FaceStatus::Found);
}

TEST_F(RecognizerTest, PicturesWithoutAFaceOrUnreadableGiveNoDescriptor) {
  const std::string gradient = folder_->Path() + "/gradient.png";
  ASSERT_TRUE(Convert("-size 800x600 gradient:navy-orange " + gradient));
  const FaceDescription none = DescribeFile(gradient, QualityControl::None);
  EXPECT_EQ(none.status, FaceStatus::NoFace);
  EXPECT_TRUE(none.descriptor.empty());
  EXPECT_EQ(recognizer_->Describe(Bytes{'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'}, QualityControl::None).status,
            FaceStatus::Undecodable);
}

TEST(NeuralFaceRecognizerTest, WithoutWeightsItReportsNotLoadedAndFindsNoFace) {
  const NeuralFaceRecognizer recognizer("/nonexistent");
  EXPECT_FALSE(recognizer.Loaded());
  const RgbImage gray{64, 64, std::vector<std::uint8_t>(64 * 64 * 3, 128)};
  EXPECT_EQ(recognizer.DescribeImage(gray, QualityControl::None).status, FaceStatus::NoFace);
}

TEST(NeuralFaceRecognizerTest, ScoreFallsFromHundredToZeroAsDistanceGrows) {
  const NeuralFaceRecognizer recognizer("/nonexistent");
  EXPECT_EQ(recognizer.Score(0), 100);
  EXPECT_NEAR(recognizer.Score(0.365), 80, 1e-9);
  EXPECT_EQ(recognizer.Score(5), 0);
  EXPECT_EQ(recognizer.Score(std::nan("")), 0);
  for (double distance = 0; distance < 1.5; distance += 0.01)
    EXPECT_GT(recognizer.Score(distance), recognizer.Score(distance + 0.01) - (distance + 0.01 >= 1 ? 1e-12 : 0));
}

}  // namespace
}  // namespace vantorel::service
